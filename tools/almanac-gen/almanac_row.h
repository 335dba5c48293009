// One row of the almanac table HL: the texts of one Gregorian date.
#pragma once

#include <string>
#include <vector>

#include "almanac/day_facts.h"
#include "almanac/yi_ji.h"

namespace almanac_gen {

// A row is the reckoning's day put into the table's words.
using almanac::AlmanacCalendar;
using almanac::DayFacts;
using almanac::SolarTermInstant;
using almanac::YiJi;

// All texts are GBK; the database writer stores them as UTF-8.
struct AlmanacRow {
    std::string gDate;   // 2013-02-10
    std::string nDate;   // lunar date 2013-01-01
    std::string nYear;   // 癸巳年
    std::string nMonth;  // 甲寅月
    std::string nDay;    // 丁未日
    std::string Yi;      // activities separated by single spaces
    std::string Ji;
    std::string Chong;       // 牛(辛丑)
    std::string Sha;         // 东
    std::string Cheng;       // 执日
    std::string ZhengChong;  // 辛丑
    std::string TaiShen;     // 仓库厕 房内东
    std::string JQ;          // 立春 2月4日 00:13  雨水 2月18日 20:01
    std::string SolarTerm;   // name of the term falling on the date, or empty
};

// The table's columns in the order of the row above.
extern const char* const kAlmanacColumns[14];

// "立春 2月4日 00:13": the term's date and its time truncated to the minute, so
// that the date shown is always the day the term falls on.
std::string SolarTermText(const SolarTermInstant& term);

// The month's terms joined by two spaces.
std::string MonthTermsText(const std::vector<SolarTermInstant>& terms);

std::string JoinActivities(const std::vector<std::string>& activities);

AlmanacRow BuildAlmanacRow(const AlmanacCalendar& calendar, const DayFacts& facts, const YiJi& yiJi);

// The row of a date, with 宜 and 忌 from ChooseYiJi.
AlmanacRow BuildAlmanacRow(const AlmanacCalendar& calendar, int year, int month, int day);

}  // namespace almanac_gen
