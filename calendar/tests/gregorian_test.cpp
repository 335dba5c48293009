#include "calendar/gregorian.h"

#include <gtest/gtest.h>

namespace {

SystemTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    SystemTime t = MakeDate(y, mo, d);
    t.hour = static_cast<std::uint16_t>(h);
    t.minute = static_cast<std::uint16_t>(mi);
    t.second = static_cast<std::uint16_t>(s);
    t.milliseconds = static_cast<std::uint16_t>(ms);
    return t;
}

TEST(DayOfWeek, NumbersMondayOneToSundaySeven) {
    EXPECT_EQ(DayOfWeek(2013, 2, 10), 7);
    EXPECT_EQ(DayOfWeek(2000, 1, 1), 6);
    EXPECT_EQ(DayOfWeek(2026, 12, 7), 1);
    EXPECT_EQ(DayOfWeek(1901, 1, 1), 2);
}

TEST(DayOfWeek, AgreesWithTheSerialDayCountOverTheWholeRange) {
    for (std::int64_t s = SerialFromCivil(1900, 1, 1); s <= SerialFromCivil(2100, 12, 31); ++s) {
        const CivilDate c = CivilFromSerial(s);
        const int sundayBased = ((s % 7) + 7 + 4) % 7;  // 1970-01-01 was a Thursday
        ASSERT_EQ(DayOfWeek(c.year, c.month, c.day) % 7, sundayBased) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(DaysInMonth, FollowsTheFullGregorianLeapRule) {
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2013, 4), 30);
    EXPECT_EQ(DaysInMonth(2013, 12), 31);
    EXPECT_EQ(DaysInMonth(2013, 13), 31);
    EXPECT_EQ(DaysInMonth(2013, 0), 31);
}

TEST(SerialDays, RoundTripThroughCivilDates) {
    EXPECT_EQ(SerialFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(SerialFromCivil(1601, 1, 1), -134774);
    for (std::int64_t s = -200000; s <= 200000; s += 7) {
        const CivilDate c = CivilFromSerial(s);
        ASSERT_EQ(SerialFromCivil(c.year, c.month, c.day), s);
    }
}

TEST(AddDays, CrossesMonthAndYearEnds) {
    const SystemTime next = AddDays(MakeDate(2013, 12, 31), 1);
    EXPECT_EQ(next.year, 2014);
    EXPECT_EQ(next.month, 1);
    EXPECT_EQ(next.day, 1);
    EXPECT_EQ(next.dayOfWeek, 3);  // Wednesday
    const SystemTime before = AddDays(MakeDate(2012, 3, 1), -1);
    EXPECT_EQ(before.year, 2012);
    EXPECT_EQ(before.month, 2);
    EXPECT_EQ(before.day, 29);
}

TEST(AddDays, IgnoresTheTimeOfDayAndClearsIt) {
    const SystemTime t = AddDays(At(2013, 2, 10, 23, 59, 59, 999), 0);
    EXPECT_EQ(t.day, 10);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 0);
    EXPECT_EQ(t.second, 0);
    EXPECT_EQ(t.milliseconds, 0);
    EXPECT_EQ(t.dayOfWeek, 0);  // Sunday
}

TEST(SecondsBetween, IsSignedAndTruncatesTowardZero) {
    EXPECT_EQ(SecondsBetween(At(2013, 2, 10), At(2013, 2, 11)), 86400);
    EXPECT_EQ(SecondsBetween(At(2013, 2, 11), At(2013, 2, 10)), -86400);
    EXPECT_EQ(SecondsBetween(At(2013, 2, 10, 8, 0, 0), At(2013, 2, 10, 8, 0, 0, 999)), 0);
    EXPECT_EQ(SecondsBetween(At(2013, 2, 10, 8, 0, 0, 999), At(2013, 2, 10, 8, 0, 0)), 0);
    EXPECT_EQ(SecondsBetween(At(2013, 2, 10, 8, 0, 1, 500), At(2013, 2, 10, 8, 0, 0)), -1);
    EXPECT_EQ(SecondsBetween(At(1901, 1, 1), At(2099, 12, 31)) / 86400, 72683);
}

TEST(SecondsBetween, DatesWithoutAFileTimeGiveZero) {
    SystemTime feb30 = At(2013, 2, 1);
    feb30.day = 30;
    EXPECT_FALSE(IsValidSystemTime(feb30));
    EXPECT_EQ(SecondsBetween(feb30, At(2013, 3, 1)), 0);
    SystemTime hour25 = At(2013, 2, 1);
    hour25.hour = 25;
    EXPECT_EQ(SecondsBetween(At(2013, 1, 1), hour25), 0);
}

}  // namespace
