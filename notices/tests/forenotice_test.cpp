#include "notices/forenotice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/fake_days.h"
#include "tests/support/reminder_samples.h"

namespace {

const Date kToday = D(2013, 2, 1);
const ForenoticeSwitches kEverything{true, true};

std::vector<std::string> Texts(const std::vector<ForenoticeLine>& lines) {
    std::vector<std::string> texts;
    for (const ForenoticeLine& line : lines) texts.push_back(line.text);
    return texts;
}

TEST(Forenotice, NamesRemindersFestivalsAndTheSolarTermByTheDayOffset) {
    DayInfo day;
    const ReminderList occurring = {Gregorian(ReminderRepeat::kNone, 2013, 2, 4, 8, 5, "交报告"),
                                    Gregorian(ReminderRepeat::kNone, 2013, 2, 4, 19, 0, "买菜\r\n做饭"),
                                    Gregorian(ReminderRepeat::kNone, 2013, 2, 4, 20, 0, "交报告")};
    day.reminders = OccurringReminders::AllOf(occurring);
    day.festivals = {Festival("春节"), Festival("世界湿地日", "", "0"), Festival("妈妈生日", "（60周岁）")};
    day.solarTerm = "立春";
    ListedReminderTexts listed;
    EXPECT_EQ(BuildForenotice(0, day, kEverything, listed),
              "今天「08:05 交报告，19:00 买菜 做饭，春节，妈妈生日（60周岁），立春」！");
    EXPECT_EQ(BuildForenotice(1, day, kEverything, listed), "明天「春节，妈妈生日（60周岁），立春」");
    day.reminders.clear();
    EXPECT_EQ(BuildForenotice(2, day, ForenoticeSwitches{}, listed), "后天「春节，妈妈生日（60周岁）」");
    EXPECT_EQ(BuildForenotice(365, day, ForenoticeSwitches{}, listed), "365天后「春节，妈妈生日（60周岁）」");
    day.festivals.resize(2);
    day.festivals.erase(day.festivals.begin());
    EXPECT_EQ(BuildForenotice(0, day, ForenoticeSwitches{}, listed), "");
}

TEST(ForenoticeList, NamesADailyReminderOnlyOnTheFirstLineAndSkipsQuietDays) {
    FakeDays days;
    days.reminders = {Gregorian(ReminderRepeat::kDaily, 2013, 1, 10, 8, 0, "晨跑")};
    days.festivals[DateKey(2013, 2, 4)] = {Festival("小年")};
    days.solarTerms[DateKey(2013, 2, 3)] = "立春";
    const auto lines =
        BuildForenoticeLines(kToday, Rect{10, 100, 210, 400}, 24, 30, ForenoticeSwitches{true, false}, days);
    ASSERT_EQ(Texts(lines), (std::vector<std::string>{"今天「08:00 晨跑」！", "3天后「小年」"}));
    EXPECT_EQ(lines[0].box, (Rect{10, 100, 210, 124}));
    EXPECT_EQ(lines[1].box, (Rect{10, 124, 210, 148}));
    EXPECT_EQ(days.requests.size(), 31u);
    EXPECT_EQ(days.requests[1], "2013-02-02 AFR");
}

TEST(ForenoticeList, EndsAtTheBottomOfItsArea) {
    FakeDays days;
    for (int d = 1; d <= 20; ++d) days.festivals[DateKey(2013, 2, d)] = {Festival("节" + std::to_string(d))};
    // 100 pixels hold five lines of 20; the fifth ends exactly on the bottom.
    auto lines = BuildForenoticeLines(kToday, Rect{0, 0, 100, 100}, 20, 365, kEverything, days);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4].text, "4天后「节5」");
    EXPECT_EQ(BuildForenoticeLines(kToday, Rect{0, 0, 100, 99}, 20, 365, kEverything, days).size(), 4u);
    EXPECT_EQ(Texts(BuildForenoticeLines(kToday, Rect{0, 0, 100, 100}, 20, 0, kEverything, days)),
              std::vector<std::string>{"今天「节1」！"});
    EXPECT_TRUE(BuildForenoticeLines(kToday, Rect{0, 0, 100, 100}, 20, -1, kEverything, days).empty());
    EXPECT_TRUE(BuildForenoticeLines(kToday, std::nullopt, 20, 30, kEverything, days).empty());
}

}  // namespace
