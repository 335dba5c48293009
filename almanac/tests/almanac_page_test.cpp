// The 黄历 page of a day against the traditional tables: 值神 by month and day
// branch, 二十八宿 by the day count, 纳音 by the 六十甲子, 彭祖百忌 by stem and
// branch, the 时辰 by 五鼠遁 and their 黄道; and the same page every time.
#include "almanac/almanac_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/gregorian.h"

using namespace almanac;

namespace {

GanZhi Named(const std::string& name) {
    for (int i = 0; i < 60; ++i) {
        if (GanZhiName(FromCycleIndex(i)) == name) return FromCycleIndex(i);
    }
    return GanZhi{};
}

std::string Value(const AlmanacPage& page, const std::string& name) {
    for (const auto& [n, v] : AlmanacPageEntries(page)) {
        if (n == name) return v;
    }
    return "?";
}

}  // namespace

TEST(AlmanacPageTables, DutyGodsStartFromQingLongByTheGoverningBranch) {
    // 寅申 子, 卯酉 寅, 辰戌 辰, 巳亥 午, 子午 申, 丑未 戌 (青龙 days and hours).
    const int kQingLongOn[12] = {8, 10, 0, 2, 4, 6, 8, 10, 0, 2, 4, 6};
    for (int governing = 0; governing < 12; ++governing) {
        EXPECT_EQ(DutyGodName(DutyGodIndex(kQingLongOn[governing], governing)), "青龙") << governing;
        EXPECT_EQ(DutyGodName(DutyGodIndex((kQingLongOn[governing] + 11) % 12, governing)), "勾陈") << governing;
    }
    // 寅月: 子 青龙, 丑 明堂, 寅 天刑 … 亥 勾陈.
    const std::vector<std::string> inYinMonth = {"青龙", "明堂", "天刑", "朱雀", "金匮", "天德",
                                                 "白虎", "玉堂", "天牢", "玄武", "司命", "勾陈"};
    for (int b = 0; b < 12; ++b) EXPECT_EQ(DutyGodName(DutyGodIndex(b, 2)), inYinMonth[b]);
    int yellow = 0;
    for (int i = 0; i < 12; ++i) yellow += IsYellowPath(i);
    EXPECT_EQ(yellow, 6);
    EXPECT_TRUE(IsYellowPath(DutyGodIndex(7, 2)));   // 玉堂
    EXPECT_FALSE(IsYellowPath(DutyGodIndex(6, 2)));  // 白虎
}

TEST(AlmanacPageTables, NaYinPairsTheSixtyJiaZi) {
    EXPECT_EQ(NaYinName(Named("甲子")), "海中金");
    EXPECT_EQ(NaYinName(Named("乙丑")), "海中金");
    EXPECT_EQ(NaYinName(Named("丙寅")), "炉中火");
    EXPECT_EQ(NaYinName(Named("丁未")), "天河水");
    EXPECT_EQ(NaYinName(Named("癸巳")), "长流水");
    EXPECT_EQ(NaYinName(Named("甲寅")), "大溪水");
    EXPECT_EQ(NaYinName(Named("庚子")), "壁上土");
    EXPECT_EQ(NaYinName(Named("癸亥")), "大海水");
}

TEST(AlmanacPageTables, MansionsRunUnbrokenAndKeepStepWithTheWeek) {
    EXPECT_EQ(MansionName(MansionIndex(SerialFromCivil(2025, 6, 26))), "角木蛟");
    EXPECT_EQ(MansionName(MansionIndex(SerialFromCivil(2025, 6, 27))), "亢金龙");
    EXPECT_EQ(MansionName(MansionIndex(SerialFromCivil(2025, 7, 24))), "角木蛟");  // 28 days on
    // The almanacs' own key by day branch and weekday: a 申 day on a Monday is
    // 毕, a 巳 day on a Monday 危, a 子 day on a Sunday 虚.
    int checked = 0;
    for (std::int64_t s = SerialFromCivil(1901, 1, 1); s < SerialFromCivil(1901, 1, 1) + 84 * 3; ++s) {
        const Date c = Date::FromSerial(s).value();
        const int branch = DayGanZhi(s).branch, weekday = c.weekday();
        const std::string name = MansionName(MansionIndex(s));
        const char* expected = branch == 8 && weekday == 1   ? "毕月乌"
                               : branch == 5 && weekday == 1 ? "危月燕"
                               : branch == 0 && weekday == 7 ? "虚日鼠"
                                                             : nullptr;
        if (expected) {
            EXPECT_EQ(name, expected) << c.ToString();
            ++checked;
        }
        // The 七曜 of the mansion is the weekday's: 日 Sunday, 月 Monday, 火 Tuesday …
        static const std::vector<std::string> kWeekdayStar = {"", "月", "火", "水", "木", "金", "土", "日"};
        EXPECT_EQ(name.substr(2, 2), kWeekdayStar[weekday]) << c.ToString();
    }
    EXPECT_EQ(checked, 9);
}

TEST(AlmanacPageTables, PengZuByStemAndBranch) {
    EXPECT_EQ(PengZuText(Named("丁未")), "丁不剃头头必生疮 未不服药毒气入肠");
    EXPECT_EQ(PengZuText(Named("甲子")), "甲不开仓财物耗散 子不问卜自惹祸殃");
    EXPECT_EQ(PengZuText(Named("癸亥")), "癸不词讼理弱敌强 亥不嫁娶不利新郎");
}

TEST(AlmanacPageTables, HoursByWuShuDun) {
    // 甲己还加甲, 乙庚丙作初, 丙辛从戊起, 丁壬庚子居, 戊癸何方发, 壬子是真途.
    const std::vector<std::string> ziHour = {"甲子", "丙子", "戊子", "庚子", "壬子",
                                             "甲子", "丙子", "戊子", "庚子", "壬子"};
    for (int stem = 0; stem < 10; ++stem) {
        EXPECT_EQ(GanZhiName(HourGanZhi(GanZhi{stem, stem % 2 == 0 ? 0 : 1}, 0)), ziHour[stem]) << stem;
    }
    EXPECT_EQ(GanZhiName(HourGanZhi(Named("丁未"), 6)), "丙午");
    EXPECT_EQ(GanZhiName(HourGanZhi(Named("甲子"), 11)), "乙亥");
}

TEST(AlmanacPageDays, LunarNewYear2013) {
    // 2013-02-10: 癸巳年 甲寅月 丁未日, 正月初一, 执日.
    const AlmanacPage page = AlmanacPageOf(Date::FromCivil(2013, 2, 10).value());
    EXPECT_EQ(page.solarDate, "2013年2月10日 星期日");
    EXPECT_EQ(page.lunarDate, "二〇一三年正月初一");
    EXPECT_EQ(Value(page, "干支"), "癸巳年 甲寅月 丁未日");
    EXPECT_EQ(page.zodiac, "蛇");
    EXPECT_EQ(Value(page, "纳音"), "长流水 大溪水 天河水");
    EXPECT_EQ(Value(page, "值神"), "玉堂（黄道日）");
    EXPECT_EQ(Value(page, "成"), "执日");
    EXPECT_EQ(Value(page, "冲煞"), "冲牛(辛丑) 煞西");
    EXPECT_EQ(Value(page, "胎神"), "仓库厕 房内东");
    EXPECT_EQ(Value(page, "彭祖百忌"), "丁不剃头头必生疮 未不服药毒气入肠");
    EXPECT_EQ(Value(page, "吉神宜趋"), "天德 四相 敬安");
    EXPECT_EQ(Value(page, "凶煞宜忌"), "小耗 八专");
    // 丑未 days: 黄道 hours 寅 卯 巳 申 戌 亥.
    ASSERT_EQ(page.hours.size(), 12u);
    std::string lucky;
    for (const AlmanacHour& h : page.hours) lucky += h.lucky ? h.name.substr(0, 2) : "";
    EXPECT_EQ(lucky, "寅卯巳申戌亥");
    EXPECT_EQ(AlmanacHourLine(page.hours[0]), "子时 23-01 庚子 天刑 凶 冲马(甲午)");
    EXPECT_EQ(AlmanacHourLine(page.hours[10]), "戌时 19-21 庚戌 青龙 吉 冲龙(甲辰)");
}

TEST(AlmanacPageDays, TheEntriesLeadWithYiAndJiAfterTheDates) {
    const AlmanacPage page = AlmanacPageOf(Date::FromCivil(2013, 2, 10).value());
    const auto entries = AlmanacPageEntries(page);
    ASSERT_GE(entries.size(), 4u);
    const std::vector<std::string> lead = {entries[0].first, entries[1].first, entries[2].first, entries[3].first};
    EXPECT_EQ(lead, (std::vector<std::string>{"阳历", "旧历", "宜", "忌"}));
    const std::string top = "阳历：" + page.solarDate + "\n旧历：" + page.lunarDate + "\n宜：";
    EXPECT_EQ(AlmanacPageText(page).substr(0, top.size()), top);
}

TEST(AlmanacPageDays, ADayFitForNothingSaysNothingUnderYiAndZhuShiBuYiUnderJi) {
    // 2026-12-22 (冬至) is judged 诸事皆忌; 2013-02-16 too (月煞 on a 闭日).
    for (const auto& [y, m, d] : {std::make_tuple(2026, 12, 22), std::make_tuple(2013, 2, 16)}) {
        const AlmanacPage page = AlmanacPageOf(Date::FromCivil(y, m, d).value());
        EXPECT_EQ(Value(page, "宜"), "无") << y << "-" << m << "-" << d;
        EXPECT_EQ(Value(page, "忌"), "诸事不宜") << y << "-" << m << "-" << d;
    }
}

TEST(AlmanacPageDays, ALeapMonthDayIsMarked) {
    const AlmanacPage page = AlmanacPageOf(Date::FromCivil(2023, 3, 22).value());
    EXPECT_EQ(page.lunarDate, "二〇二三年闰二月初一");
    EXPECT_EQ(page.zodiac, "兔");
}
