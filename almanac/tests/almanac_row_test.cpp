#include "almanac/generator/almanac_row.h"

#include <gtest/gtest.h>

#include "calendar/gregorian.h"

namespace almanac_gen {
namespace {

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

}  // namespace
}  // namespace almanac_gen
