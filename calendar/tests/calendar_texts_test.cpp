#include "calendar/calendar_texts.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace {

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

TEST(CalendarTexts, AreGbkBytes) {
    EXPECT_EQ(Hex(LunarDayName(1)), "B3F5D2BB");                                                 // 初一
    EXPECT_EQ(Hex(LunarMonthName(12)), "C0B0");                                                  // 腊
    EXPECT_EQ(Hex(ChineseDigits(0)), "A996");                                                    // 〇
    EXPECT_EQ(Hex(ZodiacName(2013)), "C9DF");                                                    // 蛇
    EXPECT_EQ(Hex(SolarDateText(*Date::FromCivil(2013, 2, 10))), "32303133C4EA32D4C23130C8D5");  // 2013年2月10日
}

// The words `name` gives for each number of the table.
void ExpectWords(std::string (*name)(int), std::initializer_list<std::pair<int, const char*>> table) {
    for (const auto& [number, words] : table) EXPECT_EQ(name(number), words) << number;
}

TEST(LunarDayName, NamesEveryDayOfTheMonth) {
    ExpectWords(LunarDayName,
                {{1, "初一"}, {10, "初十"}, {20, "二十"}, {21, "廿一"}, {30, "三十"}, {0, "*"}, {31, "*"}, {-1, "*"}});
}

TEST(LunarMonthName, UsesZhengAndLaForTheFirstAndLastMonth) {
    ExpectWords(LunarMonthName, {{1, "正"}, {11, "十一"}, {12, "腊"}, {13, "*"}});
}

TEST(ZodiacName, FollowsTheTwelveYearCycle) {
    ExpectWords(ZodiacName, {{2020, "鼠"}, {2013, "蛇"}, {1901, "牛"}, {1900, "鼠"}, {3, "猪"}});
}

TEST(WeekdayName, AcceptsBothSundayNumbers) {
    ExpectWords(WeekdayName, {{7, "日"}, {0, "日"}, {1, "一"}, {8, ""}, {-1, ""}});
}

TEST(ChineseDigits, WritesEachDigitWithoutPlaceWords) {
    ExpectWords([](int number) { return ChineseDigits(number); },
                {{2013, "二〇一三"}, {1900, "一九〇〇"}, {0, "〇"}, {-5, ""}});
}

TEST(DateTexts, WriteNumbersUnpaddedAndLunarYearsDigitByDigit) {
    EXPECT_EQ(LunarDateText({2013, 1, 1, 0}), "二〇一三年正月初一");
    EXPECT_EQ(LunarDateText({2023, 2, 30, 0}), "二〇二三年二月三十");
    EXPECT_EQ(LunarDateText({2023, 2, 1, 1}), "二〇二三年闰二月初一");
    EXPECT_EQ(SolarDateText(*Date::FromCivil(2013, 2, 10)), "2013年2月10日");
    EXPECT_EQ(SolarDateText(*Date::FromCivil(2026, 12, 1)), "2026年12月1日");
}

TEST(LunarMonthDayText, MarksTheLeapMonth) {
    EXPECT_EQ(LunarMonthDayText({2027, 8, 12, 0}), "八月十二");
    EXPECT_EQ(LunarMonthDayText({2023, 2, 1, 1}), "闰二月初一");
    EXPECT_EQ(LunarMonthDayText({2026, 12, 30, 0}), "腊月三十");
}

}  // namespace

namespace {

TEST(LunarCellText, ShowsTheMonthNameOnTheFirstDayMarkingALeapMonth) {
    EXPECT_EQ(LunarCellText(1, 1), "正月");
    EXPECT_EQ(LunarCellText(12, 1), "腊月");
    EXPECT_EQ(LunarCellText(12, 2), "初二");
    EXPECT_EQ(LunarCellText(2, 30), "三十");
    EXPECT_EQ(LunarCellText(5, 1, 1), "闰五月");
    EXPECT_EQ(LunarCellText(5, 2, 1), "初二");
}

}  // namespace
