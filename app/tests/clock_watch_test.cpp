#include "app/clock_watch.h"

#include <gtest/gtest.h>

namespace {

SystemTime At(int year, int month, int day, int hour, int minute, int second = 0) {
    SystemTime t = MakeDate(year, month, day);
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    t.second = static_cast<std::uint16_t>(second);
    return t;
}

TEST(ClockWatch, SeesNoChangeAtTheFirstTickAfterStartUp) {
    ClockWatch clock;
    clock.Reset(At(2013, 2, 9, 8, 0, 20));
    const ClockChanges changes = clock.Tick(At(2013, 2, 9, 8, 0, 20));
    EXPECT_FALSE(changes.date);
    EXPECT_FALSE(changes.minute);
}

TEST(ClockWatch, ReportsEachNewMinuteOnce) {
    ClockWatch clock;
    clock.Reset(At(2013, 2, 9, 8, 0, 59));
    EXPECT_TRUE(clock.Tick(At(2013, 2, 9, 8, 1, 0)).minute);
    EXPECT_FALSE(clock.Tick(At(2013, 2, 9, 8, 1, 0)).minute);
    EXPECT_FALSE(clock.Tick(At(2013, 2, 9, 8, 1, 30)).minute);
    EXPECT_TRUE(clock.Tick(At(2013, 2, 9, 9, 1, 0)).minute);  // same minute number, next hour
}

TEST(ClockWatch, ReportsMidnightAsANewDateAndANewMinute) {
    ClockWatch clock;
    clock.Reset(At(2013, 12, 31, 23, 59, 59));
    const ClockChanges changes = clock.Tick(At(2014, 1, 1, 0, 0, 0));
    EXPECT_TRUE(changes.date);
    EXPECT_TRUE(changes.minute);
    EXPECT_FALSE(clock.Tick(At(2014, 1, 1, 0, 0, 1)).date);
    EXPECT_EQ(clock.lastSeen().year, 2014);
}

TEST(ClockWatch, TreatsTheClockSetToAnotherDayLikeMidnight) {
    ClockWatch clock;
    clock.Reset(At(2013, 5, 10, 14, 30));
    const ClockChanges back = clock.Tick(At(2013, 5, 3, 14, 30));
    EXPECT_TRUE(back.date);
    EXPECT_FALSE(back.minute);  // same hour and minute: no alert check
}

}  // namespace
