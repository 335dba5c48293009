#include "calendar/calendar_texts.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(Hex(LunarDayName(1)), "B3F5D2BB");      // 初一
    EXPECT_EQ(Hex(LunarMonthName(12)), "C0B0");       // 腊
    EXPECT_EQ(Hex(ChineseDigits(0)), "A996");         // 〇
    EXPECT_EQ(Hex(ZodiacName(2013)), "C9DF");         // 蛇
    EXPECT_EQ(Hex(SolarDateText("2013-2-10")), "32303133C4EA32D4C23130C8D5");  // 2013年2月10日
}

TEST(LunarDayName, NamesEveryDayOfTheMonth) {
    EXPECT_EQ(LunarDayName(1), "初一");
    EXPECT_EQ(LunarDayName(10), "初十");
    EXPECT_EQ(LunarDayName(20), "二十");
    EXPECT_EQ(LunarDayName(21), "廿一");
    EXPECT_EQ(LunarDayName(30), "三十");
    EXPECT_EQ(LunarDayName(0), "*");
    EXPECT_EQ(LunarDayName(31), "*");
    EXPECT_EQ(LunarDayName(-1), "*");
    EXPECT_EQ(LunarDayName(2013, 1, 15), "十五");
}

TEST(LunarMonthName, UsesZhengAndLaForTheFirstAndLastMonth) {
    EXPECT_EQ(LunarMonthName(1), "正");
    EXPECT_EQ(LunarMonthName(11), "十一");
    EXPECT_EQ(LunarMonthName(12), "腊");
    EXPECT_EQ(LunarMonthName(13), "*");
    EXPECT_EQ(LunarMonthName(2013, 3, 1), "三");
}

TEST(ZodiacName, FollowsTheTwelveYearCycle) {
    EXPECT_EQ(ZodiacName(2020), "鼠");
    EXPECT_EQ(ZodiacName(2013), "蛇");
    EXPECT_EQ(ZodiacName(1901), "牛");
    EXPECT_EQ(ZodiacName(1900), "鼠");
    EXPECT_EQ(ZodiacName(3), "猪");
}

TEST(WeekdayName, AcceptsBothSundayNumbers) {
    EXPECT_EQ(WeekdayName(7), "日");
    EXPECT_EQ(WeekdayName(0), "日");
    EXPECT_EQ(WeekdayName(1), "一");
    EXPECT_EQ(WeekdayName(8), "");
    EXPECT_EQ(WeekdayName(-1), "");
}

TEST(ChineseDigits, WritesEachDigitWithoutPlaceWords) {
    EXPECT_EQ(ChineseDigits(2013), "二〇一三");
    EXPECT_EQ(ChineseDigits(1900), "一九〇〇");
    EXPECT_EQ(ChineseDigits(0), "〇");
    EXPECT_EQ(ChineseDigits(-5), "");
}

TEST(DateTexts, AcceptPaddedAndPlainNumbers) {
    EXPECT_EQ(LunarDateText("2013-01-01"), "二〇一三年正月初一");
    EXPECT_EQ(LunarDateText("2023-02-30"), "二〇二三年二月三十");
    EXPECT_EQ(LunarDateText("2013-1-1"), "二〇一三年正月初一");
    EXPECT_EQ(SolarDateText("2013-02-10"), "2013年2月10日");
}

TEST(DateTexts, AreEmptyWithoutThreeNumbers) {
    EXPECT_EQ(LunarDateText("abc"), "");
    EXPECT_EQ(LunarDateText("2013-01"), "");
    EXPECT_EQ(SolarDateText(""), "");
}

}  // namespace

namespace {

TEST(LunarCellText, ShowsTheMonthNameOnTheFirstDay) {
    EXPECT_EQ(LunarCellText(1, 1), "正月");
    EXPECT_EQ(LunarCellText(12, 1), "腊月");
    EXPECT_EQ(LunarCellText(12, 2), "初二");
    EXPECT_EQ(LunarCellText(2, 30), "三十");
}

}  // namespace
