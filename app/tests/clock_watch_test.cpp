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

SystemTime At(int hour, int minute, int second, int milliseconds) {
    SystemTime t = At(2013, 2, 9, hour, minute, second);
    t.milliseconds = static_cast<std::uint16_t>(milliseconds);
    return t;
}

TEST(ClockWatch, TheTimerWaitsUntilJustAfterTheNextMinuteBegins) {
    EXPECT_EQ(MillisecondsToNextTick(At(8, 0, 0, 0)), 60000u + kTickMarginMs);
    EXPECT_EQ(MillisecondsToNextTick(At(8, 0, 20, 250)), 39750u + kTickMarginMs);
    EXPECT_EQ(MillisecondsToNextTick(At(23, 59, 59, 999)), 1u + kTickMarginMs);
    EXPECT_EQ(MillisecondsToNextTick(At(8, 0, 60, 0)), 1000u + kTickMarginMs);  // a leap second
}

// Each tick re-arms from the time it sees, so ticks a little early or late
// still report every minute exactly once, midnight included.
TEST(ClockWatch, TicksAtTheBoundariesSeeEveryMinuteOnce) {
    ClockWatch clock;
    SystemTime now = At(2013, 12, 31, 23, 57, 42);
    clock.Reset(now);
    int minutes = 0, dates = 0;
    std::int64_t elapsedMs = 0;
    const std::int64_t start = (23 * 60 + 57) * 60000LL + 42000;
    for (int tick = 0; tick < 8; ++tick) {
        // The platform fires the timer up to 16 ms early or 40 ms late.
        elapsedMs += MillisecondsToNextTick(now) + (tick % 2 == 0 ? -16 : 40);
        const std::int64_t at = start + elapsedMs;
        const std::int64_t inDay = at % (24 * 60 * 60000LL);
        now = At(at >= 24 * 60 * 60000LL ? 2014 : 2013, at >= 24 * 60 * 60000LL ? 1 : 12,
                 at >= 24 * 60 * 60000LL ? 1 : 31, static_cast<int>(inDay / 3600000),
                 static_cast<int>(inDay / 60000 % 60), static_cast<int>(inDay / 1000 % 60));
        now.milliseconds = static_cast<std::uint16_t>(inDay % 1000);
        const ClockChanges changes = clock.Tick(now);
        minutes += changes.minute;
        dates += changes.date;
    }
    EXPECT_EQ(minutes, 8);  // 23:58 ... 00:05
    EXPECT_EQ(dates, 1);
    EXPECT_EQ(clock.lastSeen().minute, 5);
}

TEST(ClockWatch, AMinuteReachedDuringATicksWorkIsTickedAtOnce) {
    ClockWatch clock;
    clock.Reset(At(2013, 2, 9, 8, 0, 59));
    clock.Tick(At(2013, 2, 9, 8, 1, 0));
    EXPECT_EQ(clock.NextTickDelay(At(2013, 2, 9, 8, 1, 0)), 60000u + kTickMarginMs);
    EXPECT_EQ(clock.NextTickDelay(At(2013, 2, 9, 8, 2, 0)), kTickMarginMs);
    EXPECT_EQ(clock.NextTickDelay(At(2013, 2, 10, 8, 1, 0)), kTickMarginMs);  // the clock set to the next day
}

}  // namespace
