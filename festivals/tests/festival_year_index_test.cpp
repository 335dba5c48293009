#include "festivals/festival_year_index.h"

#include <gtest/gtest.h>

#include <climits>

#include "almanac/solar_term_names.h"
#include "festivals/festival_file.h"
#include "festivals/festival_matching.h"
#include "tests/support/fake_solar_terms.h"
#include "tests/support/festival_samples.h"

namespace {

// A term every fifteenth day, the 24 names in turn, so that rules counted from
// any term fall somewhere every year; a few names carry spaces or lower-case
// letters, as a hand-made almanac might.
class EveryFifteenthDay : public SolarTermLookup {
public:
    std::string SolarTermOn(const Date& date) override {
        const std::int64_t serial = date.serial();
        if ((serial % 15 + 15) % 15 != 7) return std::string();
        const int index = static_cast<int>(((serial / 15) % kSolarTermCount + kSolarTermCount) % kSolarTermCount);
        return SolarTermName(index);
    }
};

FestivalRule Rule(const std::string& calendar, const std::string& dateRule, const std::string& kind = "JR",
                  const std::string& startYear = "", const std::string& endDate = "",
                  const std::string& enabled = "1") {
    return FestivalSample(calendar, dateRule)
        .Name(calendar + " " + dateRule)
        .Kind(kind)
        .StartYear(startYear)
        .EndDate(endDate)
        .Enabled(enabled);
}

// The shipped file and rules at the edges of every form: leap months and the
// 30th of lunar months, weeks counted from either end and out of range,
// offsets in both calendars reaching across years or far outside the table,
// solar-term offsets either way, limits, suffixes and unreadable codes.
FestivalList TrickyRules() {
    FestivalList list;
    LoadFestivals(std::string(SOLVANE_SOURCE_DIR) + "/data/Ostrel/holidays.cfg", list);
    const FestivalList more = {
        Rule("NL", "2-10"),
        Rule("NL", "闰2-10"),
        Rule("NL", "闰4-30"),
        Rule("NL", "闰13-1"),
        Rule("YL", "闰6-10"),
        Rule("NL", "12-30"),
        Rule("NL", "1-30"),
        Rule("NL", "6-30"),
        Rule("NL", "13-1"),
        Rule("NL", "0-0"),
        Rule("YL", "2-29"),
        Rule("YL", "2-30"),
        Rule("YL", "12-31"),
        Rule("XX", "5-1"),
        Rule("YL", " 5-1 "),
        Rule("YL", "5-1x"),
        Rule("YL", "MSD:2:-1:4"),
        Rule("YL", "MSD:5:0:7"),
        Rule("NL", "MSD:5:2:7"),
        Rule("YL", "MSD:13:1:1"),
        Rule("YL", "MSD:5:-5:1"),
        Rule("YL", "msd:3:5:3"),
        Rule("YL", "MSD:5:2:8"),
        Rule("YL", "MSD:5:2"),
        Rule("YL", "MSD:1:1:1 OFFSET:0:1-2"),
        Rule("NL", "OFFSET:-1:1-1"),
        Rule("YL", "OFFSET:1:2-28"),
        Rule("YL", "OFFSET:1:2-29"),
        Rule("YL", "OFFSET:400:3-1"),
        Rule("NL", "OFFSET:-400:12-30"),
        Rule("NL", "offset:30:12-29"),
        Rule("NL", "OFFSET:100000:11-1"),
        Rule("NL", "OFFSET:-100000:12-29"),
        Rule("YL", "OFFSET:2147483647:1-1"),
        Rule("NL", "OFFSET:-2147483647:1-1"),
        Rule("XX", "OFFSET:1:1-1"),
        Rule("YL", "OFFSET:0:2-30"),
        Rule("YL", "OFFSETJQ:0:" + SolarTermName(0)),
        Rule("NL", "OFFSETJQ:-1:" + SolarTermName(5)),
        Rule("YL", "OFFSETJQ:400:" + SolarTermName(23)),
        Rule("YL", "offsetjq:-15:" + SolarTermName(12)),
        Rule("YL", "OFFSETJQ:2147483647:" + SolarTermName(3)),
        Rule("YL", "OFFSETJQ:3:没有的节气"),
        Rule("YL", "OFFSETJQ:3:"),
        Rule("YL", "1-1", "SR", "1980"),
        Rule("NL", "8-15", "JNR", "2000"),
        Rule("YL", "MSD:5:2:7", "JR", "1950"),
        Rule("YL", "10-1", "JR", "0"),
        Rule("YL", "10-1", "SR", "abc"),
        Rule("YL", "10-1", "SR", "-5"),
        Rule("YL", "3-1", "JR", "", "2013-5-10"),
        Rule("NL", "5-5", "JR", "", "2050-6-x"),
        Rule("YL", "OFFSETJQ:9:" + SolarTermName(21), "JR", "1990", "2040-1-1"),
        Rule("YL", "1-1", "JR", "", "", "0"),
        Rule("YL", "1-1", "JR", "", "", ""),
    };
    list.insert(list.end(), more.begin(), more.end());
    return list;
}

std::vector<std::string> Texts(const FestivalList& matched) {
    std::vector<std::string> texts;
    for (const FestivalRule& rule : matched) texts.push_back(rule.name + rule.suffix);
    return texts;
}

// Every date the calendar covers, old way and new way, with and without an
// almanac to ask for solar terms.
TEST(FestivalYearIndexTest, GivesWhatMatchingEveryRuleOnEveryDateGives) {
    const FestivalList list = TrickyRules();
    ASSERT_GT(list.size(), 150u);
    EveryFifteenthDay terms;
    FestivalIndexCache withTerms, withoutTerms;
    std::size_t matches = 0;
    for (const Date c : DateRange(D(1901, 1, 1), D(2099, 12, 31))) {
        const FestivalDate date = MakeFestivalDate(c);
        const FestivalList expected = MatchFestivals(list, date, &terms);
        const FestivalList actual = withTerms.Match(list, c, &terms);
        ASSERT_EQ(actual, expected) << c.ToString() << ": " << ::testing::PrintToString(Texts(actual)) << " against "
                                    << ::testing::PrintToString(Texts(expected));
        matches += expected.size();
        if (c.year() % 20 == 0) {
            ASSERT_EQ(withoutTerms.Match(list, c, nullptr), MatchFestivals(list, date, nullptr)) << c.ToString();
        }
    }
    EXPECT_GT(matches, 200u * 150u);  // the comparison is not between two empty lists
}

TEST(FestivalYearIndexTest, AsksTheAlmanacForEachYearOnceNotForEachDate) {
    FakeSolarTerms terms;
    terms.Add(2022, 12, 22, "冬至").Add(2023, 12, 22, "冬至");
    const FestivalList list = {Rule("YL", "OFFSETJQ:9:冬至"), Rule("YL", "OFFSETJQ:18:冬至")};
    FestivalIndexCache index;
    int found = 0;
    for (const Date date : DateRange(D(2023, 1, 1), D(2023, 12, 31))) found += index.Match(list, date, &terms).size();
    EXPECT_EQ(found, 2);                // 9 January (from 2022's 冬至) and 31 December
    EXPECT_EQ(terms.queries, 365 * 2);  // the two years the rules reach back to, one pass each
}

TEST(FestivalYearIndexTest, ARuleAddedOrAListReloadedInPlaceShows) {
    FestivalList list = {Rule("YL", "1-1")};
    FestivalIndexCache index;
    EXPECT_EQ(index.Match(list, D(2023, 1, 1), nullptr).size(), 1u);
    list.reserve(10);
    list.push_back(Rule("YL", "1-1", "SR", "2000"));
    ASSERT_EQ(index.Match(list, D(2023, 1, 1), nullptr).size(), 2u);
    EXPECT_EQ(index.Match(list, D(2023, 1, 1), nullptr)[1].suffix, "（23周岁）");
    // Same length, same storage, other rule: only Forget tells.
    list[1] = Rule("YL", "1-2");
    index.Forget();
    EXPECT_EQ(index.Match(list, D(2023, 1, 1), nullptr).size(), 1u);
    EXPECT_EQ(index.Match(list, D(2023, 1, 2), nullptr).size(), 1u);
    // Names are read from the list at each call.
    list[0].name = "元旦";
    EXPECT_EQ(index.Match(list, D(2023, 1, 1), nullptr)[0].name, "元旦");
}

}  // namespace
