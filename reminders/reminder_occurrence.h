// On which dates a memo occurs.
#pragma once

#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "reminders/reminder.h"

// Whether the memo occurs on the Gregorian date, whose lunar date is `lunar`
// (as SolarToLunar gives it). Gregorian memos repeat by whole
// days counted from their start date; lunar memos compare lunar year, month
// (leap or not) and day: a one-off one on that very day, a yearly one of a
// regular month in that month only (never in the leap month of its number),
// one of a leap month in the leap month where the year has it and in the
// regular month elsewhere, a daily or monthly one in leap months too. A
// repetition ends after the memo's end instant; one-off memos ignore it. A memo whose start
// is not a real date and time of its calendar never occurs.
// `workingDay` says whether people work on the date by the holiday schedule
// (holidays/holiday_schedule.h, IsWorkingDay): 每个工作日 memos occur on
// those days only, 每个休息日 ones on the others, each from its start on.
bool ReminderOccursOn(const Reminder& reminder, const Date& date, const LunarDate& lunar, bool workingDay);
