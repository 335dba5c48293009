#include "app/clock_watch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/dates.h"

namespace {

// What one tick after the last reading reports: a new date at midnight and
// when the clock is set to another day (the same hour and minute then ask
// for no alert check), a new minute whenever the minute differs.
TEST(ClockWatch, ReportsANewDateAndANewMinuteAsTheClockMoves) {
    struct Case {
        const char* what;
        SystemTime seen, now;
        bool date, minute;
    } cases[] = {
        {"the first tick after start-up", At(2013, 2, 9, 8, 0, 20), At(2013, 2, 9, 8, 0, 20), false, false},
        {"midnight", At(2013, 12, 31, 23, 59, 59), At(2014, 1, 1, 0, 0, 0), true, true},
        {"the clock set back a week", At(2013, 5, 10, 14, 30), At(2013, 5, 3, 14, 30), true, false},
    };
    for (const Case& c : cases) {
        ClockWatch clock;
        clock.Reset(c.seen);
        const ClockChanges changes = clock.Tick(c.now);
        EXPECT_EQ(changes.date, c.date) << c.what;
        EXPECT_EQ(changes.minute, c.minute) << c.what;
        EXPECT_EQ(clock.lastSeen().year, c.now.year) << c.what;
        EXPECT_FALSE(clock.Tick(c.now).date) << c.what << ": once";
    }
}

TEST(ClockWatch, ReportsEachNewMinuteOnce) {
    ClockWatch clock;
    clock.Reset(At(2013, 2, 9, 8, 0, 59));
    EXPECT_TRUE(clock.Tick(At(2013, 2, 9, 8, 1, 0)).minute);
    EXPECT_FALSE(clock.Tick(At(2013, 2, 9, 8, 1, 0)).minute);
    EXPECT_FALSE(clock.Tick(At(2013, 2, 9, 8, 1, 30)).minute);
    EXPECT_TRUE(clock.Tick(At(2013, 2, 9, 9, 1, 0)).minute);  // same minute number, next hour
}

TEST(MonthAfterDateChange, GoesToTodaysMonthWhateverMonthWasShown) {
    struct Case {
        YearMonth shown;
        SystemTime now;
        YearMonth after;
    };
    const Case cases[] = {
        // The window showing the old month turns to the new one at midnight.
        {Month(2026, 12), At(2027, 1, 1), Month(2027, 1)},
        // Within a month the month stays; after a sleep of weeks it follows too.
        {Month(2026, 5), At(2026, 5, 10), Month(2026, 5)},
        {Month(2026, 5), At(2026, 7, 2, 8, 0), Month(2026, 7)},
        // A month the user turned to gives way to today's, the same month of
        // another year too, and one ahead of today as well.
        {Month(2026, 11), At(2027, 1, 1), Month(2027, 1)},
        {Month(2025, 12), At(2027, 1, 1), Month(2027, 1)},
        {Month(2027, 3), At(2027, 1, 1), Month(2027, 1)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MonthAfterDateChange(c.shown, c.now), c.after) << c.shown.ToString();
    }
}

SystemTime OnFeb9At(int hour, int minute, int second, int milliseconds) {
    return At(2013, 2, 9, hour, minute, second, milliseconds);
}

TEST(ClockWatch, TheTimerWaitsUntilJustAfterTheNextMinuteBegins) {
    EXPECT_EQ(MillisecondsToNextTick(OnFeb9At(8, 0, 0, 0)), 60000u + kTickMarginMs);
    EXPECT_EQ(MillisecondsToNextTick(OnFeb9At(8, 0, 20, 250)), 39750u + kTickMarginMs);
    EXPECT_EQ(MillisecondsToNextTick(OnFeb9At(23, 59, 59, 999)), 1u + kTickMarginMs);
    EXPECT_EQ(MillisecondsToNextTick(OnFeb9At(8, 0, 60, 0)), 1000u + kTickMarginMs);  // a leap second
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

namespace {

std::string MinuteText(const SystemTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

TEST(AlertSchedule, ChecksEachNewMinuteOnceButNotTheMinuteOfStartUp) {
    AlertSchedule alerts;
    alerts.Reset(At(2013, 2, 9, 8, 0, 40));
    EXPECT_FALSE(alerts.Tick(At(2013, 2, 9, 8, 0, 50)).thisMinute);
    const AlertCheck next = alerts.Tick(At(2013, 2, 9, 8, 1, 0));
    EXPECT_TRUE(next.thisMinute);
    EXPECT_FALSE(next.missedAfter.has_value());
    EXPECT_FALSE(alerts.Tick(At(2013, 2, 9, 8, 1, 30)).thisMinute);
}

TEST(AlertSchedule, AfterASleepTheSkippedMinutesAreCheckedAsMissed) {
    AlertSchedule alerts;
    alerts.Reset(At(2013, 2, 9, 11, 50));
    const AlertCheck woken = alerts.Tick(At(2013, 2, 9, 13, 5, 12));
    EXPECT_TRUE(woken.thisMinute);
    ASSERT_TRUE(woken.missedAfter.has_value());
    EXPECT_EQ(woken.missedAfter->hour * 100 + woken.missedAfter->minute, 1150);
    EXPECT_FALSE(alerts.Tick(At(2013, 2, 9, 13, 6)).missedAfter.has_value());
}

TEST(AlertSchedule, ASleepAcrossMidnightReachesBackIntoTheDayBefore) {
    AlertSchedule alerts;
    alerts.Reset(At(2013, 12, 31, 22, 0));
    const AlertCheck woken = alerts.Tick(At(2014, 1, 1, 7, 30));
    ASSERT_TRUE(woken.missedAfter.has_value());
    EXPECT_EQ(woken.missedAfter->year, 2013);
    EXPECT_EQ(woken.missedAfter->day, 31);
    EXPECT_EQ(woken.missedAfter->hour, 22);
}

TEST(AlertSchedule, AThreeDayGapReachesBackTwoDaysOnly) {
    AlertSchedule alerts;
    alerts.Reset(At(2013, 3, 1, 9, 0));
    const AlertCheck woken = alerts.Tick(At(2013, 3, 4, 9, 0));
    ASSERT_TRUE(woken.missedAfter.has_value());
    // Alerts due from 2 March 09:00 on, the minute after this one.
    EXPECT_EQ(woken.missedAfter->month * 10000 + woken.missedAfter->day * 100 + woken.missedAfter->hour, 30208);
    EXPECT_EQ(woken.missedAfter->minute, 59);
}

TEST(AlertSchedule, AClockSetBackChecksTheNewTimeAndEveryMinuteAfterIt) {
    AlertSchedule alerts;
    alerts.Reset(At(2013, 3, 4, 10, 0));
    alerts.Tick(At(2013, 3, 4, 10, 30));
    const AlertCheck back = alerts.Tick(At(2013, 3, 4, 10, 5));
    EXPECT_TRUE(back.thisMinute);
    EXPECT_FALSE(back.missedAfter.has_value());
    for (int minute = 6; minute <= 31; ++minute) {
        EXPECT_TRUE(alerts.Tick(At(2013, 3, 4, 10, minute)).thisMinute) << "10:" << minute;
    }
}

TEST(AlertSchedule, ACorrectionOfSecondsAcrossAMinuteRepeatsNothing) {
    AlertSchedule alerts;
    alerts.Reset(At(2013, 3, 4, 10, 0, 2));
    EXPECT_FALSE(alerts.Tick(At(2013, 3, 4, 9, 59, 58)).thisMinute);
    EXPECT_FALSE(alerts.Tick(At(2013, 3, 4, 10, 0, 2)).thisMinute);
    EXPECT_TRUE(alerts.Tick(At(2013, 3, 4, 10, 1)).thisMinute);
}

TEST(AlertSchedule, AtStartUpTheMinutesSinceTheLastRunAreCheckedUpToAWeekBack) {
    const struct {
        const char* what;
        std::optional<SystemTime> last;
        SystemTime now;
        bool thisMinute;
        std::optional<SystemTime> missedAfter;
    } cases[] = {
        {"first run", std::nullopt, At(2026, 12, 8, 8, 5), true, std::nullopt},
        {"restarted in the same minute", At(2026, 12, 8, 8, 5), At(2026, 12, 8, 8, 5, 40), false, std::nullopt},
        {"restarted the next minute", At(2026, 12, 8, 8, 4), At(2026, 12, 8, 8, 5), true, std::nullopt},
        {"booted in the morning", At(2026, 12, 7, 23, 10), At(2026, 12, 8, 8, 5), true, At(2026, 12, 7, 23, 10)},
        {"off for a fortnight", At(2026, 11, 20, 9, 0), At(2026, 12, 8, 8, 5), true, At(2026, 12, 1, 8, 4)},
        {"clock set back while off", At(2026, 12, 9, 8, 0), At(2026, 12, 8, 8, 5), true, std::nullopt},
    };
    for (const auto& c : cases) {
        AlertSchedule alerts;
        const AlertCheck check = alerts.Start(c.now, c.last);
        EXPECT_EQ(check.thisMinute, c.thisMinute) << c.what;
        ASSERT_EQ(check.missedAfter.has_value(), c.missedAfter.has_value()) << c.what;
        if (c.missedAfter) {
            EXPECT_EQ(MinuteText(*check.missedAfter), MinuteText(*c.missedAfter)) << c.what;
        }
        EXPECT_EQ(MinuteText(alerts.lastChecked()), MinuteText(c.now)) << c.what;
    }
}

TEST(AlertSchedule, AClockCorrectedByDaysStartsAfresh) {
    AlertSchedule alerts;
    alerts.Reset(At(2030, 1, 1, 10, 0));
    const AlertCheck corrected = alerts.Tick(At(2013, 3, 4, 10, 0));
    EXPECT_TRUE(corrected.thisMinute);
    EXPECT_FALSE(corrected.missedAfter.has_value());
    EXPECT_TRUE(alerts.Tick(At(2013, 3, 4, 10, 1)).thisMinute);
}

TEST(FileRetry, AnUnreadableFileIsTriedEveryHalfMinuteForTenMinutesThenEveryFive) {
    unsigned waited = 0;
    int failures = 1;
    for (; waited < 600; ++failures) {
        EXPECT_EQ(FileRetryDelaySeconds(failures), 30u) << failures;
        waited += FileRetryDelaySeconds(failures);
    }
    EXPECT_EQ(FileRetryDelaySeconds(failures), 300u);
    EXPECT_EQ(FileRetryDelaySeconds(1000), 300u) << "never given up";
}

}  // namespace
