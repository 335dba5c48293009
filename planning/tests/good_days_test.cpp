#include "planning/good_days.h"

#include <gtest/gtest.h>

#include "almanac/yiji_rules.h"
#include "tests/support/dates.h"
#include "tests/support/fake_days.h"

namespace {

std::vector<std::string> Found(const GoodDaySearch& search) {
    std::vector<std::string> dates;
    for (const GoodDay& day : search.days) dates.push_back(day.date.ToString());
    return dates;
}

GoodDayQuery Query(const char* activity, const Date& first, const Date& last) {
    GoodDayQuery query;
    query.activity = FindGoodDayActivity(activity);
    query.first = first;
    query.last = last;
    return query;
}

TEST(GoodDayActivities, StandForItemsTheAlmanacPrints) {
    for (const GoodDayActivity& activity : GoodDayActivities()) {
        ASSERT_FALSE(activity.items.empty()) << activity.name;
        for (const std::string& item : activity.items) {
            EXPECT_GE(almanac::YiJiRules::BuiltIn().ActivityNumber(item), 0) << activity.name << " " << item;
        }
        EXPECT_EQ(FindGoodDayActivity(activity.name), &activity);
    }
    EXPECT_EQ(GoodDayActivityNames().substr(0, 14), "结婚 嫁娶 领证");
}

// What people ask an almanac for, in their words, and what the almanac
// prints for it; the almanac's own words stand for themselves.
TEST(GoodDayActivities, TakeEverydayWordsAndTheAlmanacsOwn) {
    const struct {
        const char* word;
        std::vector<std::string> items;
    } cases[] = {
        {"结婚", {"嫁娶", "结婚姻"}}, {"领证", {"结婚姻", "嫁娶"}},
        {"入宅", {"移徙"}},           {"装修", {"修造动土", "修饰垣墙"}},
        {"提车", {"交易", "纳财"}},   {"买房", {"立券", "交易", "纳财"}},
        {"求子", {"求嗣"}},           {"纳畜", {"纳畜"}},
        {"开渠穿井", {"开渠穿井"}},
    };
    for (const auto& c : cases) {
        const GoodDayActivity* activity = FindGoodDayActivity(c.word);
        ASSERT_NE(activity, nullptr) << c.word;
        EXPECT_EQ(activity->items, c.items) << c.word;
    }
    for (const char* unknown : {"吃饭", "", "嫁娶 ", "诸事不宜"})
        EXPECT_EQ(FindGoodDayActivity(unknown), nullptr) << unknown;
    // Words come before the almanac's own in the list; its own are found, not listed.
    EXPECT_EQ(GoodDayActivityNames().find("纳畜"), std::string::npos);
}

TEST(FindGoodDays, OffersDaysWhose宜NamesTheActivityAndWhose忌DoesNot) {
    FakeDays days;
    days.yiJi["2026-12-01"] = {"祭祀 纳采问名 嫁娶 移徙", "安葬"};
    days.yiJi["2026-12-02"] = {"纳采问名", "结婚姻 安葬"};  // 忌 one of the activity's items
    days.yiJi["2026-12-03"] = {"诸事不宜", "诸事不宜"};
    days.yiJi["2026-12-04"] = {"祭祀 余事勿取", "诸事不宜"};
    days.yiJi["2026-12-05"] = {"祭祀 移徙", "诸事不忌"};  // nothing for 嫁娶
    days.yiJi["2026-12-06"] = {"结婚姻", "诸事不忌"};
    const GoodDaySearch search = FindGoodDays(Query("嫁娶", D(2026, 12, 1), D(2026, 12, 7)), days, nullptr);
    EXPECT_EQ(Found(search), (std::vector<std::string>{"2026-12-01", "2026-12-06"}));
    ASSERT_FALSE(search.days.empty());
    EXPECT_EQ(search.days[0].matched, (std::vector<std::string>{"纳采问名", "嫁娶"}));  // in the almanac's order
    EXPECT_EQ(search.daysWithoutAlmanac, 1);                                            // 12-07 has no row
}

// 2013-02-10 is 丁未 in 寅月: 青龙 stands on 子, so 未 is 玉堂 (黄道), and 丁未
// clashes with 辛丑, the 牛.
// 结婚 is found on a 嫁娶 day and on a 结婚姻 day; a day forbidding either is not offered.
TEST(FindGoodDays, FindsAnEverydayWordThroughTheItemsItStandsFor) {
    FakeDays days;
    days.yiJi["2026-12-01"] = {"嫁娶", ""};
    days.yiJi["2026-12-02"] = {"结婚姻 移徙", ""};
    days.yiJi["2026-12-03"] = {"嫁娶", "结婚姻"};
    days.yiJi["2026-12-04"] = {"纳采问名", ""};  // an engagement, not the wedding
    const GoodDaySearch search = FindGoodDays(Query("结婚", D(2026, 12, 1), D(2026, 12, 4)), days, nullptr);
    EXPECT_EQ(Found(search), (std::vector<std::string>{"2026-12-01", "2026-12-02"}));
}

TEST(FindGoodDays, NamesTheDutyGodAndTheClashOfTheDay) {
    FakeDays days;
    days.yiJi["2013-02-10"] = {"嫁娶", "安葬"};
    const GoodDaySearch search = FindGoodDays(Query("嫁娶", D(2013, 2, 10), D(2013, 2, 10)), days, nullptr);
    ASSERT_EQ(search.days.size(), 1u);
    EXPECT_EQ(GoodDayColumns(search.days[0]),
              (std::vector<std::string>{"2013-02-10", "正月初一", "星期日", "玉堂（黄道）", "冲牛(辛丑)", "宜：嫁娶"}));
    EXPECT_EQ(GoodDayLine(search.days[0]), "2013-02-10  正月初一  星期日  玉堂（黄道）  冲牛(辛丑)  宜：嫁娶");
}

TEST(FindGoodDays, LeavesOutWhatTheFiltersExclude) {
    FakeDays days;
    // 2013-02-10 丁未 玉堂 黄道 冲牛; 2013-02-12 己酉 玄武 黑道 冲兔.
    days.yiJi["2013-02-10"] = {"出行", ""};
    days.yiJi["2013-02-12"] = {"出行", ""};
    HolidaySchedule offDays;
    offDays.Set({D(2013, 2, 12), OffDayKind::kOff, "春节"});
    struct Case {
        const char* what;
        GoodDayQuery query;
        std::vector<std::string> found;
    };
    GoodDayQuery all = Query("出行", D(2013, 2, 10), D(2013, 2, 12));
    GoodDayQuery yellow = all, notOx = all, notRabbit = all;
    yellow.yellowPathOnly = true;
    notOx.notClashing = ZodiacIndex("牛");
    notRabbit.notClashing = ZodiacIndex("兔");
    const Case cases[] = {
        {"no filter", all, {"2013-02-10", "2013-02-12"}},
        {"黄道 only", yellow, {"2013-02-10"}},
        {"not clashing with 牛", notOx, {"2013-02-12"}},
        {"not clashing with 兔", notRabbit, {"2013-02-10"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Found(FindGoodDays(c.query, days, &offDays)), c.found) << c.what;
}

TEST(FindGoodDays, DaysOffAre休DaysAndWeekendsThatAreNot班) {
    FakeDays days;
    HolidaySchedule offDays;
    offDays.Set({D(2026, 10, 1), OffDayKind::kOff, "国庆节"});    // Thursday
    offDays.Set({D(2026, 10, 10), OffDayKind::kWork, "国庆节"});  // Saturday
    for (const Date date : DateRange(D(2026, 10, 1), D(2026, 10, 12))) days.yiJi[date.ToString()] = {"出行", ""};
    GoodDayQuery query = Query("出行", D(2026, 10, 1), D(2026, 10, 12));
    query.daysOffOnly = true;
    EXPECT_EQ(Found(FindGoodDays(query, days, &offDays)),
              (std::vector<std::string>{"2026-10-01", "2026-10-03", "2026-10-04", "2026-10-11"}));
}

TEST(GoodDayRange, DefaultsToThreeMonthsAndReachesTwelveAtMost) {
    EXPECT_EQ(DefaultGoodDayEnd(D(2026, 12, 8)), D(2027, 3, 7));
    EXPECT_EQ(DefaultGoodDayEnd(D(2099, 11, 1)), D(2099, 12, 31));
    EXPECT_EQ(AddMonths(D(2027, 1, 31), 1), D(2027, 2, 28));
    EXPECT_EQ(AddMonths(D(2028, 1, 31), 1), D(2028, 2, 29));
    EXPECT_EQ(AddMonths(D(2026, 3, 15), -3), D(2025, 12, 15));
    struct Case {
        Date first, last;
        std::string problem;
    };
    const Case cases[] = {
        {D(2026, 12, 8), D(2027, 12, 7), ""},
        {D(2026, 12, 8), D(2027, 12, 8), "查询范围最长12个月"},
        {D(2026, 12, 8), D(2026, 12, 7), "结束日期早于开始日期"},
        {D(2026, 12, 8), D(2026, 12, 8), ""},
        {D(2099, 6, 1), D(2100, 1, 1), "日期须在1901年至2099年之间"},
    };
    for (const Case& c : cases) EXPECT_EQ(GoodDayRangeProblem(c.first, c.last), c.problem) << c.last.ToString();
}

TEST(ZodiacIndex, CountsFromTheRatAsTheBranchesDo) {
    EXPECT_EQ(ZodiacIndex("鼠"), 0);
    EXPECT_EQ(ZodiacIndex("牛"), 1);
    EXPECT_EQ(ZodiacIndex("猪"), 11);
    EXPECT_EQ(ZodiacIndex("猫"), std::nullopt);
    EXPECT_EQ(ZodiacNames().size(), 12u);
}

}  // namespace
