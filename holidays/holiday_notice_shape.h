// What a year of the State Council's holiday notice looks like, so that a
// schedule fetched from the update site is taken only when it could be one:
// a file for another year, a page served in its place or a generator gone
// wrong (a whole year of 休) is refused before it reaches the user's file.
#pragma once

#include "holidays/holiday_schedule.h"

// Bounds that every published year 2007-2026 keeps, counted from the shipped
// schedule (data/Ostrel/offdays-shipped.cfg, made from
// tools/offdays/cn-public-holidays.tsv), each day counted for the year of its
// holiday as HolidayPeriods places it:
// - days off in a year: 22 (2014) to 33 (2026);
// - make-up working days in a year: 5 (2011, 2014, 2015, 2017, 2025) to 12 (2013);
// - runs of days off (holidays) in a year: 4 (2007, before 清明, 端午 and 中秋
//   were holidays) to 9 (2015: the one-off 抗战胜利70周年纪念日, and 端午 in two
//   runs either side of a Sunday);
// - days off of one holiday: 1 to 10 (春节 2020, extended to 2 February);
// - make-up working days of one holiday: at most 2, each on a Saturday or Sunday.
inline constexpr int kFewestNoticeDaysOff = 22;
inline constexpr int kMostNoticeDaysOff = 33;
inline constexpr int kFewestNoticeWorkDays = 5;
inline constexpr int kMostNoticeWorkDays = 12;
inline constexpr int kFewestNoticeHolidays = 4;
inline constexpr int kMostNoticeHolidays = 9;
inline constexpr int kMostDaysOffOfAHoliday = 10;
inline constexpr int kMostWorkDaysOfAHoliday = 2;

// Whether the schedule is the whole notice of `year` and nothing else: every
// day belongs to a holiday of that year (元旦's days may begin in December),
// every name is one the notices have used, every 班 falls on a weekend and
// belongs to a holiday of its name, and the counts keep the bounds above.
bool LooksLikeHolidayNotice(const HolidaySchedule& schedule, int year);
