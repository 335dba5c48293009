#include "view/month_navigation.h"

#include <gtest/gtest.h>

#include "tests/support/dates.h"

namespace {

using Command = CalendarKeyCommand;

TEST(CalendarKeys, EachKeyOfTheMonthWindowHasOneCommand) {
    struct Case {
        int key;
        bool control, shift, alt;
        Command command;
    };
    const Case cases[] = {
        {key_code::kLeft, false, false, false, Command::kPreviousDay},
        {key_code::kRight, false, false, false, Command::kNextDay},
        {key_code::kUp, false, false, false, Command::kPreviousWeek},
        {key_code::kDown, false, false, false, Command::kNextWeek},
        {key_code::kPageUp, false, false, false, Command::kPreviousMonth},
        {key_code::kPageDown, false, false, false, Command::kNextMonth},
        {key_code::kPageUp, true, false, false, Command::kPreviousYear},
        {key_code::kPageDown, true, false, false, Command::kNextYear},
        {key_code::kHome, false, false, false, Command::kToday},
        {key_code::kEnter, false, false, false, Command::kOpenAlmanacPage},
        {key_code::kApps, false, false, false, Command::kDayMenu},
        {key_code::kF10, false, true, false, Command::kDayMenu},
        {key_code::kEscape, false, false, false, Command::kHide},
        {'G', true, false, false, Command::kGoToDate},
        // What the window leaves alone: plain F10 and letters, Ctrl with the
        // arrows, and anything with Alt (the system's menu keys).
        {key_code::kF10, false, false, false, Command::kNone},
        {'G', false, false, false, Command::kNone},
        {'G', true, true, false, Command::kNone},
        {'H', true, false, false, Command::kNone},
        {key_code::kLeft, true, false, false, Command::kNone},
        {key_code::kDown, false, true, false, Command::kNone},
        {key_code::kPageUp, false, false, true, Command::kNone},
        {key_code::kEscape, false, false, true, Command::kNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandOfKey(c.key, c.control, c.shift, c.alt), c.command)
            << "key " << c.key << (c.control ? " ctrl" : "") << (c.shift ? " shift" : "") << (c.alt ? " alt" : "");
    }
}

TEST(RingKeys, MoveTheRingAcrossMonthsAndYears) {
    const Date today = D(2026, 12, 8);
    struct Case {
        Command command;
        Date from, to;
    };
    const Case cases[] = {
        {Command::kNextDay, D(2026, 12, 8), D(2026, 12, 9)},
        {Command::kNextDay, D(2026, 12, 31), D(2027, 1, 1)},
        {Command::kPreviousDay, D(2026, 3, 1), D(2026, 2, 28)},
        {Command::kNextWeek, D(2026, 12, 29), D(2027, 1, 5)},
        {Command::kPreviousWeek, D(2024, 3, 3), D(2024, 2, 25)},
        {Command::kNextMonth, D(2026, 1, 31), D(2026, 2, 28)},  // February is shorter
        {Command::kNextMonth, D(2024, 1, 31), D(2024, 2, 29)},
        {Command::kPreviousMonth, D(2027, 1, 15), D(2026, 12, 15)},
        {Command::kNextYear, D(2024, 2, 29), D(2025, 2, 28)},
        {Command::kPreviousYear, D(2026, 12, 8), D(2025, 12, 8)},
        {Command::kToday, D(1950, 6, 1), today},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RingTarget(c.command, c.from, today), c.to)
            << static_cast<int>(c.command) << " from " << c.from.ToString();
    }
}

TEST(RingKeys, StopAtTheFirstAndLastDayTheCalendarHolds) {
    const Date today = D(2026, 12, 8);
    EXPECT_EQ(RingTarget(Command::kPreviousDay, D(1901, 1, 1), today), D(1901, 1, 1));
    EXPECT_EQ(RingTarget(Command::kPreviousWeek, D(1901, 1, 3), today), D(1901, 1, 1));
    EXPECT_EQ(RingTarget(Command::kPreviousMonth, D(1901, 1, 20), today), D(1901, 1, 20));
    EXPECT_EQ(RingTarget(Command::kPreviousYear, D(1901, 5, 20), today), D(1901, 1, 20));
    EXPECT_EQ(RingTarget(Command::kNextDay, D(2099, 12, 31), today), D(2099, 12, 31));
    EXPECT_EQ(RingTarget(Command::kNextWeek, D(2099, 12, 28), today), D(2099, 12, 31));
    EXPECT_EQ(RingTarget(Command::kNextYear, D(2099, 3, 31), today), D(2099, 12, 31));
}

TEST(RingKeys, KeysThatDoNotMoveTheRingGiveNoDay) {
    for (const Command command :
         {Command::kNone, Command::kGoToDate, Command::kOpenAlmanacPage, Command::kDayMenu, Command::kHide}) {
        EXPECT_FALSE(RingTarget(command, D(2026, 12, 8), D(2026, 12, 8))) << static_cast<int>(command);
    }
}

TEST(RingKeys, TheFirstKeyStartsOnTodayInItsMonthElseOnTheFirst) {
    EXPECT_EQ(RingStart(Month(2026, 12), D(2026, 12, 8)), D(2026, 12, 8));
    EXPECT_EQ(RingStart(Month(2027, 3), D(2026, 12, 8)), D(2027, 3, 1));
}

TEST(StepMonths, StaysWithinTheMonthsTheCalendarShows) {
    EXPECT_EQ(StepMonths(Month(2026, 12), 1), Month(2027, 1));
    EXPECT_EQ(StepMonths(Month(2026, 1), -1), Month(2025, 12));
    EXPECT_EQ(StepMonths(Month(2026, 5), -12), Month(2025, 5));
    EXPECT_EQ(StepMonths(Month(1901, 2), -3), Month(1901, 1));
    EXPECT_EQ(StepMonths(Month(2099, 11), 12), Month(2099, 12));
    EXPECT_EQ(StepMonths(Month(2000, 1), 1 << 30), Month(2099, 12));
    EXPECT_EQ(StepMonths(Month(2000, 1), -(1 << 30)), Month(1901, 1));
}

TEST(WheelAccumulator, CountsWholeNotchesOfEveryWheel) {
    struct Case {
        const char* wheel;
        std::vector<int> deltas;
        std::vector<int> notches;  // after each delta
    };
    const Case cases[] = {
        {"a notched wheel", {120, 120, -120}, {1, 1, -1}},
        {"a fast spin", {360}, {3}},
        {"a fine wheel, quarter notches", {30, 30, 30, 30, 30}, {0, 0, 0, 1, 0}},
        {"fine steps that do not divide a notch", {50, 50, 50, 50, 50}, {0, 0, 1, 0, 1}},
        {"backwards in fine steps", {-40, -40, -40}, {0, 0, -1}},
        // A reversal drops what was left over: never a move the old way.
        {"a reversal", {100, -30, -90}, {0, 0, -1}},
        {"a notch and a half, then back", {180, -120}, {1, -1}},
    };
    for (const Case& c : cases) {
        WheelAccumulator wheel;
        std::vector<int> notches;
        for (const int delta : c.deltas) notches.push_back(wheel.Add(delta));
        EXPECT_EQ(notches, c.notches) << c.wheel;
    }
}

TEST(WheelAccumulator, SurvivesAbsurdDeltas) {
    WheelAccumulator wheel;
    EXPECT_GT(wheel.Add(INT32_MAX), 0);
    EXPECT_GT(wheel.Add(INT32_MAX), 0);
    EXPECT_LT(wheel.Add(INT32_MIN), 0);
}

TEST(WheelMonths, AwayFromTheUserGoesBackAMonthANotchOrAYearWithCtrl) {
    EXPECT_EQ(MonthsForWheel(1, false), -1);
    EXPECT_EQ(MonthsForWheel(-2, false), 2);
    EXPECT_EQ(MonthsForWheel(1, true), -12);
    EXPECT_EQ(MonthsForWheel(-1, true), 12);
    EXPECT_EQ(MonthsForWheel(0, true), 0);
}

}  // namespace
