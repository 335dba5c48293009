// The 宜忌 of days as the traditional selection rules give them: which 神煞 a
// day carries, why an activity is favoured or forbidden, the days the grade
// table makes unfit for everything, and the same answer every time for every
// day the almanac covers.
#include "almanac/yiji_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "almanac/day_facts.h"
#include "almanac/yi_ji.h"
#include "calendar/date.h"
#include "calendar/gregorian.h"

using namespace almanac;

namespace {

const AlmanacCalendar& Calendar() {
    static const AlmanacCalendar calendar(1901, 2099);
    return calendar;
}

SelectionFacts FactsOn(int year, int month, int day) {
    return SelectionFactsOf(Calendar(), Calendar().FactsOf(year, month, day));
}

YiJiDay DayOn(int year, int month, int day) { return YiJiRules::BuiltIn().Evaluate(FactsOn(year, month, day)); }

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

bool Favours(const YiJiDay& day, const std::string& activity) {
    const int a = YiJiRules::BuiltIn().ActivityNumber(activity);
    return std::find(day.yi.begin(), day.yi.end(), a) != day.yi.end();
}

bool Forbids(const YiJiDay& day, const std::string& activity) {
    const int a = YiJiRules::BuiltIn().ActivityNumber(activity);
    return std::find(day.ji.begin(), day.ji.end(), a) != day.ji.end();
}

std::vector<std::string> Reasons(const YiJiDay& day, const std::string& activity) {
    return YiJiRules::BuiltIn().Explain(day, activity);
}

// A minimal rule set for checking how judgements combine, independent of the
// real tables: 吉 favours 结婚姻 and 祭祀, 凶 forbids 结婚姻 嫁娶 冠带, graded by 德.
YiJiTableTexts SmallTables(const char* grades) {
    YiJiTableTexts t;
    t.activities = "1\t祭祀\t祭祀\n2\t冠带\t冠带\n3\t结婚姻\t结婚姻\n4\t嫁娶\t嫁娶\n";
    t.groups = "";
    t.shensha =
        "吉\t吉\t日支\t子丑寅卯辰巳午未申酉戌亥\n"
        "凶\t凶\t日支\t子丑寅卯辰巳午未申酉戌亥\n"
        "德\t吉\t日干\t甲\n";
    t.effects =
        "吉\t宜\t结婚姻 祭祀\t-\t-\n"
        "凶\t忌\t结婚姻 嫁娶 冠带\t-\t-\n";
    t.grades = grades;
    t.puzhu = "相抵连带\t结婚姻\t冠带 嫁娶\n";
    return t;
}

}  // namespace

TEST(YiJiRuleTables, BuiltInTablesReadAndListTheSixtyActivitiesInOrder) {
    YiJiRules rules;
    std::string error;
    ASSERT_TRUE(rules.Load(BuiltInYiJiTables(), error)) << error;
    ASSERT_EQ(rules.Activities().size(), 60u);
    EXPECT_EQ(rules.Activities().front(), "祭祀");
    EXPECT_EQ(rules.Activities()[14], "嫁娶");
    EXPECT_EQ(rules.Activities().back(), "启攒");
}

TEST(YiJiRuleTables, ARowNamingSomethingUndefinedIsRejectedWithItsLine) {
    YiJiTableTexts t = SmallTables("");
    t.effects = "吉\t宜\t结婚姻\t-\t-\n# a comment\n吉\t宜\t跳舞\t-\t-\n";
    YiJiRules rules;
    std::string error;
    EXPECT_FALSE(rules.Load(t, error));
    EXPECT_NE(error.find("effects.tsv line 3"), std::string::npos) << error;
    EXPECT_NE(error.find("跳舞"), std::string::npos) << error;

    t = SmallTables("凶\t*\t-\t无此神\t不忌\t从忌不从宜\t-\n");
    EXPECT_FALSE(rules.Load(t, error));
    EXPECT_NE(error.find("grades.tsv line 1"), std::string::npos) << error;
}

TEST(YiJiRuleTables, SeenActivityByActivityTheTablesAgreeWithTheBooksUseList) {
    // 卷十一《用事》 lists, activity by activity, the 神煞 that favour and forbid
    // it; the 神煞-by-神煞 tables of 卷十 must give the same, apart from what
    // they add (气往亡 and 岁薄 逐阵 beside 往亡 and 月厌).
    const YiJiRules& rules = YiJiRules::BuiltIn();
    auto sorted = [](std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_EQ(sorted(rules.RulesNoting("嫁娶", true)),
              sorted({"天德", "月德", "天德合", "月德合", "天赦", "天愿", "三合", "天喜", "六合", "不将"}));
    EXPECT_EQ(sorted(rules.RulesNoting("嫁娶", false)),
              sorted({"月破", "平日", "收日", "闭日", "劫煞", "灾煞", "月煞",   "月刑", "月害", "月厌", "厌对", "大时",
                      "天吏", "四废", "四忌", "四穷", "五墓", "往亡", "气往亡", "岁薄", "逐阵", "八专", "亥日"}));
    EXPECT_EQ(sorted(rules.RulesNoting("整手足甲", false)),
              sorted({"月建", "月破", "劫煞", "灾煞", "月煞", "月刑", "月厌", "岁薄", "逐阵", "人神在手足"}));
    EXPECT_EQ(sorted(rules.RulesNoting("进人口", true)),
              sorted({"天愿", "民日", "三合", "满日", "收日", "六合", "天仓"}));
    EXPECT_EQ(sorted(rules.RulesNoting("安床", true)), sorted({"危日"}));
    EXPECT_TRUE(rules.RulesNoting("跳舞", true).empty());
}

TEST(YiJiJudgements, GoodMeetingBadIsJudgedByTheGradeRow) {
    YiJiRules rules;
    std::string error;
    SelectionFacts withDe;  // 甲子 day: 德 present
    SelectionFacts withoutDe;
    withoutDe.dayStem = 2;  // 丙子

    // 从忌不从宜 unless 德: the 忌 wins and takes 结婚姻 off the 宜 list.
    ASSERT_TRUE(rules.Load(SmallTables("凶\t*\t-\t德\t从宜不从忌\t从忌不从宜\t-\n"), error)) << error;
    YiJiDay d = rules.Evaluate(withoutDe);
    EXPECT_EQ(rules.YiList(d), (std::vector<std::string>{"祭祀"}));
    EXPECT_EQ(rules.JiList(d), (std::vector<std::string>{"冠带", "结婚姻", "嫁娶"}));
    d = rules.Evaluate(withDe);
    EXPECT_EQ(rules.YiList(d), (std::vector<std::string>{"祭祀", "结婚姻"}));
    EXPECT_EQ(rules.JiList(d), (std::vector<std::string>{"诸事不忌"}));

    // 吉凶相抵: 结婚姻 is noted as neither, and by the 铺注 rule neither are
    // 冠带 and 嫁娶 that go with it.
    ASSERT_TRUE(rules.Load(SmallTables("凶\t*\t-\t-\t-\t从宜亦从忌\t-\n"), error)) << error;
    d = rules.Evaluate(withoutDe);
    EXPECT_EQ(rules.YiList(d), (std::vector<std::string>{"祭祀"}));
    EXPECT_EQ(rules.JiList(d), (std::vector<std::string>{"诸事不忌"}));

    // 诸事皆忌 leaves nothing to choose.
    ASSERT_TRUE(rules.Load(SmallTables("凶\t*\t-\t德\t从忌不从宜\t诸事皆忌\t-\n"), error)) << error;
    d = rules.Evaluate(withoutDe);
    EXPECT_TRUE(d.allForbidden);
    EXPECT_EQ(rules.YiList(d), (std::vector<std::string>{"无"}));
    EXPECT_EQ(rules.JiList(d), (std::vector<std::string>{"诸事不宜"}));
    EXPECT_FALSE(rules.Evaluate(withDe).allForbidden);
}

TEST(YiJiDayFacts, TheRulesSeeTheTermsAroundTheDayAndTheEndOfTheLunarMonth) {
    // 立春 2013 fell on 2-4, 雨水 on 2-18; lunar new year on 2-10.
    const SelectionFacts eve = FactsOn(2013, 2, 3);
    EXPECT_EQ(eve.termTomorrow, 0);
    EXPECT_EQ(eve.termToday, -1);
    EXPECT_EQ(eve.daysToSeasonStart, 1);
    EXPECT_EQ(eve.monthBranch, 1);  // still the 丑 month
    EXPECT_EQ(eve.yearBranch, 4);   // still the 壬辰 year

    const SelectionFacts liChun = FactsOn(2013, 2, 4);
    EXPECT_EQ(liChun.termToday, 0);
    EXPECT_EQ(liChun.daysSinceJie, 0);
    EXPECT_EQ(liChun.daysToSeasonStart, 0);
    EXPECT_EQ(liChun.monthBranch, 2);  // 寅 from the day of 立春
    EXPECT_EQ(liChun.yearBranch, 5);   // 癸巳

    const SelectionFacts afterYuShui = FactsOn(2013, 2, 20);
    EXPECT_EQ(afterYuShui.currentTerm, 1);
    EXPECT_EQ(afterYuShui.daysSinceJie, 16);

    // The eighteen days of 土王用事 before 立春 start on 1-17.
    EXPECT_EQ(FactsOn(2013, 1, 17).daysToSeasonStart, 18);
    EXPECT_TRUE(Contains(DayOn(2013, 1, 17).badGods, "土王用事"));
    EXPECT_FALSE(Contains(DayOn(2013, 1, 16).badGods, "土王用事"));

    EXPECT_TRUE(FactsOn(2013, 2, 9).lastDayOfLunarMonth);
    EXPECT_FALSE(FactsOn(2013, 2, 10).lastDayOfLunarMonth);
    EXPECT_TRUE(Contains(DayOn(2013, 2, 9).badGods, "晦日"));
}

TEST(YiJiDays, LunarNewYear2013CarriesTianDeAndBaZhuan) {
    // 2013-02-10, 丁未 day in the 寅 month: 丁 is the month's 天德, 丁未 one of the
    // 八专 days, 执 the day's 值星, the first of the lunar month.
    const YiJiDay day = DayOn(2013, 2, 10);
    EXPECT_TRUE(Contains(day.goodGods, "天德"));
    EXPECT_TRUE(Contains(day.badGods, "八专"));
    EXPECT_FALSE(Contains(day.goodGods, "月德"));

    EXPECT_TRUE(Favours(day, "祭祀"));
    EXPECT_TRUE(Contains(Reasons(day, "祭祀"), "宜 天德"));
    // 八专 forbids marriage even on a 天德 day.
    EXPECT_TRUE(Forbids(day, "嫁娶"));
    EXPECT_TRUE(Contains(Reasons(day, "嫁娶"), "宜 天德"));
    EXPECT_TRUE(Contains(Reasons(day, "嫁娶"), "忌 八专（从忌不从宜）"));
    // 天德 itself forbids hunting and fishing; 丁 days forbid shaving; the 朔
    // forbids seeing the doctor.
    EXPECT_TRUE(Forbids(day, "畋猎"));
    EXPECT_TRUE(Contains(Reasons(day, "畋猎"), "忌 天德（从忌不从宜）"));
    EXPECT_TRUE(Forbids(day, "剃头"));
    EXPECT_TRUE(Contains(Reasons(day, "剃头"), "忌 丁日（从忌不从宜）"));
    EXPECT_TRUE(Forbids(day, "求医疗病"));
    EXPECT_TRUE(Contains(Reasons(day, "求医疗病"), "忌 朔望（从忌不从宜）"));
}

TEST(YiJiDays, MonthBreakForbidsBuildingEvenWithTheMonthsVirtue) {
    // 2013-02-11 戊申, 破日 of the 寅 month (申 clashes 寅).
    const YiJiDay day = DayOn(2013, 2, 11);
    EXPECT_TRUE(Contains(day.badGods, "月破"));
    EXPECT_TRUE(Contains(day.badGods, "大耗"));
    EXPECT_TRUE(Forbids(day, "修造动土"));
    EXPECT_TRUE(Contains(Reasons(day, "修造动土"), "忌 月破（从忌不从宜）"));
    // What a 破日 is good for.
    EXPECT_TRUE(Favours(day, "破屋坏垣"));
    // It forbids nearly everything, but the grades do not make it fit for
    // nothing: both lists name the activities themselves.
    EXPECT_GE(day.ji.size(), 40u);
    EXPECT_FALSE(day.allForbidden);
    const std::vector<std::string> yi = YiJiRules::BuiltIn().YiList(day);
    const std::vector<std::string> ji = YiJiRules::BuiltIn().JiList(day);
    EXPECT_TRUE(Contains(yi, "破屋坏垣"));
    EXPECT_FALSE(Contains(yi, "余事勿取"));
    EXPECT_EQ(ji.size(), day.ji.size());
    EXPECT_TRUE(Contains(ji, "修造动土"));
    EXPECT_FALSE(Contains(ji, "诸事不宜"));
}

TEST(YiJiDays, MonthlyShaOnAClosingDayWithoutVirtueIsFitForNothing) {
    // In the 寅 month 丑 days are 闭日 and 月煞: without a 德 the grade table
    // makes them 诸事皆忌 (下); 癸丑 (2013-02-16) has none, 辛丑 (2013-02-04,
    // the day of 立春) has the month's 月德合 and is judged as usual.
    const YiJiDay bare = DayOn(2013, 2, 16);
    EXPECT_TRUE(Contains(bare.badGods, "月煞"));
    EXPECT_TRUE(bare.allForbidden);
    EXPECT_EQ(bare.gravest, Judgement::kAllForbidden);
    EXPECT_EQ(YiJiRules::BuiltIn().YiList(bare), (std::vector<std::string>{"无"}));

    const YiJiDay withVirtue = DayOn(2013, 2, 4);
    EXPECT_TRUE(Contains(withVirtue.goodGods, "月德合"));
    EXPECT_TRUE(Contains(withVirtue.badGods, "月煞"));
    EXPECT_FALSE(withVirtue.allForbidden);
}

TEST(YiJiDays, TheDayBeforeAnEquinoxOrTheStartOfASeasonAllowsOnlyWorshipAndCleaning) {
    // 春分 2013 fell on 3-20: 3-19 is 四离. 立春 2013 fell on 2-4: 2-3 is 四绝.
    for (const auto& [month, day, god] : {std::make_tuple(3, 19, "四离"), std::make_tuple(2, 3, "四绝")}) {
        const YiJiDay d = DayOn(2013, month, day);
        EXPECT_TRUE(Contains(d.badGods, god));
        EXPECT_TRUE(d.restForbidden);
        const std::vector<std::string> yi = YiJiRules::BuiltIn().YiList(d);
        EXPECT_FALSE(Contains(yi, "嫁娶"));
        EXPECT_FALSE(Contains(yi, "出行"));
        if (!d.allForbidden && yi.size() > 1) {
            EXPECT_EQ(yi.back(), "余事勿取");
        }
        EXPECT_EQ(YiJiRules::BuiltIn().JiList(d), (std::vector<std::string>{"诸事不宜"}));
        // The notes say why.
        const std::string notes = YiJiNotes(Calendar(), Calendar().FactsOf(2013, month, day));
        EXPECT_NE(notes.find(std::string("  ") + god + "：余事皆忌\n"), std::string::npos) << notes;
    }
    EXPECT_FALSE(DayOn(2013, 3, 20).restForbidden);
}

TEST(YiJiDays, VirtueMeetingPardonOrWishForbidsNothingOnExactlyTheBooksDays) {
    // 德合与赦愿所会之辰 诸事不忌: 二月甲戌 四月丙申 六月甲午 七月戊申 八月庚辰
    // 九月辛卯 十月甲子 十二月甲子 (months by their branch, days by cycle number).
    const std::vector<std::pair<int, int>> books = {{3, 10}, {5, 32},  {7, 30}, {8, 44},
                                                    {9, 16}, {10, 27}, {11, 0}, {1, 0}};
    int found = 0;
    for (std::int64_t s = SerialFromCivil(2000, 1, 1); s < SerialFromCivil(2030, 1, 1); ++s) {
        const CivilDate c = CivilFromSerial(s);
        const SelectionFacts f = FactsOn(c.year, c.month, c.day);
        const int cycle = ((6 * f.dayStem - 5 * f.dayBranch) % 60 + 60) % 60;
        const bool listed = std::find(books.begin(), books.end(), std::make_pair(f.monthBranch, cycle)) != books.end();
        const YiJiDay day = YiJiRules::BuiltIn().Evaluate(f);
        // 四离 四绝 上朔 keep their 忌 even then.
        ASSERT_EQ(day.nothingForbidden, listed && !day.restForbidden) << c.year << "-" << c.month << "-" << c.day;
        if (listed && day.restForbidden) continue;
        if (listed) {
            EXPECT_EQ(YiJiRules::BuiltIn().JiList(day), (std::vector<std::string>{"诸事不忌"}));
            ++found;
        }
    }
    EXPECT_GE(found, 30);
}

TEST(YiJiDays, TheGradeTableMakesTheseDaysFitForNothing) {
    // 子午 months: the 月厌 meets the 月建 (厌建会), fit for nothing unless it is
    // the 天赦 (下); 卯酉 months: the 月厌 meets the 月破 and 灾煞 (下下); and the
    // 阴阳大会 days (正月甲戌 …) whatever else the day has.
    int checked = 0;
    for (std::int64_t s = SerialFromCivil(2000, 1, 1); s < SerialFromCivil(2010, 1, 1); ++s) {
        const CivilDate c = CivilFromSerial(s);
        const SelectionFacts f = FactsOn(c.year, c.month, c.day);
        const YiJiDay day = YiJiRules::BuiltIn().Evaluate(f);
        const bool ziWu = (f.monthBranch == 0 || f.monthBranch == 6) && f.dayBranch == f.monthBranch;
        const bool tianShe = f.dayStem == 0;  // 甲子 in winter, 甲午 in summer
        const bool maoYou = (f.monthBranch == 3 || f.monthBranch == 9) && f.dayBranch == (f.monthBranch + 6) % 12;
        const bool daHui = f.monthBranch == 2 && f.dayStem == 0 && f.dayBranch == 10;  // 正月甲戌
        if (ziWu || maoYou || daHui) {
            EXPECT_EQ(day.allForbidden, !(ziWu && tianShe)) << c.year << "-" << c.month << "-" << c.day;
            ++checked;
        }
    }
    EXPECT_GT(checked, 80);
}

TEST(YiJiDays, YearGodsFollowTheYearFromLiChun) {
    // 2013 (癸巳 from 立春 2-4): 上朔 of 癸 years is 丁巳, 岁破 of 巳 years falls on 亥 days.
    const YiJiDay shangShuo = DayOn(2013, 2, 20);  // 丁巳
    EXPECT_TRUE(Contains(shangShuo.badGods, "上朔"));
    EXPECT_TRUE(shangShuo.restForbidden);
    EXPECT_TRUE(Contains(DayOn(2013, 2, 14).badGods, "岁破"));  // 辛亥, after 立春
    EXPECT_FALSE(Contains(DayOn(2013, 2, 2).badGods, "岁破"));  // 己亥, still 壬辰 year
}

TEST(YiJiDays, SeasonalActivitiesOnlyInTheirSeason) {
    // 执日 favour fishing from 雨水 to 立夏 and hunting from 霜降 to 立春.
    int spring = 0, winter = 0;
    for (int d = 0; d < 40; ++d) {
        for (const Date date : {*Date::FromCivil(2013, 3, 1) + d, *Date::FromCivil(2013, 11, 1) + d}) {
            const SelectionFacts f = FactsOn(date.year(), date.month(), date.day());
            if ((f.dayBranch - f.monthBranch + 12) % 12 != 5) continue;  // not a 执日
            const YiJiDay day = YiJiRules::BuiltIn().Evaluate(f);
            const bool isSpring = date.month() < 6;
            EXPECT_EQ(Contains(Reasons(day, "取鱼"), "宜 执日"), isSpring) << date.ToString();
            EXPECT_EQ(Contains(Reasons(day, "畋猎"), "宜 执日"), !isSpring) << date.ToString();
            (isSpring ? spring : winter)++;
        }
    }
    EXPECT_GE(spring, 2);
    EXPECT_GE(winter, 2);
}

TEST(YiJiWholeRange, EveryDayFrom1901To2099HasListsAndTheSameOnEveryRun) {
    YiJiRules second;
    std::string error;
    ASSERT_TRUE(second.Load(BuiltInYiJiTables(), error)) << error;
    const YiJiRules& first = YiJiRules::BuiltIn();

    std::vector<SelectionFacts> days;
    for (std::int64_t s = SerialFromCivil(1901, 1, 1); s <= SerialFromCivil(2099, 12, 31); ++s) {
        const CivilDate c = CivilFromSerial(s);
        days.push_back(FactsOn(c.year, c.month, c.day));
    }
    int allForbidden = 0, restForbidden = 0;
    std::vector<std::vector<int>> firstYi(days.size());
    for (size_t i = 0; i < days.size(); ++i) {
        const YiJiDay a = first.Evaluate(days[i]);
        firstYi[i] = a.yi;
        ASSERT_FALSE(first.YiList(a).empty());
        ASSERT_FALSE(first.JiList(a).empty());
        for (int x : a.yi) ASSERT_TRUE(std::find(a.ji.begin(), a.ji.end(), x) == a.ji.end()) << i;
        allForbidden += a.allForbidden;
        restForbidden += a.restForbidden;
    }
    // Evaluated again, backwards, with rules read afresh: the same lists.
    for (size_t i = days.size(); i-- > 0;) {
        const YiJiDay b = second.Evaluate(days[i]);
        ASSERT_EQ(b.yi, firstYi[i]) << i;
    }
    // The grade table makes some days unfit for everything, but only a few.
    EXPECT_GT(allForbidden, 1000);
    EXPECT_LT(allForbidden, static_cast<int>(days.size()) / 5);
    // 四离 四绝 and 上朔 come about 14 times a year.
    EXPECT_GT(restForbidden, 199 * 10);
    EXPECT_LT(restForbidden, 199 * 20);
}

TEST(YiJiPrinting, DecadeByDecadeOnlyTheDaysFitForNothingPrintZhuShiBuYi) {
    // Almanacs in circulation print 诸事不宜 on a tenth to a fifth of the days;
    // here it is printed only where the grades judge 诸事皆忌 or the book's
    // 余事皆忌 days (上朔 四离 四绝) fall, and otherwise the activities are named.
    const YiJiRules& rules = YiJiRules::BuiltIn();
    for (int decade = 1900; decade <= 2090; decade += 10) {
        const int first = std::max(decade, 1901), last = decade + 9;
        int days = 0, printedUnfit = 0;
        for (std::int64_t s = SerialFromCivil(first, 1, 1); s <= SerialFromCivil(last, 12, 31); ++s) {
            const CivilDate c = CivilFromSerial(s);
            const YiJiDay day = rules.Evaluate(FactsOn(c.year, c.month, c.day));
            const std::vector<std::string> yi = rules.YiList(day), ji = rules.JiList(day);
            const std::string when =
                std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day);
            ++days;
            ASSERT_FALSE(yi.empty()) << when;
            ASSERT_FALSE(ji.empty()) << when;
            for (int a : day.yi) ASSERT_FALSE(Contains(ji, rules.Activities()[static_cast<size_t>(a)])) << when;
            const bool unfit = day.allForbidden || day.restForbidden;
            ASSERT_EQ(ji == std::vector<std::string>{"诸事不宜"}, unfit) << when;
            ASSERT_FALSE(Contains(yi, "诸事不宜")) << when;
            if (!unfit) {
                // Every activity the rules forbid is printed, in the order of the sixty.
                ASSERT_EQ(ji.size(), day.ji.empty() ? 1u : day.ji.size()) << when;
                ASSERT_EQ(yi.size(), day.yi.empty() ? 1u : day.yi.size()) << when;
            }
            printedUnfit += unfit;
        }
        const double share = static_cast<double>(printedUnfit) / days;
        EXPECT_GT(share, 0.10) << decade;
        EXPECT_LT(share, 0.20) << decade;
    }
}
