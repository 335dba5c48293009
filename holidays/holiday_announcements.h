// The forenotice list's lines about the next holiday. A holiday is told on
// its first day off, which the list may reach weeks ahead; its make-up days
// can come before that, and a make-up day of a later holiday even before the
// next one begins, so those are told in time on their own.
#pragma once

#include <string>
#include <vector>

#include "calendar/date.h"
#include "holidays/holiday_schedule.h"

// A line of its own about a coming holiday, told `dayOffset` days from today.
struct HolidayAnnouncement {
    int dayOffset = 0;
    std::string text;  // GBK
};

// The lines announcing the next holiday that has not ended by `today`,
// placed on its first day off: the holiday, then its make-up days from today
// on when it has any (one line would not fit a template's list); then, on the first of them,
// the make-up days of later holidays that come before it begins. None when
// the schedule has no holiday left.
std::vector<HolidayAnnouncement> NextHolidayAnnouncements(const HolidaySchedule& schedule, const Date& today);
