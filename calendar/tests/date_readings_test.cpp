// How a date reads to a user beside the date fields and in the tray tip.
#include "calendar/date_readings.h"

#include <gtest/gtest.h>

#include <utility>

TEST(OtherCalendarText, SaysWhatTheDateIsInTheOtherCalendar) {
    const struct {
        bool lunar;
        int year, month, day;
        const char* text;
    } kCases[] = {
        {true, 2026, 12, 8, "即阳历2027年1月15日"},  // 腊月初八 of the year that began in 2026
        {false, 2026, 12, 8, "即旧历十月三十"},
        {false, 2027, 1, 15, "即旧历腊月初八"},
        {true, 2028, 5, 5, "即阳历2028年5月28日"},  // the regular 五月, not the 闰五月 after it
        {false, 2028, 6, 27, "即旧历闰五月初五"},
        {false, 2024, 2, 29, "即旧历正月二十"},
        {false, 2026, 2, 30, "没有这一天"},
        {false, 2026, 13, 1, "没有这一天"},
        {true, 2026, 12, 30, "没有这一天"},  // 腊月 of 2026 has 29 days
        {true, 2026, 13, 1, "没有这一天"},
        {false, 1900, 12, 31, ""},
        {true, 2100, 1, 1, ""},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(OtherCalendarText(c.lunar, c.year, c.month, c.day), c.text)
            << (c.lunar ? "lunar " : "") << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(LunarYearGanZhiName, CountsTheSixtyYearCycleFromJiaZi) {
    const std::pair<int, const char*> kYears[] = {{1984, "甲子"}, {2026, "丙午"}, {2027, "丁未"}, {1901, "辛丑"},
                                                  {2043, "癸亥"}, {2044, "甲子"}, {2099, "己未"}, {1983, "癸亥"}};
    for (const auto& [year, name] : kYears) EXPECT_EQ(LunarYearGanZhiName(year), name) << year;
}
