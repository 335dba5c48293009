// Geometry of the day grid: where each day of a month sits inside the
// template's BODY rectangle. Integer arithmetic throughout, so a template
// places its cells on the same pixels on every machine.
#pragma once

#include "calendar/date.h"
#include "view/display_list.h"

struct MonthGrid {
    Rect body;             // the template's BODY
    int weekdayRowHeight;  // HEIGHTWEEKDAYROW: the header row at the top of BODY
    int offset;            // empty cells before day 1
    int daysInMonth;
    int rows;              // 4, 5 or 6
    int columnWidth;       // (BODY width) / 7
    int rowHeight;         // (BODY height - header) / rows
    int numberHeight;      // upper 0.4 of a row: the day number
    int secondLineHeight;  // lower 0.6: lunar day, festival or solar term
};

// firstColWeekDay, the setting of the weekday in the first column: 1 =
// Monday ... 7 = Sunday; 0 and other multiples of 7 mean Sunday.
MonthGrid ComputeMonthGrid(const Rect& body, int weekdayRowHeight, const YearMonth& month, int firstColWeekDay);

// The weekday shown in a header column: 1 = Monday ... 7 = Sunday.
int WeekdayOfColumn(int column, int firstColWeekDay);
Rect WeekdayHeaderBox(const MonthGrid& grid, int column);

struct DayCellBoxes {
    Rect cell;  // number and second line together: the hit-test area
    Rect number;
    Rect secondLine;
};
// day 1 ... daysInMonth.
DayCellBoxes DayCellBoxesOf(const MonthGrid& grid, int day);

// Today's ring: the number box cut to a centred square, 6 pixels in from
// every side.
Rect TodayRingBox(const Rect& numberBox);

// The memo dot: 6 x 6, centred horizontally, its top on the line between the
// day number and the second line.
Rect ReminderDotBox(const Rect& numberBox);
