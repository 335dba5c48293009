#include "festivals/festival_matching.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "calendar/lunar_calendar.h"
#include "tests/support/fake_solar_terms.h"
#include "tests/support/festival_samples.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

FestivalRule Rule(const std::string& calendar, const std::string& dateRule, const std::string& kind = "JR",
                  const std::string& startYear = "", const std::string& endDate = "") {
    return FestivalSample(calendar, dateRule).Name("测试").Kind(kind).StartYear(startYear).EndDate(endDate);
}

// Every date from..to (inclusive) on which the rule falls, as "y-m-d".
std::vector<std::string> DatesBetween(const FestivalRule& rule, const Date& from, const Date& to,
                                      SolarTermLookup* terms = nullptr) {
    std::vector<std::string> dates;
    const FestivalList list{rule};
    for (const Date date : DateRange(from, to)) {
        if (!MatchFestivals(list, MakeFestivalDate(date), terms).empty()) {
            char text[32];
            std::snprintf(text, sizeof text, "%d-%d-%d", date.year(), date.month(), date.day());
            dates.push_back(text);
        }
    }
    return dates;
}

std::vector<std::string> DatesIn(const FestivalRule& rule, int year, SolarTermLookup* terms = nullptr) {
    return DatesBetween(rule, D(year, 1, 1), D(year, 12, 31), terms);
}

FestivalList MatchOn(const FestivalList& list, const Date& date, SolarTermLookup* terms = nullptr) {
    return MatchFestivals(list, MakeFestivalDate(date), terms);
}

TEST(MatchFestivalsTest, NthWeekdayCountsFromTheStartOfTheMonth) {
    EXPECT_THAT(DatesIn(Rule("YL", "MSD:5:2:7"), 2013), ElementsAre("2013-5-12"));
    EXPECT_THAT(DatesIn(Rule("YL", "MSD:11:4:4"), 2026), ElementsAre("2026-11-26"));
    // Always Gregorian, whatever the calendar field says.
    EXPECT_THAT(DatesIn(Rule("NL", "MSD:5:2:7"), 2013), ElementsAre("2013-5-12"));
}

TEST(MatchFestivalsTest, NegativeNthWeekdayCountsFromTheEndOfTheMonth) {
    EXPECT_THAT(DatesIn(Rule("YL", "MSD:6:-1:7"), 2013), ElementsAre("2013-6-30"));
    EXPECT_THAT(DatesIn(Rule("YL", "MSD:5:-1:1"), 2013), ElementsAre("2013-5-27"));
    EXPECT_THAT(DatesIn(Rule("YL", "MSD:2:-1:4"), 2024), ElementsAre("2024-2-29"));
}

TEST(MatchFestivalsTest, NthWeekdayOutsideOneToFiveNeverMatches) {
    for (const char* code : {"MSD:5:0:7", "MSD:5:6:7", "MSD:5:-6:7", "MSD:5:2:8"}) {
        EXPECT_THAT(DatesBetween(Rule("YL", code), D(2010, 1, 1), D(2016, 12, 31)), IsEmpty()) << code;
    }
}

TEST(MatchFestivalsTest, LowerCaseMarkersMatchLikeUpperCaseOnes) {
    EXPECT_THAT(DatesIn(Rule("YL", "msd:5:2:7"), 2013), ElementsAre("2013-5-12"));
    EXPECT_THAT(DatesIn(Rule("YL", "Offset:0:10-1"), 2013), ElementsAre("2013-10-1"));
}

TEST(MatchFestivalsTest, LunarOffsetFindsTheLastDayOfTheLunarYear) {
    const FestivalRule eve = Rule("NL", "OFFSET:-1:1-1");
    EXPECT_THAT(DatesIn(eve, 2013), ElementsAre("2013-2-9"));
    // Lunar 2024 ends with a 29-day month: its last day is the 29th.
    EXPECT_THAT(DatesIn(eve, 2025), ElementsAre("2025-1-28"));
    EXPECT_THAT(DatesIn(eve, 2026), ElementsAre("2026-2-16"));
}

TEST(MatchFestivalsTest, TheLastDayOfEveryLunarYearFrom1901To2099IsTheDayBeforeNewYear) {
    const FestivalList eve{Rule("NL", "OFFSET:-1:1-1")};
    for (int year = 1902; year <= 2099; ++year) {
        const LunarYearInfo info = GetLunarYearInfo(year);
        const Date newYear = D(year, info.newYearMonth, info.newYearDay);
        EXPECT_EQ(MatchOn(eve, newYear - 1).size(), 1u) << year;
        EXPECT_TRUE(MatchOn(eve, newYear).empty()) << year;
        EXPECT_TRUE(MatchOn(eve, newYear - 2).empty()) << year;
    }
}

TEST(MatchFestivalsTest, GregorianOffsetCrossesLeapDaysAndYearEnds) {
    EXPECT_THAT(DatesIn(Rule("YL", "OFFSET:1:2-28"), 2012), ElementsAre("2012-2-29"));
    EXPECT_THAT(DatesIn(Rule("YL", "OFFSET:1:2-28"), 2013), ElementsAre("2013-3-1"));
    EXPECT_THAT(DatesIn(Rule("YL", "OFFSET:3:12-30"), 2014), ElementsAre("2014-1-2"));
    EXPECT_THAT(DatesIn(Rule("YL", "OFFSET:-3:1-2"), 2013), ElementsAre("2013-12-30"));
    EXPECT_THAT(DatesIn(Rule("YL", "OFFSET:0:10-1"), 2013), ElementsAre("2013-10-1"));
    EXPECT_THAT(DatesIn(Rule("YL", "OFFSET:365:1-1"), 2012), ElementsAre("2012-1-1", "2012-12-31"));
}

TEST(MatchFestivalsTest, OffsetWithAnUnknownCalendarNeverMatches) {
    EXPECT_THAT(DatesIn(Rule("", "OFFSET:0:10-1"), 2013), IsEmpty());
    EXPECT_THAT(DatesIn(Rule("GL", "10-1"), 2013), IsEmpty());
}

TEST(MatchFestivalsTest, ALunarFestivalComesOnceInAYearWithALeapMonthOfItsNumber) {
    struct Case {
        const char* dateRule;
        Date from, to;  // the regular and the leap month both lie in between
        const char* once;
    };
    const Case cases[] = {
        {"5-5", D(2028, 5, 1), D(2028, 7, 31), "2028-5-28"},           // 端午; 闰五月初五 is 6-27
        {"4-8", D(2020, 4, 1), D(2020, 6, 30), "2020-4-30"},           // 佛诞; 闰四月初八 is 5-30
        {"2-2", D(2023, 2, 1), D(2023, 4, 30), "2023-2-21"},           // 龙抬头; 闰二月初二 is 3-23
        {"6-15", D(2025, 6, 1), D(2025, 8, 31), "2025-7-9"},           // 闰六月十五 is 8-8
        {"11-15", D(2033, 11, 1), D(2034, 1, 31), "2033-12-6"},        // 闰十一月十五 is 2034-1-5
        {"OFFSET:1:5-4", D(2028, 5, 1), D(2028, 7, 31), "2028-5-28"},  // counted from a lunar date too
    };
    for (const Case& c : cases) {
        EXPECT_THAT(DatesBetween(Rule("NL", c.dateRule), c.from, c.to), ElementsAre(c.once)) << c.dateRule;
    }
}

// A festival added on a day of a leap month ("闰2-10") falls in that leap
// month in the years that have it and in the regular month in the others; the
// regular month's rule keeps out of the leap month.
TEST(MatchFestivalsTest, ALeapMonthRuleFallsInItsLeapMonthWhereTheYearHasOne) {
    struct Case {
        const char* dateRule;
        int year;
        std::vector<std::string> dates;
    };
    const Case cases[] = {
        {"闰2-10", 2023, {"2023-3-31"}}, {"2-10", 2023, {"2023-3-1"}},    {"闰2-10", 2024, {"2024-3-19"}},
        {"闰4-10", 2020, {"2020-6-1"}},  {"4-10", 2020, {"2020-5-2"}},    {"闰6-10", 2025, {"2025-8-3"}},
        {"6-10", 2025, {"2025-7-4"}},    {"闰6-10", 2026, {"2026-7-23"}}, {"闰3-10", 2023, {"2023-4-29"}},
    };
    for (const Case& c : cases) EXPECT_EQ(DatesIn(Rule("NL", c.dateRule), c.year), c.dates) << c.dateRule;
    // A Gregorian year has no leap month: the mark there names no date.
    EXPECT_THAT(DatesIn(Rule("YL", "闰2-10"), 2023), IsEmpty());
}

TEST(MatchFestivalsTest, TheThirtiethOfA29DayLunarMonthDoesNotExist) {
    // The 12th month of lunar 2024 runs from 2024-12-31 to 2025-1-28.
    EXPECT_THAT(DatesBetween(Rule("NL", "12-30"), D(2024, 12, 1), D(2025, 2, 28)), IsEmpty());
    EXPECT_THAT(DatesBetween(Rule("NL", "12-29"), D(2024, 12, 1), D(2025, 2, 28)), ElementsAre("2025-1-28"));
    EXPECT_THAT(DatesIn(Rule("NL", "12-30"), 2024), ElementsAre("2024-2-9"));
}

TEST(MatchFestivalsTest, FixedDatesUseTheRulesCalendar) {
    EXPECT_THAT(DatesIn(Rule("YL", "10-1"), 2013), ElementsAre("2013-10-1"));
    EXPECT_THAT(DatesIn(Rule("NL", "8-15"), 2013), ElementsAre("2013-9-19"));
    EXPECT_THAT(DatesIn(Rule("YL", "2-29"), 2013), IsEmpty());
    EXPECT_THAT(DatesIn(Rule("YL", "1980-5-12"), 2013), IsEmpty());
    EXPECT_THAT(DatesIn(Rule("YL", "MSD:5:2"), 2013), IsEmpty());
}

TEST(MatchFestivalsTest, SuffixesCountYearsFromTheStartYear) {
    struct Case {
        const char *kind, *startYear, *suffixIn2013;
    };
    const Case cases[] = {
        {"SR", "1980", "（33周岁）"},
        {"JNR", "1980", "（33周年）"},
        {"JR", "1980", "（第34个）"},
        {"JR", "2013", "（第1个）"},
        {"SR", "2013", "（0周岁）"},
        {"XX", "1980", ""},
        {"SR", "", ""},
        {"SR", "0", ""},
        {"SR", "abc", ""},
        {"SR", "-5", ""},
        {"SR", " 1980年", "（33周岁）"},
    };
    for (const Case& c : cases) {
        const FestivalList matched = MatchOn({Rule("YL", "5-1", c.kind, c.startYear)}, D(2013, 5, 1));
        ASSERT_EQ(matched.size(), 1u) << c.kind << " " << c.startYear;
        EXPECT_EQ(matched[0].suffix, c.suffixIn2013) << c.kind << " " << c.startYear;
    }
    // Not yet begun: no match at all.
    EXPECT_TRUE(MatchOn({Rule("YL", "5-1", "SR", "2014")}, D(2013, 5, 1)).empty());
}

TEST(MatchFestivalsTest, LunarBirthdaysCountInGregorianYears) {
    // 腊八 of lunar 2013 falls on 2014-1-8: the count is that of 2014.
    ASSERT_EQ(SolarToLunar(D(2014, 1, 8)).month, 12);
    ASSERT_EQ(SolarToLunar(D(2014, 1, 8)).day, 8);
    const FestivalList matched = MatchOn({Rule("NL", "12-8", "SR", "1980")}, D(2014, 1, 8));
    ASSERT_EQ(matched.size(), 1u);
    EXPECT_EQ(matched[0].suffix, "（34周岁）");
}

TEST(MatchFestivalsTest, TheEndDateItselfStillMatches) {
    const FestivalRule daily = Rule("YL", "MSD:5:2:6", "JR", "", "2013-5-11");
    EXPECT_THAT(DatesIn(daily, 2013), ElementsAre("2013-5-11"));
    EXPECT_THAT(DatesIn(daily, 2014), IsEmpty());
    EXPECT_THAT(DatesBetween(Rule("YL", "OFFSET:0:5-10", "JR", "", "2013-5-10"), D(2012, 1, 1), D(2014, 12, 31)),
                ElementsAre("2012-5-10", "2013-5-10"));
    // Two numbers set no limit.
    EXPECT_THAT(DatesIn(Rule("YL", "5-10", "JR", "", "2013-5"), 2020), ElementsAre("2020-5-10"));
}

TEST(MatchFestivalsTest, OnlyTheExactTextZeroSwitchesARuleOff) {
    FestivalRule rule = Rule("YL", "10-1");
    for (const char* enabled : {"", "1", "yes", " 0"}) {
        rule.enabled = enabled;
        EXPECT_EQ(MatchOn({rule}, D(2013, 10, 1)).size(), 1u) << '"' << enabled << '"';
    }
    rule.enabled = "0";
    EXPECT_TRUE(MatchOn({rule}, D(2013, 10, 1)).empty());
}

TEST(MatchFestivalsTest, MatchesAreCopiesInListOrder) {
    FestivalRule national = Rule("YL", "10-1");
    national.name = "国庆节";
    FestivalRule music = Rule("YL", "OFFSET:0:10-1");
    music.name = "国际音乐日";
    FestivalRule other = Rule("YL", "10-2");
    const FestivalList matched = MatchOn({music, other, national}, D(2013, 10, 1));
    ASSERT_EQ(matched.size(), 2u);
    EXPECT_EQ(matched[0].name, "国际音乐日");
    EXPECT_EQ(matched[1].name, "国庆节");
    EXPECT_EQ(matched[1].dateRule, "10-1");
    EXPECT_EQ(matched[1].showReminderWindow, "1");
}

TEST(MatchFestivalsTest, SolarTermOffsetsCountFromTheTermDay) {
    FakeSolarTerms terms;
    terms.Add(2026, 12, 22, "冬至").Add(2026, 4, 5, "清明").Add(2026, 2, 4, "立春").Add(2027, 2, 4, "立春");
    EXPECT_THAT(DatesIn(Rule("YL", "OFFSETJQ:9:冬至"), 2026, &terms), ElementsAre("2026-12-31"));
    EXPECT_THAT(DatesBetween(Rule("YL", "OFFSETJQ:72:冬至"), D(2027, 1, 1), D(2027, 12, 31), &terms),
                ElementsAre("2027-3-4"));
    EXPECT_THAT(DatesIn(Rule("NL", "OFFSETJQ:-1:清明"), 2026, &terms), ElementsAre("2026-4-4"));
    EXPECT_THAT(DatesBetween(Rule("YL", "offsetjq:0:立春"), D(2026, 1, 1), D(2027, 12, 31), &terms),
                ElementsAre("2026-2-4", "2027-2-4"));
}

TEST(MatchFestivalsTest, SolarTermOffsetsMatchNothingWithoutAnAlmanac) {
    EXPECT_THAT(DatesIn(Rule("YL", "OFFSETJQ:0:立春"), 2026, nullptr), IsEmpty());
}

TEST(MatchFestivalsTest, SolarTermsAreComparedByteForByte) {
    // A term spelt with characters whose trail bytes are lower-case letters
    // survives the upper-casing of a lower-case marker.
    FakeSolarTerms terms;
    terms.Add(2026, 3, 5, "驚蟄").Add(2026, 3, 6, "舊歲");
    EXPECT_THAT(DatesIn(Rule("YL", "offsetjq:0:舊歲"), 2026, &terms), ElementsAre("2026-3-6"));
    EXPECT_THAT(DatesIn(Rule("YL", "OFFSETJQ:0:惊蛰"), 2026, &terms), IsEmpty());
}

TEST(MatchFestivalsTest, AnOverlongTermMatchesNothingAndIsNeverLookedUp) {
    FakeSolarTerms terms;
    const std::string longTerm(30, 'A');
    terms.Add(2026, 1, 1, longTerm);
    EXPECT_TRUE(MatchOn({Rule("YL", "OFFSETJQ:0:" + longTerm)}, D(2026, 1, 1), &terms).empty());
    EXPECT_EQ(terms.queries, 0);
}

}  // namespace
