// On which dates a memo occurs.
#pragma once

#include "calendar/lunar_calendar.h"
#include "reminders/reminder.h"

// Whether the memo occurs on the Gregorian date year-month-day, whose lunar
// date is `lunar` (as SolarToLunar gives it). Gregorian memos repeat by whole
// days counted from their start date; lunar memos compare lunar year, month
// and day, a month number matching its leap month as well. A repetition ends
// after the memo's end instant; one-off memos ignore it. A memo whose start
// is not a real date and time of its calendar never occurs.
bool ReminderOccursOn(const Reminder& reminder, int year, int month, int day, const LunarDate& lunar);
