// The texts the command-line tool prints, built as GBK strings so that the
// views can be checked without a terminal.
#pragma once

#include <string>

#include "calendar/date.h"
#include "festivals/festival_rule.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"

class AlmanacDatabase;
class SolarTermLookup;

// A month as a grid: a title, the weekday header and one row per week, each
// cell holding the day number and, under it, the day's first festival, else
// its solar term (when solarTerms is given), else its lunar text.
// firstColWeekDay: 1 = Monday ... 7 = Sunday (0 is taken as 7). Days of the
// holiday schedule carry 休 or 班 after their number.
std::string MonthGridView(const YearMonth& month, int firstColWeekDay, const FestivalList& festivals = {},
                          SolarTermLookup* solarTerms = nullptr, const HolidaySchedule* offDays = nullptr);

// The schedule file at a glance: the years it covers, its holidays one a
// line, and the lines that were skipped with the reason.
std::string HolidayScheduleView(const HolidayScheduleFile& file);

// The festival file as the festival manager shows it: one row per rule with
// its switch, kind, calendar, name, date in words, start year, end date and
// sound file.
std::string FestivalListView(const FestivalList& festivals);

// The day's whole 黄历 page under its heading: 干支, 纳音, 值神, 二十八宿, 冲煞,
// 胎神, 彭祖百忌, 吉神 and 凶煞, 宜 and 忌 and the twelve 时辰.
std::string AlmanacPageView(const Date& date);

// The year's 24 solar terms with their dates and times (UTC+8), one a line,
// as the almanac's monthly term lists give them; "" without a database.
std::string SolarTermsView(AlmanacDatabase& almanac, int year);
