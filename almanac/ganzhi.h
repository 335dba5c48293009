// The 干支 of the almanac's years, months and days, and the almanac entries
// that follow from a day's stem and branch. The cycle and its names are the
// calendar's (calendar/sexagenary_cycle.h).
#pragma once

#include <cstdint>
#include <string>

#include "calendar/sexagenary_cycle.h"

namespace almanac {

// The day's place in the unbroken 60-day cycle: 2013-02-10 is 丁未.
GanZhi DayGanZhi(std::int64_t serial);

// The almanac year that begins on the day of 立春 of the given Gregorian
// year: 1984 甲子, 2013 癸巳.
GanZhi YearGanZhi(int almanacYear);

// The month that begins on the day of the 节 numbered jie (0 立春 寅月 ... 11
// 小寒 丑月) inside the almanac year; its stem by the 五虎遁 rule (甲己之年丙作首).
GanZhi MonthGanZhi(int almanacYear, int jie);

// 建除十二值星: 0 建 ... 11 闭, (day branch - month branch) mod 12.
int JianChuIndex(int dayBranch, int monthBranch);
std::string JianChuName(int index);  // 建 ... 闭

// The 干支 the day clashes with: branch + 6, stem + 4 (丁未 -> 辛丑).
GanZhi ClashOf(const GanZhi& day);
std::string ClashText(const GanZhi& day);  // 牛(辛丑)

// Direction of the day's 煞 by its branch: 申子辰 南, 寅午戌 北, 亥卯未 西, 巳酉丑 东.
std::string ShaDirection(int dayBranch);

// The day's 胎神占方, e.g. 仓库厕 房内东 for 丁未.
std::string TaiShenText(const GanZhi& day);

}  // namespace almanac
