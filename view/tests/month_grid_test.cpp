#include "view/month_grid.h"

#include <gtest/gtest.h>

#include "tests/support/dates.h"

namespace {

const Rect kBody{18, 80, 342, 380};

// Empty cells before the first day, the rows the month needs and their
// heights (the upper 0.4 of a row for the number, the lower 0.6 for the
// second line) for each first column.
TEST(MonthGridTest, TheMonthStartsAfterItsFirstWeekdaysCellsAndTakesTheRowsItNeeds) {
    struct Case {
        YearMonth month;
        int firstColumn;
        int offset, rows, rowHeight, numberHeight, secondLineHeight;
    };
    const Case cases[] = {
        {Month(2015, 2), 7, 0, 4, 69, 27, 41},  // 28 days from a Sunday: exactly four rows of (300 - 24) / 4
        {Month(2014, 8), 7, 5, 6, 46, 18, 27},  // 31 days from a Friday
        {Month(2014, 3), 1, 5, 6, 46, 18, 27},  // from a Saturday, Monday first
        {Month(2014, 6), 1, 6, 6, 46, 18, 27},  // from a Sunday, Monday first: the last column
    };
    for (const Case& c : cases) {
        const MonthGrid grid = ComputeMonthGrid(kBody, 24, c.month, c.firstColumn);
        EXPECT_EQ(grid.offset, c.offset) << c.month.ToString();
        EXPECT_EQ(grid.rows, c.rows) << c.month.ToString();
        EXPECT_EQ(grid.rowHeight, c.rowHeight) << c.month.ToString();
        EXPECT_EQ(grid.numberHeight, c.numberHeight) << c.month.ToString();
        EXPECT_EQ(grid.secondLineHeight, c.secondLineHeight) << c.month.ToString();
        EXPECT_EQ(DayCellBoxesOf(grid, 1).cell.left, 18 + c.offset * 46) << c.month.ToString();
    }
}

TEST(MonthGridTest, ZeroAsFirstWeekdayMeansSunday) {
    const MonthGrid zero = ComputeMonthGrid(kBody, 24, Month(2014, 6), 0);
    const MonthGrid seven = ComputeMonthGrid(kBody, 24, Month(2014, 6), 7);
    EXPECT_EQ(zero.offset, seven.offset);
    EXPECT_EQ(WeekdayOfColumn(0, 0), kSunday);
    EXPECT_EQ(WeekdayOfColumn(0, 7), kSunday);
    EXPECT_EQ(WeekdayOfColumn(6, 7), 6);
    EXPECT_EQ(WeekdayOfColumn(0, 1), kMonday);
    EXPECT_EQ(WeekdayOfColumn(6, 1), kSunday);
}

TEST(MonthGridTest, ColumnWidthAndRowHeightUseIntegerDivision) {
    const MonthGrid grid = ComputeMonthGrid({0, 0, 300, 200}, 20, Month(2015, 2), 7);
    EXPECT_EQ(grid.columnWidth, 42);  // 300 / 7 = 42.86
    EXPECT_EQ(grid.rowHeight, 45);    // 180 / 4
    EXPECT_EQ(grid.numberHeight, 18);
    EXPECT_EQ(grid.secondLineHeight, 27);
}

TEST(MonthGridTest, CellsRunRowByRowBelowTheWeekdayHeader) {
    const MonthGrid grid = ComputeMonthGrid(kBody, 24, Month(2014, 8), 7);
    const DayCellBoxes first = DayCellBoxesOf(grid, 1);
    EXPECT_EQ(first.cell, (Rect{18 + 5 * 46, 104, 18 + 6 * 46, 104 + 18 + 27}));
    EXPECT_EQ(first.number, (Rect{248, 104, 294, 122}));
    EXPECT_EQ(first.secondLine, (Rect{248, 122, 294, 149}));
    const DayCellBoxes third = DayCellBoxesOf(grid, 3);  // Sunday: first column of the second row
    EXPECT_EQ(third.cell.left, 18);
    EXPECT_EQ(third.cell.top, 104 + 46);
    const DayCellBoxes last = DayCellBoxesOf(grid, 31);  // Sunday of the sixth row
    EXPECT_EQ(last.cell.left, 18);
    EXPECT_EQ(last.cell.top, 104 + 5 * 46);
    EXPECT_EQ(WeekdayHeaderBox(grid, 2), (Rect{18 + 2 * 46, 80, 18 + 3 * 46, 104}));
}

TEST(MonthGridTest, TheRingIsASquareSixPixelsInsideTheNumberBox) {
    EXPECT_EQ(TodayRingBox({18, 104, 64, 134}), (Rect{32, 110, 50, 128}));
    // An odd difference loses its half pixel: (47 - 30) / 2 = 8.
    EXPECT_EQ(TodayRingBox({0, 0, 47, 30}), (Rect{14, 6, 32, 24}));
    EXPECT_EQ(TodayRingBox({0, 0, 20, 40}), (Rect{6, 16, 14, 24}));
}

TEST(MonthGridTest, TheReminderDotSitsCentredOnTheLineUnderTheNumber) {
    EXPECT_EQ(ReminderDotBox({18, 104, 64, 122}), (Rect{38, 122, 44, 128}));
    EXPECT_EQ(ReminderDotBox({0, 0, 45, 20}), (Rect{19, 20, 25, 26}));
}

}  // namespace
