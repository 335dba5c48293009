// The festival file that ships with the program: data/Ostrel/holidays.cfg.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "almanac/solar_term_names.h"
#include "base/file_system.h"
#include "base/gbk_scan.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_cell_names.h"
#include "festivals/festival_file.h"
#include "festivals/festival_help_links.h"
#include "festivals/festival_matching.h"
#include "tests/support/fake_solar_terms.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kShippedFile = std::string(SOLVANE_SOURCE_DIR) + "/data/Ostrel/holidays.cfg";

class ShippedFestivalsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ReadWholeFile(kShippedFile, contents_)) << kShippedFile;
        LoadFestivals(kShippedFile, shipped_);
        ASSERT_FALSE(shipped_.empty());
        // The dates of the observances shipped switched off are checked too.
        list_ = shipped_;
        for (FestivalRule& rule : list_) rule.enabled = "1";
        // The solar terms the rules of 2025-2027 need, as the almanac has them.
        terms_.Add(2024, 12, 21, "冬至")
            .Add(2025, 12, 21, "冬至")
            .Add(2026, 4, 5, "清明")
            .Add(2026, 9, 23, "秋分")
            .Add(2026, 12, 22, "冬至");
    }

    // "name" + suffix of every festival of a date, in file order.
    std::vector<std::string> On(const Date& date) { return On(list_, date); }
    std::vector<std::string> On(const FestivalList& list, const Date& date) {
        std::vector<std::string> names;
        for (const FestivalRule& rule : MatchFestivals(list, MakeFestivalDate(date), &terms_)) {
            names.push_back(rule.name + rule.suffix);
        }
        return names;
    }

    const FestivalRule* Find(const std::string& name) const {
        for (const FestivalRule& rule : shipped_) {
            if (rule.name == name) return &rule;
        }
        return nullptr;
    }

    std::string contents_;
    FestivalList shipped_;
    FestivalList list_;  // every rule switched on
    FakeSolarTerms terms_;
};

TEST_F(ShippedFestivalsTest, TheFileIsGbkWithWindowsLineEndsAndEveryLineLoads) {
    ASSERT_GE(contents_.size(), 3u);
    EXPECT_NE(contents_.substr(0, 3), "\xEF\xBB\xBF");
    std::size_t lines = 0;
    for (std::size_t i = 0; i < contents_.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(contents_[i]);
        if (c == '\n') {
            ++lines;
            EXPECT_TRUE(i > 0 && contents_[i - 1] == '\r') << "bare LF at byte " << i;
        } else if (c >= 0x81 && c <= 0xFE) {
            ASSERT_LT(i + 1, contents_.size());
            const unsigned char trail = static_cast<unsigned char>(contents_[++i]);
            EXPECT_TRUE(trail >= 0x40 && trail <= 0xFE && trail != 0x7F) << "byte " << i;
        } else {
            EXPECT_LT(c, 0x80) << "byte " << i;
        }
    }
    EXPECT_EQ(shipped_.size(), lines);
    EXPECT_EQ(FormatFestivalFile(shipped_), contents_);
}

TEST_F(ShippedFestivalsTest, EveryRuleIsWellFormed) {
    std::set<std::string> names;
    for (const FestivalRule& rule : shipped_) {
        SCOPED_TRACE(rule.name);
        EXPECT_TRUE(names.insert(rule.name).second) << "twice";
        EXPECT_TRUE(rule.calendar == "YL" || rule.calendar == "NL");
        EXPECT_TRUE(rule.kind == "JR" || rule.kind == "JNR" || rule.kind == "SR");
        MsdRule msd;
        OffsetRule offset;
        SolarTermOffsetRule term;
        FixedDateRule fixed;
        EXPECT_TRUE(ReadMsdRule(rule.dateRule, msd) || ReadOffsetRule(rule.dateRule, offset) ||
                    ReadSolarTermOffsetRule(rule.dateRule, term) || ReadFixedDateRule(rule.dateRule, fixed));
        // Terms are compared byte for byte with the almanac's spelling.
        if (ReadSolarTermOffsetRule(rule.dateRule, term)) {
            EXPECT_GE(SolarTermIndex(term.term), 0) << term.term;
        }
        EXPECT_TRUE(rule.enabled == "1" || rule.enabled == "0");
        EXPECT_EQ(rule.showInForenotice, "1");
        EXPECT_TRUE(rule.showReminderWindow == "1" || rule.showReminderWindow == "0");
        EXPECT_TRUE(rule.endDate.empty());
        EXPECT_TRUE(rule.soundFile.empty());
    }
}

TEST_F(ShippedFestivalsTest, EveryFestivalWithAHelpPageHasARuleButTheSolarTerms) {
    const std::vector<FestivalHelpLink> links = FestivalHelpLinks();
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (i < 24) {
            EXPECT_EQ(Find(links[i].name), nullptr) << links[i].name << " comes from the almanac";
        } else {
            EXPECT_NE(Find(links[i].name), nullptr) << links[i].name;
        }
    }
}

TEST_F(ShippedFestivalsTest, MajorHolidaysAreAnnouncedAndMinorDaysOnlyListed) {
    for (const char* name : {"除夕", "春节", "元宵节", "端午节", "中秋节", "国庆节", "劳动节", "母亲节"}) {
        ASSERT_NE(Find(name), nullptr) << name;
        EXPECT_EQ(Find(name)->showReminderWindow, "1") << name;
    }
    for (const char* name : {"世界湿地日", "国际麻风节", "二九", "住房日", "臭氧层保护日"}) {
        ASSERT_NE(Find(name), nullptr) << name;
        EXPECT_EQ(Find(name)->showReminderWindow, "0") << name;
    }
}

// Like a phone calendar's: the month names the major festivals; the
// observances of the United Nations, of organisations and of anniversaries
// come switched off after them, for the user to switch on in the manager.
TEST_F(ShippedFestivalsTest, MajorFestivalsComeFirstAndObservancesSwitchedOff) {
    const auto firstOff =
        std::find_if(shipped_.begin(), shipped_.end(), [](const FestivalRule& r) { return !IsSwitchedOn(r); });
    EXPECT_TRUE(std::all_of(firstOff, shipped_.end(), [](const FestivalRule& r) { return !IsSwitchedOn(r); }))
        << "a festival switched on after the observances";
    for (const FestivalRule& rule : shipped_) {
        if (rule.showReminderWindow == "1") EXPECT_TRUE(IsSwitchedOn(rule)) << rule.name;
    }
    for (const char* name : {"世界艾滋病日", "奥林匹克日", "辛亥革命", "世界足球日", "澳门回归", "二九"}) {
        ASSERT_NE(Find(name), nullptr) << name;
        EXPECT_FALSE(IsSwitchedOn(*Find(name))) << name;
    }
    // October 2026 names 国庆节 and 重阳节 only, where 13 days had a name.
    int named = 0;
    for (int day = 1; day <= 31; ++day) named += !On(shipped_, D(2026, 10, day)).empty();
    EXPECT_EQ(named, 2);
    EXPECT_THAT(On(shipped_, D(2026, 10, 1)), ElementsAre("国庆节"));
    EXPECT_THAT(On(shipped_, D(2026, 12, 13)), ElementsAre("南京大屠杀纪念日（89周年）"));
}

// A cell holds four characters; every longer shipped name has a short one.
TEST_F(ShippedFestivalsTest, EveryNameLongerThanACellHoldsHasAShortName) {
    const auto characters = [](const std::string& text) {
        int count = 0;
        for (std::size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) ++count;
        return count;
    };
    for (const FestivalRule& rule : shipped_) {
        if (characters(rule.name) > 4) EXPECT_NE(CellNameOf(rule.name), rule.name) << rule.name;
    }
    for (const FestivalCellName& row : FestivalCellNames()) {
        EXPECT_NE(Find(row.name), nullptr) << row.name;
        EXPECT_LE(characters(row.shortName), 4) << row.shortName;
        EXPECT_LT(row.shortName.size(), row.name.size()) << row.name;
    }
    EXPECT_EQ(CellNameOf("南京大屠杀纪念日"), "公祭日");
    EXPECT_EQ(CellNameOf("妈妈生日"), "妈妈生日");
}

TEST_F(ShippedFestivalsTest, TheFestivalsOf2026) {
    EXPECT_THAT(On(D(2026, 1, 25)), ElementsAre("国际麻风节"));
    EXPECT_THAT(On(D(2026, 2, 16)), ElementsAre("除夕"));
    EXPECT_THAT(On(D(2026, 2, 17)), ElementsAre("春节"));
    EXPECT_THAT(On(D(2026, 3, 3)), ElementsAre("元宵节", "爱耳日", "九九"));
    EXPECT_THAT(On(D(2026, 4, 4)), ElementsAre("寒食节"));
    EXPECT_THAT(On(D(2026, 4, 5)), IsEmpty());  // 清明 itself is the almanac's
    EXPECT_THAT(On(D(2026, 5, 5)), ElementsAre("世界哮喘日"));
    EXPECT_THAT(On(D(2026, 5, 10)), ElementsAre("母亲节"));
    EXPECT_THAT(On(D(2026, 5, 17)), ElementsAre("世界电信日", "全国助残日"));
    EXPECT_THAT(On(D(2026, 6, 21)), ElementsAre("父亲节"));
    EXPECT_THAT(On(D(2026, 7, 1)), ElementsAre("建党节", "香港回归（29周年）"));
    EXPECT_THAT(On(D(2026, 8, 19)), ElementsAre("七夕节", "中国医师节（第9个）"));
    EXPECT_THAT(On(D(2026, 9, 23)), ElementsAre("中国农民丰收节（第9个）"));
    EXPECT_THAT(On(D(2026, 9, 25)), ElementsAre("中秋节"));
    EXPECT_THAT(On(D(2026, 10, 1)), ElementsAre("国庆节", "国际音乐日", "国际老年人日"));
    EXPECT_THAT(On(D(2026, 10, 5)), ElementsAre("住房日", "国际建筑日"));
    EXPECT_THAT(On(D(2026, 11, 26)), ElementsAre("感恩节"));
    EXPECT_THAT(On(D(2026, 12, 13)), ElementsAre("南京大屠杀纪念日（89周年）"));
    EXPECT_THAT(On(D(2026, 12, 22)), IsEmpty());  // 冬至 itself is the almanac's
    EXPECT_THAT(On(D(2026, 12, 26)), ElementsAre("毛泽东诞辰（133周年）"));
    EXPECT_THAT(On(D(2026, 12, 31)), ElementsAre("二九"));
}

TEST_F(ShippedFestivalsTest, TheNineNineDaysCountFromTheWinterSolstice) {
    EXPECT_THAT(On(D(2025, 12, 30)), ElementsAre("二九"));
    EXPECT_THAT(On(D(2026, 1, 8)), ElementsAre("三九"));
    EXPECT_THAT(On(D(2026, 1, 17)), ElementsAre("四九"));
    EXPECT_THAT(On(D(2026, 1, 26)), ElementsAre("腊八节", "五九"));
    EXPECT_THAT(On(D(2027, 3, 4)), ElementsAre("九九"));
}

TEST_F(ShippedFestivalsTest, NewYearsEveIsTheDayBeforeSpringFestivalEveryYear) {
    for (int year = 1902; year <= 2099; ++year) {
        const LunarYearInfo info = GetLunarYearInfo(year);
        const Date newYear = D(year, info.newYearMonth, info.newYearDay);
        EXPECT_THAT(On(newYear), ::testing::Contains("春节")) << year;
        EXPECT_THAT(On(newYear - 1), ::testing::Contains("除夕")) << year;
    }
}

TEST_F(ShippedFestivalsTest, WeekdayHolidaysFallOnTheirWeekInEveryYear) {
    struct Expected {
        const char* name;
        int month, firstDay, weekday;
    };
    const Expected holidays[] = {{"母亲节", 5, 8, 7}, {"父亲节", 6, 15, 7}, {"感恩节", 11, 22, 4}};
    for (int year = 1901; year <= 2099; ++year) {
        for (const Expected& holiday : holidays) {
            for (int day = holiday.firstDay; day < holiday.firstDay + 7; ++day) {
                const bool expected = D(year, holiday.month, day).weekday() == holiday.weekday;
                const std::vector<std::string> names = On(D(year, holiday.month, day));
                const bool found = std::find(names.begin(), names.end(), holiday.name) != names.end();
                EXPECT_EQ(found, expected) << holiday.name << " " << year << "-" << holiday.month << "-" << day;
            }
        }
    }
}

TEST_F(ShippedFestivalsTest, AnniversariesAppearOnlyFromTheirFirstYear) {
    EXPECT_THAT(On(D(1996, 7, 1)), ElementsAre("建党节"));
    EXPECT_THAT(On(D(1998, 7, 1)), ElementsAre("建党节", "香港回归（1周年）"));
    terms_.Add(2017, 9, 23, "秋分").Add(2018, 9, 23, "秋分");
    EXPECT_THAT(On(D(2017, 9, 23)), IsEmpty());
    EXPECT_THAT(On(D(2018, 9, 23)), ElementsAre("中国农民丰收节（第1个）"));
}

}  // namespace
