// Everything one rebuild of the month window places, computed without any
// window: the display list to paint, and per day the cell and the day
// information that the window uses for hit tests, menus and tooltips. A
// day's balloon text is made from them only when the balloon is about to show
// it: a month flip that prepared all of them would cost as much again as
// drawing the month.
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
    bool showToday = true;           // ring and today colours on today's cell
    int firstColWeekDay = 7;         // 1 = Monday ... 7 = Sunday (0 = Sunday)
    int listForDays = 30;            // -1 no list, 0 today only, n today and n more days
    bool showBalloonAlmanac = true;  // almanac block in the balloon texts
    Date today;                      // local date of the rebuild
    ForenoticeSwitches forenotice;   // read from the settings file at every rebuild
    // The holiday schedule with the law's days of the years it lacks
    // (DayData::offDays); none (ShowPublicHolidays=0) shows no badges,
    // announces no holiday and notes no missing schedule.
    const HolidaySchedule* offDays = nullptr;
    // What the planning dialogs mark (none: nothing marked).
    const DayMarks* marks = nullptr;
};

struct MonthLayout {
    DisplayList display;
    std::map<int, CellRect> cells;  // day of month -> whole cell
    std::map<int, DayInfo> days;
    std::map<int, OffDay> offDays;  // the shown month's days of the holiday schedule
    // What the balloon texts are made with: the rebuild's date (ages and
    // days to go count from it) and whether they have the almanac block.
    Date today;
    bool almanacInBalloon = true;
};

// Asks `days` once for each day of the month and once for each day of the
// list horizon, with almanac, festivals and memos.
MonthLayout LayOutMonth(const SkinTemplate& skin, const MonthLayoutRequest& request, DayInfoSource& days);

// The balloon text of a day of the laid-out month (BalloonText), "" for a day
// it does not have.
std::string BalloonTextOf(const MonthLayout& layout, int day);

// The day whose cell holds the point, 0 when none does.
int DayAt(const std::map<int, CellRect>& cells, int x, int y);
