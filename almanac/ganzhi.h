// The sexagenary cycle (干支) and the almanac entries that follow from a
// day's stem and branch.
#pragma once

#include <cstdint>
#include <string>

namespace almanac {

// Stem 0-9 (甲 ... 癸) and branch 0-11 (子 ... 亥); 甲子 is {0, 0}.
struct GanZhi {
    int stem = 0;
    int branch = 0;
};

bool operator==(const GanZhi& a, const GanZhi& b);

// Position 0-59 in the cycle (甲子 0, 乙丑 1, ... 癸亥 59) and back. Any integer
// is taken modulo 60.
int CycleIndex(const GanZhi& g);
GanZhi FromCycleIndex(std::int64_t index);

std::string StemName(int stem);
std::string BranchName(int branch);
std::string GanZhiName(const GanZhi& g);  // e.g. 丁未

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
