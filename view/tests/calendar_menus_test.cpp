#include "view/calendar_menus.h"

#include <gtest/gtest.h>

#include <utility>

#include "tests/support/reminder_samples.h"

namespace {

std::vector<int> Values(const std::vector<MenuChoice>& choices) {
    std::vector<int> values;
    for (const MenuChoice& c : choices) values.push_back(c.value);
    return values;
}

std::vector<std::string> Texts(const std::vector<MenuItem>& items) {
    std::vector<std::string> texts;
    for (const MenuItem& item : items) texts.push_back(item.IsSeparator() ? "----" : item.text);
    return texts;
}

TEST(YearMenus, ReachThirtyYearsEachWayInAscendingOrder) {
    const std::vector<MenuChoice> earlier = EarlierYearsMenu(2013);
    ASSERT_EQ(earlier.size(), 31u);
    EXPECT_EQ(earlier.front().value, 1983);
    EXPECT_EQ(earlier.front().text, "1983年");
    EXPECT_EQ(earlier.back().value, 2013);
    const std::vector<MenuChoice> later = LaterYearsMenu(2013);
    ASSERT_EQ(later.size(), 31u);
    EXPECT_EQ(later.front().value, 2013);
    EXPECT_EQ(later.back().text, "2043年");
}

TEST(YearMenus, StopAtTheEdgesOfTheLunarTables) {
    std::vector<int> expected;
    for (int y = 1901; y <= 1915; ++y) expected.push_back(y);
    EXPECT_EQ(Values(EarlierYearsMenu(1915)), expected);

    expected.clear();
    for (int y = 2080; y <= 2099; ++y) expected.push_back(y);
    EXPECT_EQ(Values(LaterYearsMenu(2080)), expected);

    EXPECT_EQ(Values(EarlierYearsMenu(1901)), std::vector<int>{1901});
    EXPECT_EQ(Values(LaterYearsMenu(2099)), std::vector<int>{2099});
    EXPECT_EQ(EarlierYearsMenu(1905).front().text, "1901年");
}

TEST(MonthsMenu, ListsTheTwelveMonthsWithoutLeadingZeros) {
    const std::vector<MenuChoice> months = MonthsMenu();
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months[0].text, "1月");
    EXPECT_EQ(months[11].value, 12);
    EXPECT_EQ(months[11].text, "12月");
}

TEST(HotSpots, AreTestedInTheirFixedOrderAndAbsentOnesNeverHit) {
    HotSpots spots;
    spots.yearBack = {10, 10, 30, 30};
    spots.yearNext = {20, 10, 40, 30};  // overlaps the year-back spot
    spots.monthNext = {100, 10, 120, 30};
    EXPECT_EQ(HotSpotAt(spots, 25, 20), HotSpot::kYearBack);
    EXPECT_EQ(HotSpotAt(spots, 35, 20), HotSpot::kYearNext);
    EXPECT_EQ(HotSpotAt(spots, 100, 10), HotSpot::kMonthNext);
    EXPECT_EQ(HotSpotAt(spots, 120, 30), HotSpot::kNone);  // right and bottom are outside
    EXPECT_EQ(HotSpotAt(spots, 0, 0), HotSpot::kNone);     // the absent month-back spot
}

TEST(HotSpots, TheTodaySpotComesLastSoTheMenusKeepTheirPlaces) {
    HotSpots spots;
    spots.monthNext = {100, 10, 120, 30};
    spots.today = {110, 10, 140, 30};
    EXPECT_EQ(HotSpotAt(spots, 115, 20), HotSpot::kMonthNext);
    EXPECT_EQ(HotSpotAt(spots, 130, 20), HotSpot::kToday);
    EXPECT_EQ(HotSpotAt(HotSpots{}, 0, 0), HotSpot::kNone);  // a template without the key
}

TEST(DayMenu, OffersTheFourAddCommandsOnAnOrdinaryDay) {
    const std::vector<MenuItem> menu = BuildDayMenu({}, "");
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(Texts(menu),
              (std::vector<std::string>{"添加阳历节日...", "添加旧历节日...", "添加阳历备忘...", "添加旧历备忘..."}));
    EXPECT_EQ(menu[0].command, 10001);
    EXPECT_EQ(menu[1].command, 10003);
    EXPECT_EQ(menu[2].command, 10002);
    EXPECT_EQ(menu[3].command, 10004);
}

TEST(DayMenu, ListsTwoFestivalsAndTheSolarTermAfterSeparators) {
    const std::vector<MenuItem> menu = BuildDayMenu({"春节", "情人节"}, "立春");
    EXPECT_EQ(Texts(menu), (std::vector<std::string>{"添加阳历节日...", "添加旧历节日...", "添加阳历备忘...",
                                                     "添加旧历备忘...", "----", "春节", "情人节", "----", "立春"}));
    EXPECT_EQ(menu[5].command, 1);
    EXPECT_EQ(menu[6].command, 2);
    EXPECT_EQ(menu[8].command, 3);
}

TEST(DayMenu, GivesASolarTermAloneTheFirstItemNumber) {
    const std::vector<MenuItem> menu = BuildDayMenu({}, "冬至");
    ASSERT_EQ(menu.size(), 6u);
    EXPECT_TRUE(menu[4].IsSeparator());
    EXPECT_EQ(menu[5].command, 1);
    EXPECT_EQ(menu[5].text, "冬至");
}

TEST(DayMenu, ListsTheDaysRemindersEachToEditOrDelete) {
    std::vector<MenuItem> menu = BuildDayMenu({"春节"}, "");
    const std::size_t before = menu.size();
    const ReminderList day = {
        Gregorian(ReminderRepeat::kDaily, 2026, 1, 1, 8, 0, "晨会\n在三楼"),
        Gregorian(ReminderRepeat::kNone, 2026, 2, 17, 19, 30, "给爷爷奶奶打电话拜年，问问身体怎么样"),
        Gregorian(ReminderRepeat::kNone, 2026, 2, 17, 21, 0, "R&B")};
    AddDayMenuReminders(menu, OccurringReminders::AllOf(day));
    ASSERT_EQ(menu.size(), before + 4);
    EXPECT_TRUE(menu[before].IsSeparator());
    EXPECT_EQ(Texts({menu.begin() + static_cast<long>(before) + 1, menu.end()}),
              (std::vector<std::string>{"08:00 晨会", "19:30 给爷爷奶奶打电话拜年，问问身体怎…", "21:00 R&B"}));
    std::vector<std::pair<int, bool>> choices;
    for (std::size_t i = before + 1; i < menu.size(); ++i) {
        ASSERT_EQ(Texts(menu[i].children), (std::vector<std::string>{"编辑备忘...", "删除备忘..."}));
        for (const MenuItem& command : menu[i].children) {
            const std::optional<DayMenuReminderChoice> choice = ReminderChoiceOf(command.command);
            ASSERT_TRUE(choice.has_value());
            choices.push_back({choice->reminder, choice->remove});
        }
    }
    EXPECT_EQ(choices,
              (std::vector<std::pair<int, bool>>{{0, false}, {0, true}, {1, false}, {1, true}, {2, false}, {2, true}}));
    for (const MenuItem& item : menu) EXPECT_FALSE(ReminderChoiceOf(item.command)) << item.text;
    for (const MenuItem& item : DayMenuPlanningItems()) EXPECT_FALSE(ReminderChoiceOf(item.command)) << item.text;

    std::vector<MenuItem> none = BuildDayMenu({}, "");
    AddDayMenuReminders(none, {});
    EXPECT_EQ(none.size(), 4u) << "no separator without memos";
    std::vector<MenuItem> many;
    const ReminderList thirty(30, Gregorian(ReminderRepeat::kDaily, 2026, 1, 1));
    AddDayMenuReminders(many, OccurringReminders::AllOf(thirty));
    EXPECT_EQ(many.size(), 1u + kDayMenuReminders);
}

TEST(DayMenu, EndsWithTheAlmanacPageAndThePlanningCommands) {
    const std::vector<MenuItem> items = DayMenuPlanningItems();
    EXPECT_EQ(Texts(items),
              (std::vector<std::string>{"----", "查看黄历...", "----", "查吉日...", "拼假...", "转到日期..."}));
    EXPECT_EQ(items[3].command, kFindGoodDays);
    EXPECT_EQ(items[5].command, kGoToDate);
}

TEST(MonthMenu, EndsWithGoingToADate) {
    const std::vector<MenuItem> items = MonthMenuItems();
    ASSERT_EQ(items.size(), 14u);
    EXPECT_EQ(items[0].command, 1);
    EXPECT_EQ(items[11].text, "12月");
    EXPECT_TRUE(items[12].IsSeparator());
    EXPECT_EQ(items[13].command, kGoToDate);
    EXPECT_EQ(items[13].text, "转到日期...");
}

TEST(MenuItemLabel, ShowsAnAmpersandInAFestivalNameAsItself) {
    EXPECT_EQ(MenuItemLabel("R&B音乐节"), "R&&B音乐节");
    EXPECT_EQ(MenuItemLabel("&&"), "&&&&");
    EXPECT_EQ(MenuItemLabel("春节"), "春节");
    EXPECT_EQ(MenuItemLabel(""), "");
}

}  // namespace
