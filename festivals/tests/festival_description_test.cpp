#include "festivals/festival_description.h"

#include <gtest/gtest.h>

#include "tests/support/festival_samples.h"

namespace {

FestivalSample Rule(const std::string& calendar, const std::string& dateRule) {
    return FestivalSample(calendar, dateRule).Name("名称");
}

// Each form of the date rule in words, as the festival manager lists it;
// texts that fit no form are shown as they are.
TEST(DescribeFestivalTest, EachFormOfDateRuleReadsInWords) {
    struct Case {
        const char* calendar;
        const char* dateRule;
        const char* words;
    };
    const Case cases[] = {
        {"YL", "MSD:5:2:7", "5月的第二个星期日"},
        {"YL", "MSD:11:-1:4", "11月的倒数第一个星期四"},
        {"NL", "MSD:6:3:7", "6月的第三个星期日"},
        {"YL", "MSD:5:0:7", "5月的第〇个星期日"},
        {"YL", "MSD:5:1:8", "5月的第一个星期"},
        {"NL", "OFFSET:-1:1-1", "正月初一的倒数第1天"},
        {"YL", "OFFSET:3:10-1", "10月1日的顺数第3天"},
        {"YL", "OFFSET:-3:10-1", "10月1日的倒数第3天"},
        {"YL", "OFFSET:0:10-1", "10月1日"},
        {"NL", "OFFSET:7:12-23", "腊月廿三的顺数第7天"},
        {"NL", "OFFSET:0:8-15", "八月十五"},
        {"YL", "OFFSETJQ:0:清明", "清明"},
        {"NL", "OFFSETJQ:9:冬至", "冬至的顺数第9天"},
        {"YL", "OFFSETJQ:-1:清明", "清明的倒数第1天"},
        {"NL", "8-15", "八月十五"},
        {"NL", "12-8", "腊月初八"},
        {"NL", "闰2-10", "闰二月初十"},
        {"YL", "闰2-10", "闰2-10"},
        {"YL", "10-1", "10月1日"},
        {"YL", "1980-5-12", "1980月5日"},
        {"YL", "offset:3:10-1", "offset:3:10-1"},
        {"YL", "MSD:5:2", "MSD:5:2"},
        {"YL", "", ""},
        {"YL", "春节前后", "春节前后"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeFestival(Rule(c.calendar, c.dateRule)).dateRule, c.words) << c.calendar << " " << c.dateRule;
    }
}

TEST(DescribeFestivalTest, AnyCalendarButGregorianReadsAsLunar) {
    const FestivalRule row = DescribeFestival(Rule("GL", "8-15"));
    EXPECT_EQ(row.calendar, "旧历");
    EXPECT_EQ(row.dateRule, "八月十五");
    EXPECT_EQ(DescribeFestival(Rule("", "1-1")).calendar, "旧历");
    EXPECT_EQ(DescribeFestival(Rule("YL", "1-1")).calendar, "阳历");
}

TEST(DescribeFestivalTest, KindStartYearAndEndDateReadInWords) {
    struct Case {
        const char *kind, *startYear, *endDate;
        const char *kindText, *startYearText, *endDateText;
    };
    const Case cases[] = {
        {"SR", "1980", "2015-6-30", "生日", "1980年", "2015年6月30日"},
        {"JNR", "0980", "2015-6", "纪念日", "980年", "2015-6"},
        {"XYZ", "abc", "", "XYZ", "0年", ""},
        {"JR", "", "", "节日", "", ""},
    };
    for (const Case& c : cases) {
        const FestivalRule row =
            DescribeFestival(FestivalSample("YL", "5-20").Kind(c.kind).StartYear(c.startYear).EndDate(c.endDate));
        EXPECT_EQ(row.kind, c.kindText) << c.kind;
        EXPECT_EQ(row.startYear, c.startYearText) << c.startYear;
        EXPECT_EQ(row.endDate, c.endDateText) << c.endDate;
    }
}

TEST(DescribeFestivalTest, NameSoundAndSwitchesStayAsStored) {
    const FestivalRule row = DescribeFestival(Rule("YL", "5-20").Sound("C:\\a.wav").ListedAhead("0"));
    EXPECT_EQ(row.name, "名称");
    EXPECT_EQ(row.soundFile, "C:\\a.wav");
    EXPECT_EQ(row.enabled, "1");
    EXPECT_EQ(row.showInForenotice, "0");
    EXPECT_EQ(row.showReminderWindow, "1");
}

}  // namespace
