// Everything one rebuild of the month window places, computed without any
// window: the display list to paint, and per day the cell, the day
// information and the balloon text that the window uses for hit tests,
// menus and tooltips.
#pragma once

#include <map>
#include <string>

#include "almanac/day_info.h"
#include "calendar/gregorian.h"
#include "festivals/off_days.h"
#include "reminders/forenotice.h"
#include "view/display_list.h"

using CellRect = Rect;

struct MonthLayoutRequest {
    int year = 0;
    int month = 0;                  // 1-12
    int showToday = 1;              // ring and today colours on today's cell
    int firstColWeekDay = 7;        // 1 = Monday ... 7 = Sunday (0 = Sunday)
    int listForDays = 30;           // -1 no list, 0 today only, n today and n more days
    int showAlmanac = 1;            // almanac block in the balloon texts
    CivilDate today{0, 0, 0};       // local date of the rebuild
    ForenoticeSwitches forenotice;  // read from the settings file at every rebuild
    // The public-holiday schedule; none (ShowPublicHolidays=0) shows no
    // badges and announces no holiday.
    const OffDaySchedule* offDays = nullptr;
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
// placed on its first day off: the holiday, then its make-up days when it has
// any (one line would not fit a template's list); none when the schedule has
// no holiday left.
std::vector<ForenoticeAnnouncement> NextHolidayAnnouncements(const OffDaySchedule& schedule, const CivilDate& today);

// The day whose cell holds the point, 0 when none does.
int DayAt(const std::map<int, CellRect>& cells, int x, int y);
