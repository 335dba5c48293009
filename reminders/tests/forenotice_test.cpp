#include "reminders/forenotice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "reminders/tests/fake_days.h"
#include "reminders/tests/reminder_samples.h"

namespace {

const SystemTime kToday = MakeDate(2013, 2, 1);
const ForenoticeSwitches kEverything{true, true};

std::vector<std::string> Texts(const std::vector<ForenoticeLine>& lines) {
    std::vector<std::string> texts;
    for (const ForenoticeLine& line : lines) texts.push_back(line.text);
    return texts;
}

TEST(Forenotice, NamesMemosFestivalsAndTheSolarTermInThatOrder) {
    DayInfo day;
    day.reminders = {Gregorian(kRepeatNone, 2013, 2, 4, 8, 5, "交报告"), Gregorian(kRepeatNone, 2013, 2, 4, 19, 0, "聚餐")};
    day.festivals = {Festival("春节"), Festival("妈妈生日", "（60周岁）")};
    day.SolarTerm = "立春";
    ListedMemoTexts listed;
    EXPECT_EQ(BuildForenotice(0, day, kEverything, listed), "今天「08:05 交报告,19:00 聚餐,春节,妈妈生日（60周岁）,立春」！");
    EXPECT_EQ(listed, (ListedMemoTexts{"交报告", "聚餐"}));
}

TEST(Forenotice, IsWrittenByTheDayOffsetNotTheLineNumber) {
    DayInfo day;
    day.festivals = {Festival("元宵节")};
    ListedMemoTexts listed;
    EXPECT_EQ(BuildForenotice(1, day, kEverything, listed), "明天「元宵节」");
    EXPECT_EQ(BuildForenotice(2, day, kEverything, listed), "后天「元宵节」");
    EXPECT_EQ(BuildForenotice(3, day, kEverything, listed), "3天后「元宵节」");
    EXPECT_EQ(BuildForenotice(365, day, kEverything, listed), "365天后「元宵节」");
}

TEST(Forenotice, LeavesOutWhatItsSwitchesAndFestivalFlagsLeaveOut) {
    DayInfo day;
    day.reminders = {Gregorian(kRepeatNone, 2013, 2, 4, 8, 0, "交报告")};
    day.festivals = {Festival("世界湿地日", "", "0"), Festival("情人节", "", "")};
    day.SolarTerm = "立春";
    ListedMemoTexts listed;
    EXPECT_EQ(BuildForenotice(0, day, ForenoticeSwitches{}, listed), "");
    EXPECT_TRUE(listed.empty());  // a memo not shown is still to be shown on a later day
    day.festivals.push_back(Festival("春节"));
    EXPECT_EQ(BuildForenotice(0, day, ForenoticeSwitches{}, listed), "今天「春节」！");
}

TEST(Forenotice, ReplacesLineBreaksInMemoTextsBySpaces) {
    DayInfo day;
    day.reminders = {Gregorian(kRepeatNone, 2013, 2, 4, 8, 0, "买菜\n做饭"),
                     Gregorian(kRepeatNone, 2013, 2, 4, 9, 0, "洗车\r\n加油")};
    ListedMemoTexts listed;
    EXPECT_EQ(BuildForenotice(1, day, kEverything, listed), "明天「08:00 买菜 做饭,09:00 洗车 加油」");
}

TEST(Forenotice, NamesEachMemoTextOncePerList) {
    DayInfo day;
    day.reminders = {Gregorian(kRepeatNone, 2013, 2, 4, 8, 0, "吃药"), Gregorian(kRepeatNone, 2013, 2, 4, 20, 0, "吃药")};
    ListedMemoTexts listed;
    EXPECT_EQ(BuildForenotice(0, day, kEverything, listed), "今天「08:00 吃药」！");
    EXPECT_EQ(BuildForenotice(1, day, kEverything, listed), "");
}

TEST(ForenoticeList, NamesADailyMemoOnlyOnTheFirstLine) {
    FakeDays days;
    days.reminders = {Gregorian(kRepeatDaily, 2013, 1, 10, 8, 0, "晨跑")};
    days.festivals[DateKey(2013, 2, 3)] = {Festival("小年")};
    const auto lines = BuildForenoticeLines(kToday, Rect{0, 0, 200, 400}, 20, 30, kEverything, days);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"今天「08:00 晨跑」！", "后天「小年」"}));
}

TEST(ForenoticeList, PlacesLinesDownTheAreaWithoutGapsForQuietDays) {
    FakeDays days;
    days.festivals[DateKey(2013, 2, 3)] = {Festival("小年")};
    days.festivals[DateKey(2013, 2, 9)] = {Festival("除夕")};
    days.solarTerms[DateKey(2013, 2, 4)] = "立春";  // not shown: the switch is off
    const auto lines = BuildForenoticeLines(kToday, Rect{10, 100, 210, 400}, 24, 30, ForenoticeSwitches{}, days);
    ASSERT_EQ(Texts(lines), (std::vector<std::string>{"后天「小年」", "8天后「除夕」"}));
    EXPECT_EQ(lines[0].box, (Rect{10, 100, 210, 124}));
    EXPECT_EQ(lines[1].box, (Rect{10, 124, 210, 148}));
}

TEST(ForenoticeList, EndsAtTheBottomOfItsArea) {
    FakeDays days;
    days.reminders = {Gregorian(kRepeatDaily, 2013, 1, 10, 8, 0, "晨跑")};
    for (int d = 2; d <= 20; ++d) days.festivals[DateKey(2013, 2, d)] = {Festival("节" + std::to_string(d))};
    // 100 pixels hold five lines of 20; the fifth ends exactly on the bottom.
    auto lines = BuildForenoticeLines(kToday, Rect{0, 0, 100, 100}, 20, 365, kEverything, days);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4].box.bottom, 100);
    EXPECT_EQ(lines[4].text, "4天后「节5」");
    lines = BuildForenoticeLines(kToday, Rect{0, 0, 100, 99}, 20, 365, kEverything, days);
    EXPECT_EQ(lines.size(), 4u);
}

TEST(ForenoticeList, TodayOnlyOrSwitchedOffOrWithoutAreaListsAccordingly) {
    FakeDays days;
    days.festivals[DateKey(2013, 2, 1)] = {Festival("今日节")};
    days.festivals[DateKey(2013, 2, 2)] = {Festival("明日节")};
    EXPECT_EQ(Texts(BuildForenoticeLines(kToday, Rect{0, 0, 100, 100}, 20, 0, kEverything, days)),
              std::vector<std::string>{"今天「今日节」！"});
    EXPECT_TRUE(BuildForenoticeLines(kToday, Rect{0, 0, 100, 100}, 20, -1, kEverything, days).empty());
    EXPECT_TRUE(BuildForenoticeLines(kToday, std::nullopt, 20, 30, kEverything, days).empty());
    EXPECT_TRUE(BuildForenoticeLines(kToday, Rect{0, 0, 100, 100}, 0, 30, kEverything, days).empty());
}

TEST(ForenoticeList, AsksForWholeDaysFromTodayOnAcrossTheYearEnd) {
    FakeDays days;
    BuildForenoticeLines(MakeDate(2013, 12, 30), Rect{0, 0, 100, 100}, 20, 2, kEverything, days);
    EXPECT_EQ(days.requests, (std::vector<std::string>{"2013-12-30 AFR", "2013-12-31 AFR", "2014-01-01 AFR"}));
}

}  // namespace

namespace {

TEST(ForenoticeList, ReadsItsSwitchesFromTheSettingsFileAtEachRebuild) {
    const auto folder = std::filesystem::temp_directory_path() / "solvane-forenotice-switches";
    std::filesystem::create_directories(folder);
    const std::string settings = (folder / "Solvane.ini").string();
    std::filesystem::remove(settings);
    FakeDays days;
    days.reminders = {Gregorian(kRepeatNone, 2013, 2, 1, 8, 0, "开会")};
    days.solarTerms[DateKey(2013, 2, 4)] = "立春";
    EXPECT_TRUE(BuildForenoticeLines(kToday, Rect{0, 0, 100, 100}, 20, 5, settings, days).empty());

    std::ofstream(settings, std::ios::binary) << "[Ostrel]\r\nShowReminderOnForenotice=1\r\nShowJieQiOnForenotice=1\r\n";
    EXPECT_EQ(Texts(BuildForenoticeLines(kToday, Rect{0, 0, 100, 100}, 20, 5, settings, days)),
              (std::vector<std::string>{"今天「08:00 开会」！", "3天后「立春」"}));
    std::filesystem::remove_all(folder);
}

}  // namespace
