#include "planning/go_to_form.h"

#include <gtest/gtest.h>

#include "tests/support/dates.h"

namespace {

const Date kToday = D(2026, 12, 8);

DateChoice Lunar(int year, int month, int day, bool leap = false) {
    return DateChoice{DateInput::kLunar, year, month, leap, day};
}

std::string Selected(const ListItems& items) { return items.texts.at(items.selected); }

TEST(GoToForm, Offers闰MonthsOnlyInYearsThatHaveThem) {
    EXPECT_EQ(MonthItems(Lunar(2023, 2, 1)).texts.size(), 13u);
    EXPECT_EQ(Selected(MonthItems(Lunar(2023, 2, 1, true))), "闰二月");
    EXPECT_EQ(MonthItems(Lunar(2027, 8, 12)).texts.size(), 12u);
    // 闰二月 chosen in 2023, then 2027 picked: the plain 二月 of 2027.
    const DateChoice moved = PickYear(Lunar(2023, 2, 10, true), 2027 - 1901 + 1);
    EXPECT_EQ(moved.year, 2027);
    EXPECT_FALSE(moved.leap);
    EXPECT_EQ(Selected(MonthItems(moved)), "二月");
}

TEST(GoToForm, LimitsTheDaysToWhatTheMonthHas) {
    struct Case {
        DateChoice choice;
        size_t days;
        const char* last;
    };
    const Case cases[] = {
        {Lunar(2023, 2, 1), 30, "三十"},        // 二月 of 2023
        {Lunar(2023, 2, 1, true), 29, "廿九"},  // its 闰二月
        {Lunar(0, 12, 1), 30, "三十"},          // no year: any day a month may have
        {DateChoice{DateInput::kSolar, 2028, 2, false, 1}, 29, "29日"},
        {DateChoice{DateInput::kSolar, 2027, 4, false, 1}, 30, "30日"},
    };
    for (const Case& c : cases) {
        const ListItems days = DayItems(c.choice);
        EXPECT_EQ(days.texts.size(), c.days) << c.choice.year << "-" << c.choice.month;
        EXPECT_EQ(days.texts.back(), c.last);
    }
    // 三十 of 二月 2023, then its 闰二月 picked: 廿九.
    EXPECT_EQ(PickMonth(Lunar(2023, 2, 30), 2).day, 29);
    EXPECT_EQ(PickMonth(DateChoice{DateInput::kSolar, 2027, 3, false, 31}, 3).day, 30);
}

TEST(GoToForm, GoesTo2027年旧历八月十二) {
    DateChoice choice = ChoiceOf(kToday, DateInput::kLunar);
    choice = PickYear(choice, 2027 - 1901 + 1);
    EXPECT_EQ(Selected(YearItems(choice)), "2027年");
    choice = PickMonth(choice, 7);
    choice = PickDay(choice, 11);
    EXPECT_EQ(Selected(MonthItems(choice)), "八月");
    EXPECT_EQ(Selected(DayItems(choice)), "十二");
    EXPECT_EQ(DateToGoTo(choice, kToday), std::optional<Date>(D(2027, 9, 12)));
    EXPECT_EQ(ChoiceText(choice, kToday), "2027年9月12日 星期日，旧历二〇二七年八月十二（距今278天）");
    // The same day in the other calendar.
    const DateChoice solar = SwitchInput(choice, kToday);
    EXPECT_EQ(solar.input, DateInput::kSolar);
    EXPECT_EQ(ChosenDate(solar), std::optional<Date>(D(2027, 9, 12)));
    EXPECT_EQ(SwitchInput(solar, kToday).month, 8);
}

TEST(GoToForm, ListsTheNextTenYearsOfALunarDateWithoutAYear) {
    DateChoice choice = PickYear(Lunar(2026, 8, 15), 0);
    EXPECT_EQ(choice.year, 0);
    EXPECT_EQ(Selected(YearItems(choice)), "每年（列出以后十年）");
    EXPECT_EQ(ChoiceText(choice, kToday), "旧历八月十五：以后十年的阳历日期");
    const std::vector<std::string> years = ComingYearsTexts(choice, kToday);
    ASSERT_EQ(years.size(), 10u);
    EXPECT_EQ(years.front(), "2027年：2027年9月15日 星期三（距今281天）");
    EXPECT_EQ(years.back().substr(0, 6), "2036年");
    EXPECT_EQ(DateToGoTo(choice, kToday), std::optional<Date>(D(2027, 9, 15)));
    EXPECT_TRUE(ComingYearsTexts(Lunar(2027, 8, 15), kToday).empty());
}

TEST(GoToForm, CountsDaysFromAnyDate) {
    struct Case {
        const char* from;
        const char* days;
        std::optional<Date> date;
        bool problem;
    };
    const Case cases[] = {
        {"2026-12-08", "100", D(2027, 3, 18), false}, {" 2026-12-08 ", "-8", D(2026, 11, 30), false},
        {"2026-02-30", "1", std::nullopt, true},      {"2026-12-08", "十", std::nullopt, true},
        {"2099-12-31", "1", std::nullopt, true},
    };
    for (const Case& c : cases) {
        const DateOffset offset = OffsetDate(c.from, c.days);
        EXPECT_EQ(offset.date, c.date) << c.from << " " << c.days;
        EXPECT_EQ(!offset.problem.empty(), c.problem) << c.from << " " << c.days;
    }
    const DateChoice choice = ChoiceOf(D(2027, 2, 6), DateInput::kSolar);
    EXPECT_EQ(BetweenText("2026-12-08", choice, kToday), "从2026年12月8日到2027年2月6日相隔60天");
    EXPECT_EQ(BetweenText("2027-02-06", choice, kToday), "2027年2月6日就是所选日期");
}

}  // namespace
