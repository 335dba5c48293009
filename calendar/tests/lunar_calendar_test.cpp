#include "calendar/lunar_calendar.h"

#include <gtest/gtest.h>

#include "calendar/gregorian.h"

namespace {

void ExpectLunar(int y, int m, int d, int ly, int lm, int ld, int leap) {
    const LunarDate l = SolarToLunar(y, m, d);
    EXPECT_EQ(l.year, ly) << y << "-" << m << "-" << d;
    EXPECT_EQ(l.month, lm) << y << "-" << m << "-" << d;
    EXPECT_EQ(l.day, ld) << y << "-" << m << "-" << d;
    EXPECT_EQ(l.isLeap, leap) << y << "-" << m << "-" << d;
}

TEST(SolarToLunar, NewYearOf2013AndTheDayBefore) {
    ExpectLunar(2013, 2, 10, 2013, 1, 1, 0);
    ExpectLunar(2013, 2, 9, 2012, 12, 29, 0);
}

TEST(SolarToLunar, LeapSecondMonthOf2023) {
    ExpectLunar(2023, 2, 20, 2023, 2, 1, 0);
    ExpectLunar(2023, 3, 21, 2023, 2, 30, 0);
    ExpectLunar(2023, 3, 22, 2023, 2, 1, 1);
    ExpectLunar(2023, 4, 19, 2023, 2, 29, 1);
    ExpectLunar(2023, 4, 20, 2023, 3, 1, 0);
}

TEST(SolarToLunar, LeapEleventhMonthOf2033AndTheWalkBackFromTheNextYear) {
    ExpectLunar(2033, 12, 22, 2033, 11, 1, 1);
    ExpectLunar(2034, 1, 20, 2033, 12, 1, 0);
}

TEST(SolarToLunar, EndsOfTheTable) {
    ExpectLunar(1901, 2, 19, 1901, 1, 1, 0);
    ExpectLunar(2099, 12, 31, 2099, 11, 20, 0);
}

TEST(SolarToLunar, TheGregorianLeapDayIsCounted) {
    ExpectLunar(2000, 2, 29, 2000, 1, 25, 0);
    ExpectLunar(2000, 3, 1, 2000, 1, 26, 0);
}

TEST(SolarToLunar, CorrectedTableEntriesFollowTheAstronomicalCalendar) {
    // 2025: the fourth month begins on 28 April (new moon 27 April 19:31 UTC).
    ExpectLunar(2025, 4, 27, 2025, 3, 30, 0);
    ExpectLunar(2025, 4, 28, 2025, 4, 1, 0);
    // 1989: the new moon of 2 August 00:06 CST opens the seventh month.
    ExpectLunar(1989, 8, 1, 1989, 6, 30, 0);
    ExpectLunar(1989, 8, 2, 1989, 7, 1, 0);
    // 2089 and 2097: a big month moved by one place.
    ExpectLunar(2089, 9, 4, 2089, 8, 1, 0);
    ExpectLunar(2097, 8, 7, 2097, 7, 1, 0);
}

TEST(SolarToLunar, DaysBeforeLunar1901GiveTheTrueLunar1900Dates) {
    ExpectLunar(1900, 12, 22, 1900, 11, 1, 0);
    ExpectLunar(1901, 1, 1, 1900, 11, 11, 0);
    ExpectLunar(1901, 1, 19, 1900, 11, 29, 0);
    ExpectLunar(1901, 1, 20, 1900, 12, 1, 0);
    ExpectLunar(1901, 2, 18, 1900, 12, 30, 0);
}

TEST(SolarToLunar, DatesOutsideTheTableStayInsideIt) {
    ExpectLunar(1850, 6, 1, 1900, 11, 1, 0);
    const LunarDate after = SolarToLunar(2100, 6, 1);
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
    const std::int64_t first = SerialFromCivil(1901, 2, 19);
    const std::int64_t last = SerialFromCivil(2099, 12, 31);
    LunarDate previous = SolarToLunar(1901, 2, 19);
    int monthIndex = 0;  // position of the current month in its year's sequence
    int checkedNewYears = 1;
    for (std::int64_t s = first + 1; s <= last; ++s) {
        const CivilDate c = CivilFromSerial(s);
        const LunarDate l = SolarToLunar(c.year, c.month, c.day);
        const LunarYearInfo info = GetLunarYearInfo(previous.year);
        if (l.day == previous.day + 1) {
            ASSERT_EQ(l.year, previous.year);
            ASSERT_EQ(l.month, previous.month);
            ASSERT_EQ(l.isLeap, previous.isLeap);
            previous = l;
            continue;
        }
        ASSERT_EQ(l.day, 1) << c.year << "-" << c.month << "-" << c.day;
        ASSERT_EQ(previous.day, info.monthLengths[monthIndex]) << c.year << "-" << c.month << "-" << c.day;
        if (monthIndex + 1 == info.monthCount) {
            ASSERT_EQ(l.year, previous.year + 1);
            ASSERT_EQ(l.month, 1);
            ASSERT_EQ(l.isLeap, 0);
            const LunarYearInfo next = GetLunarYearInfo(l.year);
            ASSERT_EQ(c.month, next.newYearMonth);
            ASSERT_EQ(c.day, next.newYearDay);
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
        EXPECT_EQ(SerialFromCivil(y + 1, b.newYearMonth, b.newYearDay) - SerialFromCivil(y, a.newYearMonth, a.newYearDay),
                  total)
            << y;
        EXPECT_EQ(LunarInfoValue(y) >> 24, 0u) << y;
    }
}

}  // namespace
