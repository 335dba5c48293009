#include "planning/date_lookup.h"

#include <gtest/gtest.h>

#include "calendar/calendar_texts.h"
#include "tests/support/dates.h"

namespace {

std::vector<std::string> MonthTexts(int lunarYear) {
    std::vector<std::string> texts;
    for (const LunarMonthChoice& choice : LunarMonthChoices(lunarYear)) {
        char days[8];
        std::snprintf(days, sizeof days, "%d", choice.days);
        texts.push_back(choice.text + days);
    }
    return texts;
}

TEST(LunarMonthChoices, Offer闰MonthsOnlyWhereTheYearHasThem) {
    // 2023 repeats its second month: 二月 of 30 days (2月20日 to 3月21日),
    // 闰二月 of 29 (3月22日 to 4月19日).
    const std::vector<std::string> y2023 = MonthTexts(2023);
    ASSERT_EQ(y2023.size(), 13u);
    EXPECT_EQ(y2023[1], "二月30");
    EXPECT_EQ(y2023[2], "闰二月29");
    EXPECT_EQ(y2023[3].substr(0, 4), "三月");
    const std::vector<std::string> y2027 = MonthTexts(2027);
    ASSERT_EQ(y2027.size(), 12u);
    EXPECT_EQ(y2027.front().substr(0, 4), "正月");
    EXPECT_EQ(y2027.back().substr(0, 4), "腊月");
    EXPECT_TRUE(LunarMonthChoices(1900).empty());
}

// 中秋 (八月十五) as it is published for the years ahead.
TEST(NextLunarDates, ListTheComingYearsOfALunarDate) {
    const Date expected[] = {D(2027, 9, 15), D(2028, 10, 3), D(2029, 9, 22), D(2030, 9, 12), D(2031, 10, 1),
                             D(2032, 9, 19), D(2033, 9, 8),  D(2034, 9, 27), D(2035, 9, 16), D(2036, 10, 4)};
    const std::vector<LunarYearDate> found = NextLunarDates(8, 15, D(2026, 12, 8), 10);
    ASSERT_EQ(found.size(), 10u);
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].lunarYear, 2027 + static_cast<int>(i));
        EXPECT_EQ(found[i].date, std::optional<Date>(expected[i])) << i;
    }
    // On the day itself the year still counts; the day after, it has passed.
    EXPECT_EQ(NextLunarDates(8, 15, D(2027, 9, 15), 1).front().date, std::optional<Date>(D(2027, 9, 15)));
    EXPECT_EQ(NextLunarDates(8, 15, D(2027, 9, 16), 1).front().lunarYear, 2028);
    // The table ends with lunar 2099.
    EXPECT_EQ(NextLunarDates(8, 15, D(2097, 1, 1), 10).size(), 3u);
}

TEST(NextLunarDates, SayWhichYearsLackA三十) {
    const std::vector<LunarYearDate> found = NextLunarDates(12, 30, D(2026, 12, 8), 10);
    ASSERT_EQ(found.size(), 10u);
    for (const LunarYearDate& year : found) {
        const int days = LunarMonthDays(year.lunarYear, 12, false);
        EXPECT_EQ(year.date.has_value(), days == 30) << year.lunarYear;
        if (year.date) {
            EXPECT_EQ(SolarToLunar(*year.date), (LunarDate{year.lunarYear, 12, 30, 0}));
        }
    }
    const LunarYearDate missing{2026, std::nullopt};
    EXPECT_EQ(LunarYearDateText(missing, 12, 30), "2026年：该年腊月没有三十");
    EXPECT_EQ(LunarYearDateText({2027, D(2027, 9, 12)}, 8, 12), "2027年：2027年9月12日 星期日");
}

TEST(DayDistances, SayHowFarADayIs) {
    const Date today = D(2026, 12, 8);
    struct Case {
        Date day;
        const char* away;
        const char* between;
    };
    const Case cases[] = {
        {D(2026, 12, 8), "今天", "同一天"},      {D(2026, 12, 9), "明天", "相隔1天"},
        {D(2026, 12, 7), "昨天", "相隔1天"},     {D(2027, 2, 6), "距今60天", "相隔60天"},
        {D(2026, 1, 1), "341天前", "相隔341天"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DaysAwayText(today, c.day), c.away) << c.day.ToString();
        EXPECT_EQ(DaysBetweenText(today, c.day), c.between) << c.day.ToString();
        EXPECT_EQ(DaysBetweenText(c.day, today), c.between) << c.day.ToString();
    }
}

}  // namespace
