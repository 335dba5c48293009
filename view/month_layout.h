// Everything one rebuild of the month window places, computed without any
// window: the display list to paint, and per day the cell, the day
// information and the balloon text that the window uses for hit tests,
// menus and tooltips.
#pragma once

#include <map>
#include <string>

#include "calendar/date.h"
#include "days/day_info.h"
#include "holidays/holiday_schedule.h"
#include "notices/forenotice.h"
#include "view/day_marks.h"
#include "view/display_list.h"

using CellRect = Rect;

struct MonthLayoutRequest {
    YearMonth month;
    int showToday = 1;              // ring and today colours on today's cell
    int firstColWeekDay = 7;        // 1 = Monday ... 7 = Sunday (0 = Sunday)
    int listForDays = 30;           // -1 no list, 0 today only, n today and n more days
    int showAlmanac = 1;            // almanac block in the balloon texts
    Date today;                     // local date of the rebuild
    ForenoticeSwitches forenotice;  // read from the settings file at every rebuild
    // The public-holiday schedule with the law's days of the years it lacks
    // (MonthSources::offDays); none (ShowPublicHolidays=0) shows no badges,
    // announces no holiday and notes no missing schedule.
    const OffDaySchedule* offDays = nullptr;
    // What the planning dialogs mark (none: nothing marked).
    const DayMarks* marks = nullptr;
};

struct MonthLayout {
    DisplayList display;
    std::map<int, CellRect> cells;  // day of month -> whole cell
    std::map<int, DayInfo> days;
    std::map<int, std::string> balloonTexts;
    std::map<int, OffDay> offDays;  // the shown month's days of the holiday schedule
};

// Asks `days` once for each day of the month and once for each day of the
// list horizon, with almanac, festivals and memos.
MonthLayout LayOutMonth(const SkinTemplate& skin, const MonthLayoutRequest& request, DayInfoSource& days);

// The lines announcing the next public holiday that has not ended by `today`,
// placed on its first day off: the holiday, then its make-up days from today
// on when it has any (one line would not fit a template's list); then, on the first of them,
// the make-up days of later holidays that come before it begins. None when
// the schedule has no holiday left.
std::vector<ForenoticeAnnouncement> NextHolidayAnnouncements(const OffDaySchedule& schedule, const Date& today);

// The day whose cell holds the point, 0 when none does.
int DayAt(const std::map<int, CellRect>& cells, int x, int y);
