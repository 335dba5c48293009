#include "almanac/ganzhi.h"

#include <gtest/gtest.h>

#include "almanac/day_facts.h"
#include "calendar/gregorian.h"

namespace almanac {
namespace {

std::string DayName(int y, int m, int d) { return GanZhiName(DayGanZhi(SerialFromCivil(y, m, d))); }

TEST(GanZhi, TheDayCycleRunsUnbrokenFromItsAnchor) {
    EXPECT_EQ(DayName(2013, 2, 10), "丁未");
    EXPECT_EQ(DayName(2013, 2, 11), "戊申");
    EXPECT_EQ(DayName(2013, 4, 11), "丁未");  // sixty days later
    EXPECT_EQ(DayName(2000, 1, 1), "戊午");
}

TEST(GanZhi, CyclePositionsAndNamesAgree) {
    for (int i = 0; i < 60; ++i) EXPECT_EQ(CycleIndex(FromCycleIndex(i)), i);
    EXPECT_EQ(GanZhiName(FromCycleIndex(0)), "甲子");
    EXPECT_EQ(GanZhiName(FromCycleIndex(59)), "癸亥");
    EXPECT_EQ(GanZhiName(FromCycleIndex(-1)), "癸亥");
    EXPECT_EQ(GanZhiName(YearGanZhi(1984)), "甲子");
    EXPECT_EQ(GanZhiName(YearGanZhi(2013)), "癸巳");
}

TEST(GanZhi, MonthStemsFollowTheFiveTigersRule) {
    EXPECT_EQ(GanZhiName(MonthGanZhi(1984, 0)), "丙寅");  // 甲 year
    EXPECT_EQ(GanZhiName(MonthGanZhi(1985, 0)), "戊寅");  // 乙
    EXPECT_EQ(GanZhiName(MonthGanZhi(1986, 0)), "庚寅");  // 丙
    EXPECT_EQ(GanZhiName(MonthGanZhi(1987, 0)), "壬寅");  // 丁
    EXPECT_EQ(GanZhiName(MonthGanZhi(1988, 0)), "甲寅");  // 戊
    EXPECT_EQ(GanZhiName(MonthGanZhi(2013, 0)), "甲寅");  // 癸
    EXPECT_EQ(GanZhiName(MonthGanZhi(2013, 11)), "乙丑");
}

class AlmanacDays : public ::testing::Test {
protected:
    static void SetUpTestSuite() { calendar_ = new AlmanacCalendar(2012, 2014); }
    static void TearDownTestSuite() { delete calendar_; }
    static std::string Names(int y, int m, int d) {
        const DayFacts f = calendar_->FactsOf(y, m, d);
        return GanZhiName(f.yearGanZhi) + " " + GanZhiName(f.monthGanZhi) + " " + GanZhiName(f.dayGanZhi);
    }
    static AlmanacCalendar* calendar_;
};
AlmanacCalendar* AlmanacDays::calendar_ = nullptr;

TEST_F(AlmanacDays, TheYearChangesOnTheDayOfLichunNotAtNewYear) {
    EXPECT_EQ(Names(2013, 2, 3), "壬辰 癸丑 庚子");
    EXPECT_EQ(Names(2013, 2, 4), "癸巳 甲寅 辛丑");   // 立春 at 00:13
    EXPECT_EQ(Names(2013, 2, 10), "癸巳 甲寅 丁未");  // lunar new year changes nothing
}

TEST_F(AlmanacDays, TheMonthChangesOnTheDayOfEachJie) {
    EXPECT_EQ(Names(2013, 3, 4), "癸巳 甲寅 己巳");
    EXPECT_EQ(Names(2013, 3, 5), "癸巳 乙卯 庚午");  // 惊蛰
    // 小寒 opens the 丑 month inside the old almanac year.
    EXPECT_EQ(Names(2013, 1, 4), "壬辰 壬子 庚午");
    EXPECT_EQ(Names(2013, 1, 5), "壬辰 癸丑 辛未");
    EXPECT_EQ(Names(2012, 12, 31), "壬辰 壬子 丙寅");
}

TEST_F(AlmanacDays, TheValueStarRepeatsOnAJieDay) {
    const DayFacts before = calendar_->FactsOf(2013, 3, 4);
    const DayFacts jieDay = calendar_->FactsOf(2013, 3, 5);
    const DayFacts after = calendar_->FactsOf(2013, 3, 6);
    EXPECT_EQ(JianChuName(before.jianChu), JianChuName(jieDay.jianChu));
    EXPECT_EQ((after.jianChu - jieDay.jianChu + 12) % 12, 1);
    // 建 falls on the day whose branch is the month's: 寅 days of the 寅 month.
    EXPECT_EQ(JianChuName(calendar_->FactsOf(2013, 2, 5).jianChu), "建");  // 壬寅
    EXPECT_EQ(JianChuName(calendar_->FactsOf(2013, 2, 10).jianChu), "执");
}

TEST_F(AlmanacDays, TermNeighboursAreCountedInDays) {
    const DayFacts lichun = calendar_->FactsOf(2013, 2, 4);
    EXPECT_EQ(lichun.termToday, 0);
    EXPECT_EQ(lichun.daysSincePreviousTerm, 0);
    EXPECT_EQ(lichun.nextTerm, 1);
    const DayFacts eve = calendar_->FactsOf(2013, 2, 3);
    EXPECT_EQ(eve.termToday, -1);
    EXPECT_EQ(eve.nextTerm, 0);
    EXPECT_EQ(eve.daysUntilNextTerm, 1);
    EXPECT_EQ(eve.previousTerm, 23);  // 大寒
}

TEST(DayEntries, ClashShaAndTaiShenFollowTheDay) {
    const GanZhi dingWei{3, 7};
    EXPECT_EQ(ClashText(dingWei), "牛(辛丑)");
    EXPECT_EQ(GanZhiName(ClashOf(dingWei)), "辛丑");
    EXPECT_EQ(ShaDirection(7), "西");  // 亥卯未
    EXPECT_EQ(ShaDirection(0), "南");  // 申子辰
    EXPECT_EQ(ShaDirection(2), "北");  // 寅午戌
    EXPECT_EQ(ShaDirection(9), "东");  // 巳酉丑
    EXPECT_EQ(ClashText(GanZhi{0, 0}), "马(戊午)");
}

TEST(DayEntries, TaiShenPlacesReadAsTheAlmanacWritesThem) {
    EXPECT_EQ(TaiShenText(FromCycleIndex(43)), "仓库厕 房内东");  // 丁未
    EXPECT_EQ(TaiShenText(FromCycleIndex(0)), "占门碓 外东南");   // 甲子
    EXPECT_EQ(TaiShenText(FromCycleIndex(15)), "占大门 外正西");  // 己卯
    EXPECT_EQ(TaiShenText(FromCycleIndex(10)), "门鸡栖 外西南");  // 甲戌
    EXPECT_EQ(TaiShenText(FromCycleIndex(34)), "房床栖 房内中");  // 戊戌
    EXPECT_EQ(TaiShenText(FromCycleIndex(36)), "占碓磨 房内南");  // 庚子
    EXPECT_EQ(TaiShenText(FromCycleIndex(39)), "房床门 房内西");  // 癸卯
    EXPECT_EQ(TaiShenText(FromCycleIndex(44)), "房床炉 房内中");  // 戊申
    EXPECT_EQ(TaiShenText(FromCycleIndex(45)), "占大门 外东北");  // 己酉
    EXPECT_EQ(TaiShenText(FromCycleIndex(59)), "占房床 外东南");  // 癸亥
}

}  // namespace
}  // namespace almanac
