#include "view/month_grid.h"

#include <algorithm>

namespace {

// 0 ... 6 for any integer.
int Modulo7(int number) { return ((number % 7) + 7) % 7; }

}  // namespace

MonthGrid ComputeMonthGrid(const Rect& body, int weekdayRowHeight, const YearMonth& month, int firstColWeekDay) {
    MonthGrid grid{};
    grid.body = body;
    grid.weekdayRowHeight = weekdayRowHeight;
    grid.offset = Modulo7(month.FirstDay().weekday() - firstColWeekDay);
    grid.daysInMonth = month.DayCount();
    grid.rows = (grid.offset + grid.daysInMonth + 6) / 7;
    grid.columnWidth = (body.right - body.left) / 7;
    grid.rowHeight = (body.bottom - body.top - weekdayRowHeight) / grid.rows;
    // Two fifths and three fifths in whole numbers: in the 32-bit program's
    // extended-precision floating point 0.6 * 45 lies just below 27, and both
    // programs must lay out the same pixels.
    grid.numberHeight = grid.rowHeight * 2 / 5;
    grid.secondLineHeight = grid.rowHeight * 3 / 5;
    return grid;
}

int WeekdayOfColumn(int column, int firstColWeekDay) { return Modulo7(column + firstColWeekDay - 1) + 1; }

Rect WeekdayHeaderBox(const MonthGrid& grid, int column) {
    const int left = grid.body.left + column * grid.columnWidth;
    return {left, grid.body.top, left + grid.columnWidth, grid.body.top + grid.weekdayRowHeight};
}

DayCellBoxes DayCellBoxesOf(const MonthGrid& grid, int day) {
    const int k = grid.offset + day - 1;
    const int left = grid.body.left + (k % 7) * grid.columnWidth;
    const int right = left + grid.columnWidth;
    const int top = grid.body.top + grid.weekdayRowHeight + (k / 7) * grid.rowHeight;
    const int middle = top + grid.numberHeight;
    const int bottom = middle + grid.secondLineHeight;
    return {{left, top, right, bottom}, {left, top, right, middle}, {left, middle, right, bottom}};
}

Rect TodayRingBox(const Rect& numberBox) {
    const int width = numberBox.right - numberBox.left;
    const int height = numberBox.bottom - numberBox.top;
    const int side = std::min(width, height);
    const int left = numberBox.left + (width - side) / 2;
    const int top = numberBox.top + (height - side) / 2;
    return {left + 6, top + 6, left + side - 6, top + side - 6};
}

Rect ReminderDotBox(const Rect& numberBox) {
    const int left = numberBox.left + (numberBox.right - numberBox.left - 6) / 2;
    return {left, numberBox.bottom, left + 6, numberBox.bottom + 6};
}
