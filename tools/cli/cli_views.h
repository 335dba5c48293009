// The texts the command-line tool prints, built as GBK strings so that the
// views can be checked without a terminal.
#pragma once

#include <string>

class AlmanacDatabase;

// A month as a grid: a title, the weekday header and one row per week, each
// cell holding the day number and the lunar text under it.
// firstColWeekDay: 1 = Monday ... 7 = Sunday (0 is taken as 7).
std::string MonthGridView(int year, int month, int firstColWeekDay);

// One day: Gregorian date, lunar date, weekday and zodiac year.
std::string DayView(int year, int month, int day);

// The "节气：" line of a day when a solar term falls on it, else "".
std::string SolarTermLine(AlmanacDatabase& almanac, int year, int month, int day);

// The day's almanac as the balloon shows it: the heading line, then the year,
// month and day names, 冲, 煞, 成, 正冲, 胎神, the month's solar terms, 宜 and
// 忌, each piece only when the almanac has it. "" when it has nothing for the
// day (no database, or no row).
std::string AlmanacBlockView(AlmanacDatabase& almanac, int year, int month, int day);

// The year's 24 solar terms with their dates and times (UTC+8), one a line,
// as the almanac's monthly term lists give them; "" without a database.
std::string SolarTermsView(AlmanacDatabase& almanac, int year);
