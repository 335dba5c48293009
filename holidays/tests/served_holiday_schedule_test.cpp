// A year of the holiday schedule from the update site: which year is asked
// for, what is refused, and how it is added to the user's file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "base/file_system.h"
#include "base/text_file_encoding.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/holiday_schedule_texts.h"
#include "holidays/served_holiday_schedule.h"
#include "tests/support/dates.h"
#include "tests/support/holiday_schedule_samples.h"

namespace {

// A whole year of days off, as a faulty publication served it.
std::string WholeYearOff(int year) {
    std::string text;
    for (const Date date : DateRange(D(year, 1, 1), D(year, 12, 31))) text += date.ToString() + ",休,春节\r\n";
    return text;
}

class ServedScheduleTest : public ::testing::Test {
protected:
    HolidaySchedule current_ = ParseHolidaySchedule(k2026).schedule;
};

TEST_F(ServedScheduleTest, TakesTheYearAskedForWholeIncludingADecemberMakeUpDay) {
    const ServedSchedule served = CheckServedSchedule(current_, std::string("# 2027\r\n") + kServed2027, 2027);
    EXPECT_EQ(served.verdict, ServedScheduleVerdict::kMerged);
    EXPECT_EQ(served.days.size(), 35u);
    EXPECT_EQ(served.days.front().date, D(2026, 12, 26));
}

TEST_F(ServedScheduleTest, RefusesEveryYearButTheOneAskedFor) {
    struct Case {
        std::string served;
        int asked;
    };
    const Case cases[] = {
        {WholeYearOff(2098), 2027},                                   // far ahead
        {kServed2027, 2028},                                          // a year early
        {k2026, 2027},                                                // a year late
        {std::string(kServed2027) + "2028-01-01,休,元旦\r\n", 2027},  // and a day of the next
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckServedSchedule(HolidaySchedule(), c.served, c.asked).verdict, ServedScheduleVerdict::kWrongYear)
            << "asked for " << c.asked << ":\n"
            << c.served.substr(0, 60);
    }
}

TEST_F(ServedScheduleTest, RefusesAYearThatIsNoNotice) {
    const std::string noNotice[] = {
        WholeYearOff(2027),
        "2027-01-01,休,元旦\r\n",                               // one holiday alone
        std::string(kServed2027) + "2027-06-10,班,端午节\r\n",  // a Thursday
        [] {
            std::string text = kServed2027;
            const std::string from = "2027-06-09,休,端午节";
            return text.replace(text.find(from), from.size(), "2027-06-09,休,公司年会");
        }(),
    };
    for (const std::string& served : noNotice) {
        EXPECT_EQ(CheckServedSchedule(current_, served, 2027).verdict, ServedScheduleVerdict::kImplausible)
            << served.substr(0, 80);
    }
}

TEST_F(ServedScheduleTest, AYearMergedBeforeNeverBlocksTheYearAskedFor) {
    // A whole year of 2098 taken in by a version that did not check.
    HolidaySchedule current = current_;
    for (const OffDay& day : ParseHolidaySchedule(WholeYearOff(2098)).schedule.Days()) current.Set(day);
    EXPECT_EQ(CheckServedSchedule(current, kServed2027, 2027).verdict, ServedScheduleVerdict::kMerged);
}

TEST_F(ServedScheduleTest, RefusesAnythingThatTouchesAYearOrADayAlreadyPresent) {
    EXPECT_EQ(CheckServedSchedule(current_, k2026, 2026).verdict, ServedScheduleVerdict::kChangesPast);
    HolidaySchedule withOwnDay = current_;
    withOwnDay.Set(OffDay{D(2027, 2, 20), OffDayKind::kWork, "春节"});  // typed in by the user
    EXPECT_EQ(CheckServedSchedule(withOwnDay, kServed2027, 2027).verdict, ServedScheduleVerdict::kChangesPast);
}

TEST_F(ServedScheduleTest, RefusesAFileWithABadLineOrTooManyLinesOrNoDays) {
    const std::string malformed[] = {
        std::string(kServed2027) + "2027-02-30,休,春节\n",
        "<html><body>Not Found</body></html>\n",
        "# nothing\n",
        [] {
            std::string text = kServed2027;
            for (std::size_t i = 0; i < kMaxServedScheduleLines; ++i) text += "#\n";
            return text;
        }(),
    };
    for (const std::string& served : malformed) {
        EXPECT_EQ(CheckServedSchedule(current_, served, 2027).verdict, ServedScheduleVerdict::kMalformed)
            << served.substr(0, 60);
    }
}

class MergeServedScheduleTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = ::testing::TempDir() + "offdays_merge_test.cfg";
        RemoveFile(path_);
    }
    void TearDown() override { RemoveFile(path_); }
    std::string Contents() {
        std::string contents;
        ReadWholeFile(path_, contents);
        return contents;
    }
    std::string path_;
    const Date december_ = D(2026, 12, 1);  // 2027 is asked for
};

TEST_F(MergeServedScheduleTest, AppendsTheNewYearOnceKeepingTheUsersLinesAndComments) {
    ASSERT_TRUE(ReplaceFileAtomically(path_, std::string("# mine\r\n") + k2026 + "2026-10-08,休,国庆节"));
    const std::string before = Contents();
    EXPECT_TRUE(MergeServedSchedule(path_, kServed2027, december_));
    EXPECT_EQ(Contents(), before + "\r\n" + kServed2027);
    EXPECT_FALSE(MergeServedSchedule(path_, kServed2027, december_));
    EXPECT_EQ(Contents(), before + "\r\n" + kServed2027);
}

TEST_F(MergeServedScheduleTest, TheDownloadAddsToTheFileInItsOwnEncodingAndCreatesAMissingOne) {
    const std::string mine = "# \xCE\xD2\xB5\xC4\r\n2026-10-01,\xD0\xDD,\xB9\xFA\xC7\xEC\xBD\xDA\r\n";  // GBK
    for (const TextFileEncoding encoding : {TextFileEncoding::kUtf16Le, TextFileEncoding::kUtf8}) {
        // An emoji the user typed has no GBK form: the old bytes are kept as they are.
        const std::string before = EncodeTextFile(mine, encoding, true) + EncodeTextFile("# ", encoding, false);
        ASSERT_TRUE(ReplaceFileAtomically(path_, before));
        ASSERT_TRUE(MergeServedSchedule(path_, kServed2027, december_));
        EXPECT_EQ(Contents(), before + EncodeTextFile(std::string("\r\n") + kServed2027, encoding, false));
        HolidayScheduleFile file;
        ASSERT_TRUE(LoadHolidaySchedule(path_, file));
        EXPECT_NE(file.schedule.Find(D(2027, 1, 1)), nullptr);
    }
    RemoveFile(path_);
    ASSERT_TRUE(MergeServedSchedule(path_, kServed2027, december_));
    EXPECT_EQ(Contents().substr(0, 1), "#");
    EXPECT_NE(Contents().find(kServed2027), std::string::npos);
}

TEST_F(MergeServedScheduleTest, AFileInNoReadableEncodingIsNotWrittenOver) {
    const std::string utf32(
        "\xFF\xFE\0\0"
        "2\0\0\0",
        8);
    ASSERT_TRUE(ReplaceFileAtomically(path_, utf32));
    HolidayScheduleFile file;
    EXPECT_FALSE(LoadHolidaySchedule(path_, file));
    EXPECT_FALSE(MergeServedSchedule(path_, kServed2027, december_));
    EXPECT_EQ(Contents(), utf32);
}

TEST_F(MergeServedScheduleTest, ARefusedServedFileChangesNothing) {
    ASSERT_TRUE(ReplaceFileAtomically(path_, k2026));
    for (const std::string& served :
         {std::string(kServed2027) + "2027-13-01,休,元旦\r\n", std::string(), WholeYearOff(2098), WholeYearOff(2027)}) {
        EXPECT_FALSE(MergeServedSchedule(path_, served, december_)) << served.substr(0, 60);
    }
    // Before November 2026 is asked for, which the file has: nothing is taken.
    EXPECT_FALSE(MergeServedSchedule(path_, kServed2027, D(2026, 10, 31)));
    EXPECT_EQ(Contents(), k2026);
}

TEST_F(MergeServedScheduleTest, AYearRefusedAtOneStartLeavesTheNextStartFreeToTakeTheRightOne) {
    ASSERT_TRUE(ReplaceFileAtomically(path_, k2026));
    EXPECT_FALSE(MergeServedSchedule(path_, WholeYearOff(2098), december_));
    EXPECT_TRUE(MergeServedSchedule(path_, kServed2027, D(2026, 12, 2)));
    HolidayScheduleFile file;
    ASSERT_TRUE(LoadHolidaySchedule(path_, file));
    EXPECT_EQ(CoveredYearsText(file.schedule), "2026-2027");
}

TEST(ComingYearTest, IsAskedForFromNovemberWhenTheFileLacksItAndAlwaysWhenTheCurrentYearIsMissing) {
    const HolidaySchedule schedule = ParseHolidaySchedule(k2026).schedule;
    const struct {
        Date today;
        std::optional<int> asked;
    } cases[] = {
        {D(2026, 10, 31), std::nullopt}, {D(2027, 1, 10), 2027},         {D(2026, 11, 1), 2027},
        {D(2026, 12, 31), 2027},         {D(2025, 11, 1), std::nullopt},  // 2026 is there
        {D(2025, 10, 31), 2025},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScheduleYearToAsk(schedule, c.today), c.asked) << c.today.ToString();
        EXPECT_EQ(WantsComingYear(schedule, c.today), c.asked.has_value()) << c.today.ToString();
    }
}

}  // namespace
