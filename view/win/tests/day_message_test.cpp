#include <gtest/gtest.h>

#include "view/win/calendar_window.h"

namespace {

TEST(DayMessage, CarriesTheDateByValue) {
    SYSTEMTIME date;
    ASSERT_TRUE(DateOfDayMessage(DayMessageDate(2024, 2, 29), date));
    EXPECT_EQ(date.wYear, 2024);
    EXPECT_EQ(date.wMonth, 2);
    EXPECT_EQ(date.wDay, 29);
    ASSERT_TRUE(DateOfDayMessage(DayMessageDate(2023, 12, 30), date)) << "a lunar date in the same fields";
    EXPECT_EQ(date.wMonth, 12);
}

TEST(DayMessage, AnotherProgramsPointerOrNoiseIsNoDate) {
    SYSTEMTIME date;
    EXPECT_FALSE(DateOfDayMessage(0, date));
    EXPECT_FALSE(DateOfDayMessage(static_cast<WPARAM>(0xDEADBEEF), date));
    EXPECT_FALSE(DateOfDayMessage(DayMessageDate(2024, 13, 1), date));
    EXPECT_FALSE(DateOfDayMessage(DayMessageDate(2024, 1, 0), date));
    EXPECT_FALSE(DateOfDayMessage(DayMessageDate(2024, 1, 32), date));
#ifdef _WIN64
    EXPECT_FALSE(DateOfDayMessage(static_cast<WPARAM>(0x00007FF612345678ull), date)) << "a 64-bit address";
#endif
}

}  // namespace
