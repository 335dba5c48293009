// The forenotice list: one line per coming day that has memos, festivals or a
// solar term to announce, placed in the template's list area.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/rect.h"
#include "calendar/date.h"
#include "days/day_info.h"
#include "holidays/holiday_announcements.h"

// The switches of the settings file that decide what a line may name.
struct ForenoticeSwitches {
    bool showReminders = false;   // ShowReminderOnForenotice
    bool showSolarTerms = false;  // ShowJieQiOnForenotice
    bool showHolidays = true;     // ShowHolidayOnForenotice: the next holiday of the holiday schedule
};

// Memo texts already named by an earlier line of the same list, so a memo
// that occurs on several days (a daily one) is named only once.
using ListedReminderTexts = std::set<std::string>;

// The line of the day `dayOffset` days from today, "" when the day has nothing
// to announce: memos as "08:00 text" (line breaks turned into spaces, each
// text once per list), festivals shown in the list with their suffixes, the
// solar term, joined by "，" and wrapped as 今天「…」！, 明天「…」, 后天「…」 or
// N天后「…」. Adds the memo texts it names to `listed`.
std::string BuildForenotice(int dayOffset, const DayInfo& day, const ForenoticeSwitches& switches,
                            ListedReminderTexts& listed);

struct ForenoticeLine {
    std::string text;
    Rect box;
};

// A line of its own about a coming period (the next holiday, from
// NextHolidayAnnouncements), listed just before the events of the day it
// begins on, or first when it began before today. It is not listed when it
// begins beyond the horizon.
using ForenoticeAnnouncement = HolidayAnnouncement;

constexpr int kDefaultListItemHeight = 20;

// The lines of the list for today and the `listForDays` days after it, each
// in the next box of `itemHeight` pixels down from the top of `listRect`. Days
// without events take no room; the list ends before the first box that would
// reach below the area, and at the last day of the calendar, 2099-12-31. No
// area (a template without LISTRECT), a horizon below 0 or a line height
// below 1 give no list.
std::vector<ForenoticeLine> BuildForenoticeLines(const Date& today, const std::optional<Rect>& listRect, int itemHeight,
                                                 int listForDays, const ForenoticeSwitches& switches,
                                                 DayInfoSource& days,
                                                 const std::vector<ForenoticeAnnouncement>& announcements = {});
