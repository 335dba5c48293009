// The planning commands of solvane-cli:
//
//   good-days ACTIVITY [--from DATE] [--to DATE] [--not-clash 生肖] [--days-off-only] [--huangdao-only]
//       the days the almanac notes 宜 for the activity, one line each: 阳历, 旧历,
//       星期, 值神 with 黄道 or 黑道, 冲 and the matching 宜 items; from today
//       for three months unless given, twelve months at most
//   leave-plan YEAR [--max-leave N]
//       for each holiday of the year, the runs of days off that 1 ... N days
//       of leave make (N at most 5, by default 5)
//   lunar YYYY MM DD [--leap]      the Gregorian date of a lunar date
//   lunar MM DD [--years N]        a lunar date in the next N years (10 by default)
//
// Each returns the exit status: 0, 1 when there is nothing to say (no
// almanac, a schedule not yet published), 2 for arguments it cannot take.
#pragma once

#include "calendar/date.h"
#include "days/day_info.h"
#include "holidays/holiday_schedule.h"

int GoodDaysCommand(DayInfoSource& days, const HolidaySchedule& schedule, const Date& today, int argc, char** argv);
int LeavePlanCommand(const HolidaySchedule& schedule, int argc, char** argv);
int LunarCommand(const Date& today, int argc, char** argv);

// The usage lines of the three, for the tool's usage text.
extern const char kPlanCommandsUsage[];
