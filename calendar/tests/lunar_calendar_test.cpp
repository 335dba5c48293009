#include "calendar/lunar_calendar.h"

#include <gtest/gtest.h>

#include "calendar/gregorian.h"

namespace {

Date D(int y, int m, int d) { return Date::FromCivil(y, m, d).value(); }

TEST(SolarToLunar, GivesTheLunarDateOfKnownDays) {
    struct Case {
        Date solar;
        LunarDate lunar;
    };
    const Case cases[] = {
        // New year of 2013 and the day before.
        {D(2013, 2, 10), {2013, 1, 1, 0}},
        {D(2013, 2, 9), {2012, 12, 29, 0}},
        // The leap second month of 2023.
        {D(2023, 2, 20), {2023, 2, 1, 0}},
        {D(2023, 3, 21), {2023, 2, 30, 0}},
        {D(2023, 3, 22), {2023, 2, 1, 1}},
        {D(2023, 4, 19), {2023, 2, 29, 1}},
        {D(2023, 4, 20), {2023, 3, 1, 0}},
        // The leap eleventh month of 2033, and the walk back from the next year.
        {D(2033, 12, 22), {2033, 11, 1, 1}},
        {D(2034, 1, 20), {2033, 12, 1, 0}},
        // The ends of the table.
        {D(1901, 2, 19), {1901, 1, 1, 0}},
        {D(2099, 12, 31), {2099, 11, 20, 0}},
        // The Gregorian leap day is counted.
        {D(2000, 2, 29), {2000, 1, 25, 0}},
        {D(2000, 3, 1), {2000, 1, 26, 0}},
        // Corrected entries follow the astronomical calendar: in 2025 the
        // fourth month begins on 28 April (new moon 27 April 19:31 UTC); in
        // 1989 the new moon of 2 August 00:06 CST opens the seventh month;
        // in 2089 and 2097 a big month moved by one place.
        {D(2025, 4, 27), {2025, 3, 30, 0}},
        {D(2025, 4, 28), {2025, 4, 1, 0}},
        {D(1989, 8, 1), {1989, 6, 30, 0}},
        {D(1989, 8, 2), {1989, 7, 1, 0}},
        {D(2089, 9, 4), {2089, 8, 1, 0}},
        {D(2097, 8, 7), {2097, 7, 1, 0}},
        // Days before lunar 1901 give their true lunar 1900 dates.
        {D(1900, 12, 22), {1900, 11, 1, 0}},
        {D(1901, 1, 1), {1900, 11, 11, 0}},
        {D(1901, 1, 19), {1900, 11, 29, 0}},
        {D(1901, 1, 20), {1900, 12, 1, 0}},
        {D(1901, 2, 18), {1900, 12, 30, 0}},
        // Earlier days stay inside the table.
        {D(1850, 6, 1), {1900, 11, 1, 0}},
    };
    for (const Case& c : cases) {
        const LunarDate l = SolarToLunar(c.solar);
        EXPECT_TRUE(l.year == c.lunar.year && l.month == c.lunar.month && l.day == c.lunar.day &&
                    l.isLeap == c.lunar.isLeap)
            << c.solar.ToString() << " gave " << l.year << "-" << l.month << "-" << l.day << " leap " << l.isLeap;
    }
}

TEST(SolarToLunar, DatesAfterTheTableStayInsideIt) {
    const LunarDate after = SolarToLunar(D(2100, 6, 1));
    EXPECT_EQ(after.year, 2099);
    EXPECT_GE(after.month, 1);
    EXPECT_LE(after.month, 12);
    EXPECT_GE(after.day, 1);
    EXPECT_LE(after.day, 30);
}

TEST(LunarInfo, ReadsTheExamplesOfTheTable) {
    const LunarYearInfo y1901 = GetLunarYearInfo(1901);
    EXPECT_EQ(y1901.newYearMonth, 2);
    EXPECT_EQ(y1901.newYearDay, 19);
    EXPECT_EQ(y1901.leapMonth, 0);
    EXPECT_EQ(y1901.monthCount, 12);
    const LunarYearInfo y2023 = GetLunarYearInfo(2023);
    EXPECT_EQ(y2023.newYearMonth, 1);
    EXPECT_EQ(y2023.newYearDay, 22);
    EXPECT_EQ(y2023.leapMonth, 2);
    EXPECT_EQ(y2023.monthCount, 13);
}

// Every day of the supported range, walked in order: the lunar day advances by
// one or a new month starts at day 1 after a month of the table's length, the
// months follow the year's sequence (leap month after its namesake), and each
// lunar new year falls on its table date.
TEST(SolarToLunar, EveryDayFrom1901To2099FollowsTheTable) {
    LunarDate previous = SolarToLunar(D(1901, 2, 19));
    int monthIndex = 0;  // position of the current month in its year's sequence
    int checkedNewYears = 1;
    for (const Date c : DateRange(D(1901, 2, 20), D(2099, 12, 31))) {
        const LunarDate l = SolarToLunar(c);
        const LunarYearInfo info = GetLunarYearInfo(previous.year);
        if (l.day == previous.day + 1) {
            ASSERT_EQ(l.year, previous.year);
            ASSERT_EQ(l.month, previous.month);
            ASSERT_EQ(l.isLeap, previous.isLeap);
            previous = l;
            continue;
        }
        ASSERT_EQ(l.day, 1) << c.ToString();
        ASSERT_EQ(previous.day, info.monthLengths[monthIndex]) << c.ToString();
        if (monthIndex + 1 == info.monthCount) {
            ASSERT_EQ(l.year, previous.year + 1);
            ASSERT_EQ(l.month, 1);
            ASSERT_EQ(l.isLeap, 0);
            const LunarYearInfo next = GetLunarYearInfo(l.year);
            ASSERT_EQ(c.month(), next.newYearMonth);
            ASSERT_EQ(c.day(), next.newYearDay);
            monthIndex = 0;
            ++checkedNewYears;
        } else {
            ++monthIndex;
            const bool isLeap = info.leapMonth != 0 && monthIndex == info.leapMonth;
            const bool afterLeap = info.leapMonth != 0 && monthIndex >= info.leapMonth;
            ASSERT_EQ(l.year, previous.year);
            ASSERT_EQ(l.month, afterLeap ? monthIndex : monthIndex + 1);
            ASSERT_EQ(l.isLeap, isLeap ? 1 : 0);
        }
        previous = l;
    }
    EXPECT_EQ(checkedNewYears, 2099 - 1901 + 1);
}

TEST(LunarInfo, EachYearsMonthsAddUpToTheDistanceBetweenNewYears) {
    for (int y = 1901; y < 2099; ++y) {
        const LunarYearInfo a = GetLunarYearInfo(y);
        const LunarYearInfo b = GetLunarYearInfo(y + 1);
        int total = 0;
        for (int k = 0; k < a.monthCount; ++k) total += a.monthLengths[k];
        EXPECT_EQ(
            SerialFromCivil(y + 1, b.newYearMonth, b.newYearDay) - SerialFromCivil(y, a.newYearMonth, a.newYearDay),
            total)
            << y;
        EXPECT_EQ(LunarInfoValue(y) >> 24, 0u) << y;
    }
}

TEST(LunarToSolar, RefusesWhatNoYearOfTheTableHas) {
    EXPECT_EQ(LunarToSolar(2028, 5, 5), D(2028, 5, 28));  // not 闰五月初五, 6-27
    EXPECT_EQ(LunarToSolar(2024, 12, 30), std::nullopt);  // 腊月 of lunar 2024 has 29 days
    EXPECT_EQ(LunarToSolar(1900, 1, 1), std::nullopt);
    EXPECT_EQ(LunarToSolar(2100, 1, 1), std::nullopt);
    EXPECT_EQ(LunarToSolar(2026, 13, 1), std::nullopt);
    EXPECT_EQ(LunarToSolar(2026, 0, 1), std::nullopt);
    EXPECT_EQ(LunarToSolar(2026, 1, 0), std::nullopt);
}

// Published dates of the lunar calendar (new years, leap months, the
// festivals people look up), read the other way.
TEST(DateOfLunar, GivesThePublishedGregorianDates) {
    struct Case {
        LunarDate lunar;
        Date solar;
    };
    const Case cases[] = {
        {{2027, 8, 12, 0}, D(2027, 9, 12)},   // three days before 中秋 2027 (9月15日)
        {{2030, 1, 1, 0}, D(2030, 2, 3)},     // 春节 2030
        {{2026, 12, 29, 0}, D(2027, 2, 5)},   // 除夕 2027: the twelfth month of 2026 has 29 days
        {{2023, 2, 1, 1}, D(2023, 3, 22)},    // 闰二月 2023
        {{2020, 4, 1, 1}, D(2020, 5, 23)},    // 闰四月 2020
        {{2025, 6, 1, 1}, D(2025, 7, 25)},    // 闰六月 2025
        {{2033, 11, 1, 1}, D(2033, 12, 22)},  // 闰十一月 2033
        {{2033, 12, 1, 0}, D(2034, 1, 20)},  {{1901, 1, 1, 0}, D(1901, 2, 19)}, {{2099, 11, 20, 0}, D(2099, 12, 31)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateOfLunar(c.lunar), std::optional<Date>(c.solar)) << c.solar.ToString();
    }
}

TEST(DateOfLunar, IsTheWayBackOfEveryDayFrom1901To2099) {
    for (const Date day : DateRange(D(1901, 2, 19), D(2099, 12, 31))) {
        ASSERT_EQ(DateOfLunar(SolarToLunar(day)), std::optional<Date>(day)) << day.ToString();
    }
}

TEST(DateOfLunar, RefusesDatesTheYearDoesNotHave) {
    const LunarDate missing[] = {
        {2023, 3, 1, 1},    // 2023 has a leap second month, not a third
        {2027, 6, 1, 1},    // 2027 has no leap month
        {2027, 13, 1, 0},   // no thirteenth month
        {2027, 0, 1, 0},    // no month 0
        {2026, 12, 30, 0},  // the twelfth month of 2026 has 29 days
        {2027, 8, 0, 0},    // no day 0
        {1900, 12, 1, 0},   // before the table
        {2100, 1, 1, 0},    // after it
        {2099, 12, 1, 0},   // in lunar 2099, but in the Gregorian year 2100
    };
    for (const LunarDate& lunar : missing) {
        EXPECT_EQ(DateOfLunar(lunar), std::nullopt) << lunar.year << "-" << lunar.month << "-" << lunar.day;
    }
}

TEST(LunarMonthDays, CountsTheDaysOfEveryMonthTheYearHas) {
    EXPECT_EQ(LunarMonthDays(2023, 2, false), 30);
    EXPECT_EQ(LunarMonthDays(2023, 2, true), 29);
    EXPECT_EQ(LunarMonthDays(2023, 3, true), 0);
    EXPECT_EQ(LunarMonthDays(2026, 12, false), 29);
    EXPECT_EQ(LunarMonthDays(2027, 8, false), 29);
    EXPECT_EQ(LunarMonthDays(2027, 13, false), 0);
    EXPECT_EQ(LunarMonthDays(1900, 1, false), 0);
}

}  // namespace
