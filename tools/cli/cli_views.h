// The texts the command-line tool prints, built as GBK strings so that the
// views can be checked without a terminal.
#pragma once

#include <string>

// A month as a grid: a title, the weekday header and one row per week, each
// cell holding the day number and the lunar text under it.
// firstColWeekDay: 1 = Monday ... 7 = Sunday (0 is taken as 7).
std::string MonthGridView(int year, int month, int firstColWeekDay);

// One day: Gregorian date, lunar date, weekday and zodiac year.
std::string DayView(int year, int month, int day);
