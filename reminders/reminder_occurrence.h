// On which dates a memo occurs.
#pragma once

#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "reminders/reminder.h"

// Whether the memo occurs on the Gregorian date, whose lunar date is `lunar`
// (as SolarToLunar gives it). Gregorian memos repeat by whole
// days counted from their start date; lunar memos compare lunar year, month
// and day, a one-off or yearly one in the regular month of its number only
// (never in the leap month), a daily or monthly one in leap months too. A
// repetition ends
// after the memo's end instant; one-off memos ignore it. A memo whose start
// is not a real date and time of its calendar never occurs.
bool ReminderOccursOn(const Reminder& reminder, const Date& date, const LunarDate& lunar);
