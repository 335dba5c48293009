// The whole 黄历 page of one day, as almanacs print it beside 宜 and 忌: the
// 干支 and 纳音 of year, month and day, the day's 值神 (黄道 or 黑道), 建除,
// 二十八宿, 冲 and 煞, 胎神, 彭祖百忌, the 吉神 and 凶煞 and the twelve 时辰.
// Everything follows from the day's 干支, its place among the solar terms and
// the selection rules, so nothing of it needs to be stored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "almanac/day_facts.h"
#include "almanac/ganzhi.h"
#include "calendar/date.h"

namespace almanac {

// 十二值神 (黄道黑道): 0 青龙 1 明堂 2 天刑 3 朱雀 4 金匮 5 天德 6 白虎 7 玉堂
// 8 天牢 9 玄武 10 司命 11 勾陈. For a day the month's branch governs (寅申月
// 青龙 on 子 …), for an hour the day's branch does, by the same rule.
int DutyGodIndex(int branch, int governingBranch);
std::string DutyGodName(int index);
bool IsYellowPath(int index);  // 青龙 明堂 金匮 天德 玉堂 司命

// 六十甲子纳音, e.g. 海中金 for 甲子 and 乙丑.
std::string NaYinName(const GanZhi& g);

// 二十八宿 of the day, counted day by day without a break (2025-06-26 角),
// with its 七曜 and animal: 角木蛟 … 轸水蚓.
int MansionIndex(std::int64_t serial);
std::string MansionName(int index);

// 彭祖百忌 of the day's stem and branch: "丁不剃头头必生疮 未不服药毒气入肠".
std::string PengZuText(const GanZhi& day);

// The 干支 of the 时辰 with that branch (0 子时 … 11 亥时), its stem by 五鼠遁
// (甲己还加甲): 甲 and 己 days begin with 甲子.
GanZhi HourGanZhi(const GanZhi& day, int hourBranch);

struct AlmanacHour {
    std::string name;     // 子时
    std::string span;     // 23-01
    std::string ganZhi;   // 庚子
    std::string dutyGod;  // 青龙
    bool lucky = false;   // 黄道 时辰
    std::string clash;    // 马(甲午)
};

struct AlmanacPage {
    std::string solarDate;                           // 2013年2月10日 星期日
    std::string lunarDate;                           // 二〇一三年正月初一, 闰 before a leap month
    std::string yearGanZhi, monthGanZhi, dayGanZhi;  // 癸巳 甲寅 丁未
    std::string zodiac;                              // of the lunar year
    std::string yearNaYin, monthNaYin, dayNaYin;
    std::string dutyGod;  // 天德
    bool yellowPath = false;
    std::string jianChu;  // 执
    std::string mansion;  // 张月鹿
    std::string clash;    // 牛(辛丑)
    std::string sha;      // 东
    std::string taiShen;
    std::string pengZu;
    std::vector<std::string> goodGods, badGods;
    std::vector<std::string> yi, ji;  // as printed in the database
    std::vector<AlmanacHour> hours;   // 子时 … 亥时
};

AlmanacPage BuildAlmanacPage(const AlmanacCalendar& calendar, const DayFacts& facts);

// The page of a date from 1901-01-01 to 2099-12-31.
AlmanacPage AlmanacPageOf(const Date& date);

// The page as lines of "名：值" text, the 时辰 as a table at the end; what
// `solvane-cli day` prints and the page dialog shows.
std::string AlmanacPageText(const AlmanacPage& page);

// One "名：值" line of the page per entry, in print order (the dates, then
// 宜 and 忌, then the rest), without the 时辰.
std::vector<std::pair<std::string, std::string>> AlmanacPageEntries(const AlmanacPage& page);

// One 时辰 as a row of the table: "子时 23-01 庚子 青龙 吉 冲马(甲午)".
std::string AlmanacHourLine(const AlmanacHour& hour);

}  // namespace almanac
