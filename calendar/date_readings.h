// How a date reads to a user beyond its own name: what it is in the other
// calendar, and the 干支 that names its lunar year.
#pragma once

#include <string>

// The 干支 name of a lunar year, as people name the year from 正月初一:
// 2026 -> 丙午, 1984 -> 甲子.
std::string LunarYearGanZhiName(int lunarYear);

// What a date entered in one calendar means in the other, as the editors show
// it beside their date fields: a day of a lunar year's regular month gives
// "即阳历2027年1月15日", a Gregorian date "即旧历十月三十" (闰 before a leap
// month). "没有这一天" for numbers that name no day (2月30日, 三十 of a month
// of 29 days), "" for a year outside 1901-2099.
std::string OtherCalendarText(bool lunar, int year, int month, int day);
// The same for a lunar date of a leap month: "即阳历2023年3月31日" for 2023
// 闰二月初十, "2024年没有闰二月" in a year without that leap month.
std::string LeapMonthDayText(int year, int month, int day);

// In which years a yearly date of a leap month falls in the leap month, and
// where it falls in the others, for the hint under a yearly date: from 2023
// for 闰二月初十 "逢闰二月：2023、2042、2099年\n其余年份在二月初十" (the
// next three such years at most, "…" when more follow).
std::string LeapMonthYearsText(int month, int day, int fromYear);
