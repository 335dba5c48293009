#include "days/day_info.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "almanac/almanac_database.h"
#include "tests/support/dates.h"
#include "tests/support/festival_samples.h"
#include "tests/support/reminder_samples.h"

namespace {

// A database of a few hand-written rows (values are UTF-8 in SQLite), in a
// temporary folder of the test's own.
class DayInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("solvane-dayinfo-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "china.mdb").string();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
        const char* sql =
            u8"CREATE TABLE HL(gDate TEXT PRIMARY KEY, nDate TEXT, nYear TEXT, nMonth TEXT, nDay TEXT, Yi TEXT,"
            u8" Ji TEXT, Chong TEXT, Sha TEXT, Cheng TEXT, ZhengChong TEXT, TaiShen TEXT, JQ TEXT, SolarTerm TEXT);"
            u8"INSERT INTO HL VALUES('2013-02-10','2013-01-01','癸巳年','甲寅月','丁未日','祭祀 祈福','动土',"
            u8" '牛(辛丑)','西','成日','辛丑','仓库厕 房内东','立春 2月4日 00:13  雨水 2月18日 20:01','');"
            u8"INSERT INTO HL VALUES('2013-02-04','2012-12-24','  癸巳年  ',NULL,'辛丑日','   ','','','','','','',"
            u8" '',' 立春 ');";
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        ASSERT_TRUE(almanac_.CreateEngine());
        ASSERT_TRUE(almanac_.Open(path_));
    }
    void TearDown() override {
        almanac_.Close();
        std::filesystem::remove_all(folder_);
    }
    DayInfo Day(const Date& date, DayParts parts = kWholeDay) {
        return GetDayInfo(date, parts, &festivals_, &reminders_, &almanac_);
    }
    static FestivalRule Rule(const std::string& calendar, const std::string& dateRule, const std::string& name) {
        return FestivalSample(calendar, dateRule).Name(name);
    }

    std::filesystem::path folder_;
    std::string path_;
    AlmanacDatabase almanac_;
    FestivalList festivals_;
    ReminderList reminders_;
};

TEST_F(DayInfoTest, NamesTheDateInBothCalendarsAndNothingElseUnlessAsked) {
    festivals_ = {Rule("NL", "1-1", "春节")};
    reminders_ = {Gregorian(ReminderRepeat::kDaily, 2013, 1, 1, 20, 0, "每天")};
    const DayInfo day = Day(D(2013, 2, 10), kNoDayParts);
    EXPECT_EQ(day.date, D(2013, 2, 10));
    EXPECT_EQ(day.lunar, (LunarDate{2013, 1, 1, 0}));
    EXPECT_EQ(day.zodiac, "蛇");
    EXPECT_EQ(day.yearGanZhi, "");
    EXPECT_TRUE(day.festivals.empty());
    EXPECT_TRUE(day.reminders.empty());
    // The zodiac follows the lunar year, not the Gregorian one.
    const DayInfo eve = Day(D(2013, 2, 9), kNoDayParts);
    EXPECT_EQ(eve.lunar, (LunarDate{2012, 12, 29, 0}));
    EXPECT_EQ(eve.zodiac, "龙");
}

TEST_F(DayInfoTest, MarksTheLeapMonthOnlyByItsFlag) {
    const DayInfo leap = Day(D(2023, 3, 22), kNoDayParts);
    EXPECT_EQ(leap.lunar, (LunarDate{2023, 2, 1, 1}));
    EXPECT_EQ(leap.zodiac, "兔");
    const DayInfo plain = Day(D(2023, 2, 20), kNoDayParts);
    EXPECT_EQ(plain.lunar, (LunarDate{2023, 2, 1, 0}));
}

TEST_F(DayInfoTest, CopiesTheAlmanacRowInItsFieldOrder) {
    const DayInfo day = Day(D(2013, 2, 10));
    const std::vector<std::string> fields = {day.yearGanZhi,   day.monthGanZhi, day.dayGanZhi,       day.auspicious,
                                             day.inauspicious, day.clash,       day.shaDirection,    day.jianChu,
                                             day.clashGanZhi,  day.taiShen,     day.monthSolarTerms, day.solarTerm};
    EXPECT_EQ(fields,
              (std::vector<std::string>{"癸巳年", "甲寅月", "丁未日", "祭祀 祈福", "动土", "牛(辛丑)", "西", "成日",
                                        "辛丑", "仓库厕 房内东", "立春 2月4日 00:13  雨水 2月18日 20:01", ""}));
    // Blank and NULL columns read as empty, the others keep their values.
    const DayInfo blanks = Day(D(2013, 2, 4));
    EXPECT_EQ(blanks.yearGanZhi, "癸巳年");
    EXPECT_EQ(blanks.monthGanZhi, "");
    EXPECT_EQ(blanks.auspicious, "");
    EXPECT_EQ(blanks.solarTerm, "立春");
}

TEST_F(DayInfoTest, ReadsNoAlmanacUnlessAskedOrAvailable) {
    EXPECT_EQ(Day(D(2013, 2, 10), kFestivalsPart | kRemindersPart).yearGanZhi, "");
    const DayInfo missing = Day(D(2013, 2, 11));  // no row for this date
    EXPECT_EQ(missing.yearGanZhi + missing.monthSolarTerms, "");
    EXPECT_EQ(missing.lunar, (LunarDate{2013, 1, 2, 0}));
    almanac_.Close();
    EXPECT_EQ(Day(D(2013, 2, 10)).yearGanZhi, "");
    EXPECT_EQ(GetDayInfo(D(2013, 2, 10), kWholeDay, nullptr, nullptr, nullptr).yearGanZhi, "");
}

TEST_F(DayInfoTest, MatchesFestivalsAndRemindersInListOrder) {
    festivals_ = {Rule("NL", "1-1", "春节"), Rule("YL", "2-10", "某纪念日"), Rule("YL", "OFFSETJQ:0:立春", "立春节"),
                  Rule("YL", "2-11", "明天的节")};
    festivals_[1].kind = "JNR";
    festivals_[1].startYear = "2003";
    reminders_ = {Gregorian(ReminderRepeat::kDaily, 2013, 1, 1, 20, 0, "每天"),
                  Gregorian(ReminderRepeat::kNone, 2013, 2, 11, 9, 0, "看牙"),
                  Lunar(ReminderRepeat::kYearly, 2000, 1, 1, 0, 0, "过年"),
                  Gregorian(ReminderRepeat::kNone, 2013, 2, 10, 7, 0, "早起")};
    const DayInfo day = Day(D(2013, 2, 10));
    ASSERT_EQ(day.festivals.size(), 2u);
    EXPECT_EQ(day.festivals[0].name, "春节");
    EXPECT_EQ(day.festivals[1].name + day.festivals[1].suffix, "某纪念日（10周年）");
    ASSERT_EQ(day.reminders.size(), 3u);
    EXPECT_EQ(ReminderText(day.reminders[0]) + ReminderText(day.reminders[1]) + ReminderText(day.reminders[2]),
              "每天过年早起");
    // Festivals counted from a solar term ask the database, almanac requested or not.
    const DayInfo termDay = Day(D(2013, 2, 4), kFestivalsPart);
    ASSERT_EQ(termDay.festivals.size(), 1u);
    EXPECT_EQ(termDay.festivals[0].name, "立春节");
    // A date missing from the database still has its festivals and memos.
    const DayInfo missing = Day(D(2013, 2, 11));
    EXPECT_EQ(missing.festivals.size(), 1u);
    EXPECT_EQ(missing.reminders.size(), 2u);
}

TEST_F(DayInfoTest, EveryDayOfARepeatedReminderRefersToItsOneRecordInTheList) {
    reminders_ = {Gregorian(ReminderRepeat::kNone, 2013, 2, 3, 9, 0, "看牙"),
                  Gregorian(ReminderRepeat::kDaily, 2013, 1, 1, 20, 0, "每天")};
    for (const Date date : DateRange(D(2013, 2, 1), D(2013, 2, 28))) {
        const DayInfo day = Day(date, kRemindersPart);
        ASSERT_FALSE(day.reminders.empty()) << date.ToString();
        EXPECT_EQ(&day.reminders[day.reminders.size() - 1], &reminders_[1]) << date.ToString();
    }
}

TEST_F(DayInfoTest, TheCalendarWindowsSourcesAreReadAtEachCall) {
    DaySources sources(&festivals_, &reminders_, &almanac_);
    EXPECT_TRUE(sources.GetDayInfo(D(2013, 2, 10), kWholeDay).reminders.empty());
    reminders_.push_back(Gregorian(ReminderRepeat::kNone, 2013, 2, 10, 7, 0, "早起"));
    festivals_.push_back(Rule("NL", "1-1", "春节"));
    const DayInfo day = sources.GetDayInfo(D(2013, 2, 10), kWholeDay);
    EXPECT_EQ(day.reminders.size(), 1u);
    EXPECT_EQ(day.festivals.size(), 1u);
    EXPECT_EQ(day.yearGanZhi, "癸巳年");
}

// The calendar window's sources read the almanac a stretch at a time and place
// festivals once per year; what they give must not differ from asking each
// date on its own.
TEST_F(DayInfoTest, TheCalendarWindowsSourcesGiveWhatEachDateAskedAloneGives) {
    festivals_ = {Rule("NL", "1-1", "春节"), Rule("YL", "OFFSETJQ:0:立春", "立春节"),
                  Rule("YL", "OFFSETJQ:-3:立春", "前三天"), Rule("YL", "2-10", "某纪念日")};
    festivals_[3].kind = "SR";
    festivals_[3].startYear = "1990";
    reminders_ = {Gregorian(ReminderRepeat::kWeekly, 2013, 1, 1, 20, 0, "每周")};
    DaySources sources(&festivals_, &reminders_, &almanac_);
    for (int pass = 0; pass < 2; ++pass) {
        for (const Date date : DateRange(D(2012, 12, 1), D(2013, 3, 30))) {
            const DayInfo alone = Day(date);
            const DayInfo kept = sources.GetDayInfo(date, kWholeDay);
            const auto texts = [](const DayInfo& d) {
                return std::vector<std::string>{d.zodiac,     d.yearGanZhi,   d.monthGanZhi, d.dayGanZhi,
                                                d.auspicious, d.inauspicious, d.clash,       d.shaDirection,
                                                d.jianChu,    d.clashGanZhi,  d.taiShen,     d.monthSolarTerms,
                                                d.solarTerm};
            };
            EXPECT_EQ(kept.date, alone.date);
            EXPECT_EQ(kept.lunar, alone.lunar);
            EXPECT_EQ(texts(kept), texts(alone)) << date.ToString();
            EXPECT_EQ(kept.festivals, alone.festivals) << date.ToString();
            EXPECT_EQ(kept.reminders.size(), alone.reminders.size());
        }
    }
    EXPECT_EQ(sources.GetDayInfo(D(2013, 2, 1), kFestivalsPart).festivals.size(), 1u);  // 前三天
    EXPECT_EQ(sources.GetDayInfo(D(2013, 2, 10), kWholeDay).festivals.size(), 2u);
    // A list reloaded in place is placed again once the sources are told.
    festivals_[0].dateRule = "1-2";
    sources.FestivalsChanged();
    EXPECT_EQ(sources.GetDayInfo(D(2013, 2, 11), kFestivalsPart).festivals.size(), 1u);
}

TEST_F(DayInfoTest, RememberedSolarTermsGiveWhatTheAlmanacSaysOnceItIsOpen) {
    festivals_ = {Rule("YL", "OFFSETJQ:0:立春", "立春节"), Rule("YL", "OFFSETJQ:6:立春", "立春后六天")};
    AlmanacDatabase later;
    later.CreateEngine();
    DaySources sources(&festivals_, &reminders_, &later);
    EXPECT_TRUE(sources.GetDayInfo(D(2013, 2, 4), kFestivalsPart).festivals.empty());
    ASSERT_TRUE(later.Open(path_));
    for (int round = 0; round < 2; ++round) {
        const DayInfo termDay = sources.GetDayInfo(D(2013, 2, 4), kFestivalsPart);
        ASSERT_EQ(termDay.festivals.size(), 1u);
        EXPECT_EQ(termDay.festivals[0].name, "立春节");
        const DayInfo sixDaysOn = sources.GetDayInfo(D(2013, 2, 10), kFestivalsPart);
        ASSERT_EQ(sixDaysOn.festivals.size(), 1u);
        EXPECT_EQ(sixDaysOn.festivals[0].name, "立春后六天");
    }
}

}  // namespace
