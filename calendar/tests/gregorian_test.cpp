#include "calendar/gregorian.h"

#include <gtest/gtest.h>

#include "tests/support/dates.h"

namespace {

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
