// The holiday schedule's file (Ostrel/offdays.cfg): reading it, and the
// shipped schedule beside it that the user's file corrects.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "base/file_system.h"
#include "base/text_encoding.h"
#include "base/text_file_encoding.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/holiday_schedule_texts.h"
#include "tests/support/dates.h"
#include "tests/support/holiday_schedule_samples.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<int> ProblemLines(const HolidayScheduleFile& file) {
    std::vector<int> lines;
    for (const HolidayScheduleProblem& problem : file.problems) lines.push_back(problem.line);
    return lines;
}

TEST(HolidayScheduleFileTest, ReadsDaysOffAndMakeUpWorkingDaysWithTheirHolidays) {
    const HolidayScheduleFile file = ParseHolidaySchedule(k2026);
    EXPECT_THAT(file.problems, IsEmpty());
    ASSERT_NE(file.schedule.Find(D(2026, 10, 1)), nullptr);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 1))->kind, OffDayKind::kOff);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 1))->name, "国庆节");
    ASSERT_NE(file.schedule.Find(D(2026, 9, 20)), nullptr);
    EXPECT_EQ(file.schedule.Find(D(2026, 9, 20))->kind, OffDayKind::kWork);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 8)), nullptr);
    EXPECT_THAT(file.schedule.CoveredYears(), ElementsAre(2026));
}

TEST(HolidayScheduleFileTest, SkipsEachBadLineNamesItAndKeepsTheRest) {
    const HolidayScheduleFile file = ParseHolidaySchedule(
        "2026-10-01,休,国庆节\r\n"
        "2026-02-30,休,春节\r\n"        // no such date
        "2026-10-02,放,国庆节\r\n"      // neither 休 nor 班
        "2026-10-03,休,\r\n"            // no name
        "2026-10-04,休,国庆,节\r\n"     // four fields
        "2026-10-05,休,国庆\x01节\r\n"  // control character
        "2026-10-06,休,\x81\r\n"        // half a GBK character
        "2100-01-01,休,元旦\r\n"        // beyond the calendar
        "26-10-07,休,国庆节\r\n"        // two-digit year
        "; comment\r\n\r\n   \r\n"
        "2026-10-07,休,国庆节");
    EXPECT_THAT(ProblemLines(file), ElementsAre(2, 3, 4, 5, 6, 7, 8, 9));
    EXPECT_EQ(file.schedule.size(), 2u);
    EXPECT_NE(file.schedule.Find(D(2026, 10, 7)), nullptr);
}

TEST(HolidayScheduleFileTest, ALaterLineForTheSameDateWinsAndTheEarlierIsNamed) {
    const HolidayScheduleFile file = ParseHolidaySchedule("2026-10-08,休,国庆节\n2026-10-08,班,国庆节\n");
    ASSERT_NE(file.schedule.Find(D(2026, 10, 8)), nullptr);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 8))->kind, OffDayKind::kWork);
    EXPECT_THAT(ProblemLines(file), ElementsAre(1));
}

TEST(HolidayScheduleFileTest, AcceptsSpacesAroundFieldsAndShortMonthAndDayNumbers) {
    const HolidayScheduleFile file = ParseHolidaySchedule("  2026-5-1 , 休 , 劳动节 \n");
    EXPECT_THAT(file.problems, IsEmpty());
    ASSERT_NE(file.schedule.Find(D(2026, 5, 1)), nullptr);
    EXPECT_EQ(file.schedule.Find(D(2026, 5, 1))->name, "劳动节");
}

TEST(HolidayScheduleFileTest, ReadsAFileAnEditorSavedAsUtf8) {
    // "2026-10-01,休,国庆节" in UTF-8, with and without a byte-order mark.
    const std::string utf8 = "2026-10-01,\xE4\xBC\x91,\xE5\x9B\xBD\xE5\xBA\x86\xE8\x8A\x82\r\n";
    for (const std::string& contents : {utf8, "\xEF\xBB\xBF" + utf8}) {
        const HolidayScheduleFile file = ParseHolidaySchedule(contents);
        EXPECT_THAT(file.problems, IsEmpty());
        ASSERT_NE(file.schedule.Find(D(2026, 10, 1)), nullptr);
        EXPECT_EQ(file.schedule.Find(D(2026, 10, 1))->name, "国庆节");
    }
}

TEST(HolidayScheduleFileTest, ReadsNoFurtherThanTheSizeLimitAndSaysSo) {
    std::string contents;
    while (contents.size() < kMaxHolidayScheduleBytes) contents += "# padding padding padding padding padding\r\n";
    contents += "2026-10-01,休,国庆节\r\n";
    const HolidayScheduleFile file = ParseHolidaySchedule(contents);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 1)), nullptr);
    ASSERT_EQ(file.problems.size(), 1u);
}

TEST(HolidayScheduleFileTest, AMissingFileIsAnEmptyScheduleAndAFolderIsAFailure) {
    HolidayScheduleFile file;
    EXPECT_TRUE(LoadHolidaySchedule("/nonexistent/offdays.cfg", file));
    EXPECT_TRUE(file.schedule.empty());
    EXPECT_FALSE(LoadHolidaySchedule("/tmp", file));
}

// The file that ships with the program holds exactly the days of the compiled
// schedule (tools/offdays/cn-public-holidays.tsv, from which it is made).
// The shipped schedule is replaced by updates; the user's file beside it,
// which no update touches, corrects it date by date.
TEST(ShippedHolidayScheduleTest, TheUsersFileOverridesTheShippedOneByDate) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "offdays-override";
    std::filesystem::create_directories(folder);
    const std::filesystem::path user = folder / "offdays.cfg";
    ASSERT_TRUE(ReplaceFileAtomically(ShippedHolidaySchedulePath(user), k2026));
    HolidayScheduleFile file;
    ASSERT_TRUE(LoadHolidaySchedule(user, file)) << "no file of the user's yet";
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 10))->kind, OffDayKind::kWork);

    ASSERT_TRUE(ReplaceFileAtomically(user, "2026-10-10,休,国庆节\r\n2027-01-01,休,元旦\r\nbad\r\n"));
    ASSERT_TRUE(LoadHolidaySchedule(user, file));
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 10))->kind, OffDayKind::kOff);
    EXPECT_NE(file.schedule.Find(D(2027, 1, 1)), nullptr);
    EXPECT_NE(file.schedule.Find(D(2026, 10, 1)), nullptr);
    EXPECT_THAT(ProblemLines(file), ElementsAre(3)) << "only the user's lines are named";
    std::filesystem::remove_all(folder);
}

// The largest file read is taken in whole; one beyond it is not parsed.
TEST(ShippedHolidayScheduleTest, AFileAtItsLimitLoadsAndALargerOneIsRefused) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "offdays-limit";
    std::filesystem::create_directories(folder);
    const std::filesystem::path user = folder / "offdays.cfg";
    std::string text = "2026-10-01,休,国庆节\r\n";
    text.resize(kHolidayScheduleFileLimit, '\n');
    ASSERT_TRUE(ReplaceFileAtomically(user, text));
    HolidayScheduleFile file;
    ASSERT_TRUE(LoadHolidaySchedule(user, file));
    EXPECT_NE(file.schedule.Find(D(2026, 10, 1)), nullptr);
    ASSERT_TRUE(ReplaceFileAtomically(user, text + "\n"));
    EXPECT_FALSE(LoadHolidaySchedule(user, file));
    std::filesystem::remove_all(folder);
}

TEST(ShippedHolidayScheduleTest, HoldsExactlyTheDaysOfTheCompiledSchedule) {
    std::string shipped, tsv;
    ASSERT_TRUE(ReadWholeFile(std::string(SOLVANE_SOURCE_DIR) + "/data/Ostrel/offdays-shipped.cfg", shipped));
    ASSERT_TRUE(ReadWholeFile(std::string(SOLVANE_SOURCE_DIR) + "/tools/offdays/cn-public-holidays.tsv", tsv));
    EXPECT_EQ(shipped.find('\n'), shipped.find("\r\n") + 1) << "CR LF line ends";

    const HolidayScheduleFile file = ParseHolidaySchedule(shipped);
    EXPECT_THAT(file.problems, IsEmpty());
    std::vector<std::string> expected, actual;
    std::istringstream lines(GbkFromUtf8(tsv));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#' || line.rfind("date\t", 0) == 0) continue;
        std::istringstream fields(line);
        std::string date, name, kind;
        std::getline(fields, date, '\t');
        std::getline(fields, name, '\t');
        std::getline(fields, kind, '\t');
        expected.push_back(date + "," + kind + "," + name);
    }
    for (const OffDay& day : file.schedule.Days()) actual.push_back(FormatOffDayLine(day));
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(static_cast<std::size_t>(file.dayLines), expected.size());
    EXPECT_EQ(CoveredYearsText(file.schedule), "2007-2026");

    // Every make-up working day belongs to a holiday.
    std::size_t workDays = 0, attached = 0;
    for (const OffDay& day : file.schedule.Days()) workDays += day.kind == OffDayKind::kWork;
    for (const HolidayPeriod& period : HolidayPeriods(file.schedule)) attached += period.workDays.size();
    EXPECT_EQ(attached, workDays);
}

}  // namespace
