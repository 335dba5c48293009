#include "tools/almanac-gen/almanac_row.h"

#include <gtest/gtest.h>

#include "almanac/almanac_page.h"
#include "calendar/gregorian.h"

namespace almanac_gen {
namespace {

// The value of an entry of the page, "?" when it has none.
std::string Value(const almanac::AlmanacPage& page, const std::string& name) {
    for (const auto& [n, v] : almanac::AlmanacPageEntries(page)) {
        if (n == name) return v;
    }
    return "?";
}

class AlmanacRows : public ::testing::Test {
protected:
    static void SetUpTestSuite() { calendar_ = new AlmanacCalendar(2013, 2013); }
    static void TearDownTestSuite() { delete calendar_; }
    static AlmanacCalendar* calendar_;
};
AlmanacCalendar* AlmanacRows::calendar_ = nullptr;

TEST_F(AlmanacRows, TheRowOfLunarNewYear2013) {
    const AlmanacRow row = BuildAlmanacRow(*calendar_, 2013, 2, 10);
    EXPECT_EQ(row.gDate, "2013-02-10");
    EXPECT_EQ(row.nDate, "2013-01-01");
    EXPECT_EQ(row.nYear, "癸巳年");
    EXPECT_EQ(row.nMonth, "甲寅月");
    EXPECT_EQ(row.nDay, "丁未日");
    EXPECT_EQ(row.Chong, "牛(辛丑)");
    EXPECT_EQ(row.ZhengChong, "辛丑");
    EXPECT_EQ(row.Sha, "西");
    EXPECT_EQ(row.Cheng, "执日");
    EXPECT_EQ(row.TaiShen, "仓库厕 房内东");
    EXPECT_EQ(row.JQ, "立春 2月4日 00:13  雨水 2月18日 20:01");
    EXPECT_EQ(row.SolarTerm, "");
}

TEST_F(AlmanacRows, OnlyTheTermDayCarriesTheTermName) {
    EXPECT_EQ(BuildAlmanacRow(*calendar_, 2013, 2, 3).SolarTerm, "");
    EXPECT_EQ(BuildAlmanacRow(*calendar_, 2013, 2, 4).SolarTerm, "立春");
    EXPECT_EQ(BuildAlmanacRow(*calendar_, 2013, 2, 5).SolarTerm, "");
    EXPECT_EQ(BuildAlmanacRow(*calendar_, 2013, 12, 22).SolarTerm, "冬至");
}

TEST_F(AlmanacRows, EveryDayHasAuspiciousAndInauspiciousActivities) {
    for (std::int64_t s = SerialFromCivil(2013, 1, 1); s <= SerialFromCivil(2013, 12, 31); ++s) {
        const CivilDate d = CivilFromSerial(s);
        const AlmanacRow row = BuildAlmanacRow(*calendar_, d.year, d.month, d.day);
        ASSERT_FALSE(row.Yi.empty()) << row.gDate;
        ASSERT_FALSE(row.Ji.empty()) << row.gDate;
        EXPECT_EQ(row.Yi.find("  "), std::string::npos);
        EXPECT_NE(row.Yi.back(), ' ');
    }
}

TEST(MonthTermsText, TimesAreTruncatedSoTheShownDateIsTheTermDay) {
    SolarTermInstant late;
    late.index = 21;
    late.month = 12;
    late.day = 21;
    late.hour = 23;
    late.minute = 59;
    late.second = 59;
    SolarTermInstant early = late;
    early.index = 20;
    early.day = 7;
    early.hour = 0;
    early.minute = 3;
    EXPECT_EQ(MonthTermsText({early, late}), "大雪 12月7日 00:03  冬至 12月21日 23:59");
    EXPECT_EQ(MonthTermsText({}), "");
}

TEST(AlmanacPageWholeRange, EveryDayHasAFullPageWhoseListsAreTheDatabasesAndTheSameOnEveryRun) {
    const AlmanacCalendar calendar(1901, 2099);
    const AlmanacCalendar again(1901, 2099);
    for (std::int64_t s = SerialFromCivil(1901, 1, 1); s <= SerialFromCivil(2099, 12, 31); s += 5) {
        const CivilDate c = CivilFromSerial(s);
        const DayFacts facts = calendar.FactsOf(c.year, c.month, c.day);
        const almanac::AlmanacPage page = almanac::BuildAlmanacPage(calendar, facts);
        const std::string text = almanac::AlmanacPageText(page);
        const std::string when = std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day);
        for (const auto& [name, value] : almanac::AlmanacPageEntries(page)) ASSERT_FALSE(value.empty()) << when << name;
        ASSERT_EQ(page.hours.size(), 12u);
        const AlmanacRow row = BuildAlmanacRow(calendar, c.year, c.month, c.day);
        ASSERT_EQ(Value(page, "宜"), row.Yi) << when;
        ASSERT_EQ(Value(page, "忌"), row.Ji) << when;
        ASSERT_EQ(page.taiShen, row.TaiShen) << when;
        ASSERT_EQ(text,
                  almanac::AlmanacPageText(almanac::BuildAlmanacPage(again, again.FactsOf(c.year, c.month, c.day))))
            << when;
    }
}

}  // namespace
}  // namespace almanac_gen
