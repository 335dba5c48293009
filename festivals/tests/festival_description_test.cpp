#include "festivals/festival_description.h"

#include <gtest/gtest.h>

namespace {

FestivalRule Rule(const std::string& calendar, const std::string& dateRule) {
    FestivalRule rule;
    rule.calendar = calendar;
    rule.kind = "JR";
    rule.dateRule = dateRule;
    rule.name = "名称";
    return rule;
}

std::string DateText(const std::string& calendar, const std::string& dateRule) {
    return DescribeFestival(Rule(calendar, dateRule)).dateRule;
}

TEST(DescribeFestivalTest, NthWeekdayRules) {
    EXPECT_EQ(DateText("YL", "MSD:5:2:7"), "5月的第二个星期日");
    EXPECT_EQ(DateText("YL", "MSD:11:-1:4"), "11月的倒数第一个星期四");
    EXPECT_EQ(DateText("NL", "MSD:6:3:7"), "6月的第三个星期日");
    EXPECT_EQ(DateText("YL", "MSD:5:0:7"), "5月的第〇个星期日");
    EXPECT_EQ(DateText("YL", "MSD:5:1:8"), "5月的第一个星期");
}

TEST(DescribeFestivalTest, OffsetRulesInBothCalendars) {
    EXPECT_EQ(DateText("NL", "OFFSET:-1:1-1"), "正月初一的倒数第1天");
    EXPECT_EQ(DateText("YL", "OFFSET:3:10-1"), "10月1日的顺数第3天");
    EXPECT_EQ(DateText("YL", "OFFSET:-3:10-1"), "10月1日的倒数第3天");
    EXPECT_EQ(DateText("YL", "OFFSET:0:10-1"), "10月1日");
    EXPECT_EQ(DateText("NL", "OFFSET:7:12-23"), "腊月廿三的顺数第7天");
    EXPECT_EQ(DateText("NL", "OFFSET:0:8-15"), "八月十五");
}

TEST(DescribeFestivalTest, SolarTermOffsetRules) {
    EXPECT_EQ(DateText("YL", "OFFSETJQ:0:清明"), "清明");
    EXPECT_EQ(DateText("NL", "OFFSETJQ:9:冬至"), "冬至的顺数第9天");
    EXPECT_EQ(DateText("YL", "OFFSETJQ:-1:清明"), "清明的倒数第1天");
}

TEST(DescribeFestivalTest, FixedDates) {
    EXPECT_EQ(DateText("NL", "8-15"), "八月十五");
    EXPECT_EQ(DateText("NL", "12-8"), "腊月初八");
    EXPECT_EQ(DateText("YL", "10-1"), "10月1日");
    EXPECT_EQ(DateText("YL", "1980-5-12"), "1980月5日");
}

TEST(DescribeFestivalTest, AnyCalendarButGregorianReadsAsLunar) {
    const FestivalRule row = DescribeFestival(Rule("GL", "8-15"));
    EXPECT_EQ(row.calendar, "旧历");
    EXPECT_EQ(row.dateRule, "八月十五");
    EXPECT_EQ(DescribeFestival(Rule("", "1-1")).calendar, "旧历");
    EXPECT_EQ(DescribeFestival(Rule("YL", "1-1")).calendar, "阳历");
}

TEST(DescribeFestivalTest, TextsThatFitNoFormAreShownRaw) {
    EXPECT_EQ(DateText("YL", "offset:3:10-1"), "offset:3:10-1");
    EXPECT_EQ(DateText("YL", "MSD:5:2"), "MSD:5:2");
    EXPECT_EQ(DateText("YL", ""), "");
    EXPECT_EQ(DateText("YL", "春节前后"), "春节前后");
}

TEST(DescribeFestivalTest, KindStartYearAndEndDate) {
    FestivalRule rule = Rule("YL", "5-20");
    rule.kind = "SR";
    rule.startYear = "1980";
    rule.endDate = "2015-6-30";
    rule.soundFile = "C:\\a.wav";
    rule.enabled = "1";
    rule.showInForenotice = "0";
    rule.showReminderWindow = "1";
    const FestivalRule row = DescribeFestival(rule);
    EXPECT_EQ(row.kind, "生日");
    EXPECT_EQ(row.name, "名称");
    EXPECT_EQ(row.startYear, "1980年");
    EXPECT_EQ(row.endDate, "2015年6月30日");
    EXPECT_EQ(row.soundFile, "C:\\a.wav");
    EXPECT_EQ(row.enabled, "1");
    EXPECT_EQ(row.showInForenotice, "0");
    EXPECT_EQ(row.showReminderWindow, "1");

    rule.kind = "JNR";
    rule.startYear = "0980";
    rule.endDate = "2015-6";
    EXPECT_EQ(DescribeFestival(rule).kind, "纪念日");
    EXPECT_EQ(DescribeFestival(rule).startYear, "980年");
    EXPECT_EQ(DescribeFestival(rule).endDate, "2015-6");

    rule.kind = "XYZ";
    rule.startYear = "abc";
    rule.endDate = "";
    EXPECT_EQ(DescribeFestival(rule).kind, "XYZ");
    EXPECT_EQ(DescribeFestival(rule).startYear, "0年");
    EXPECT_EQ(DescribeFestival(rule).endDate, "");

    rule.startYear = "";
    EXPECT_EQ(DescribeFestival(rule).startYear, "");
}

}  // namespace
