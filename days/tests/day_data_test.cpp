#include "days/day_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "almanac/almanac_database.h"
#include "base/data_paths.h"
#include "base/file_system.h"
#include "festivals/festival_file.h"
#include "holidays/holiday_schedule_file.h"
#include "reminders/reminder_file.h"
#include "tests/support/reminder_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// An installation copied to a folder whose name has no GBK form: Windows
// makes no 8.3 name for it on most volumes, so only the real name reaches it.
class DayDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder_ / "Ostrel" / "Database");
        fs::create_directories(folder_ / "Reminders");
        const fs::path data = fs::path(SOLVANE_SOURCE_DIR) / "data" / "Ostrel";
        fs::copy_file(data / "holidays.cfg", FestivalFilePath(folder_));
        fs::copy_file(data / "offdays-shipped.cfg", HolidayScheduleFilePath(folder_));
        const fs::path database = fs::path(SOLVANE_BINARY_DIR) / "dist" / "Ostrel" / "Database" / "china.mdb";
        if (fs::exists(database)) fs::copy_file(database, AlmanacDatabasePath(folder_));
        ASSERT_TRUE(
            SaveReminders(ReminderFilePath(folder_), {Gregorian(ReminderRepeat::kNone, 2026, 2, 17, 8, 0, "拜年")}));
    }

    ScratchFolder scratch_{"solvane-sources-"};
    const fs::path folder_ = scratch_.path() / fs::u8path(u8"한글 😀 日历");
};

TEST_F(DayDataTest, AFolderNamedInAnyScriptHasItsDataFound) {
    DayData sources;
    sources.LoadFolder(folder_);
    EXPECT_GT(sources.festivals().size(), 20u);
    ASSERT_EQ(sources.reminders().size(), 1u);
    EXPECT_EQ(ReminderText(sources.reminders()[0]), "拜年");
    EXPECT_FALSE(sources.offDays().CoveredYears().empty());
    if (FileExists(AlmanacDatabasePath(folder_))) {
        EXPECT_TRUE(sources.almanac().IsOpen());
    }
}

TEST_F(DayDataTest, SavesLandInThatFolderAndReadBack) {
    DayData sources;
    sources.LoadFolder(folder_);
    ReminderList reminders = sources.reminders();
    reminders.push_back(Gregorian(ReminderRepeat::kNone, 2026, 10, 1, 9, 30, "升旗"));
    ASSERT_TRUE(SaveReminders(ReminderFilePath(folder_), reminders));
    FestivalList festivals = sources.festivals();
    festivals.resize(1);
    ASSERT_TRUE(SaveFestivals(FestivalFilePath(folder_), festivals));

    sources.ReloadReminders();
    sources.ReloadFestivals();
    EXPECT_EQ(sources.reminders().size(), 2u);
    EXPECT_EQ(sources.festivals().size(), 1u);
    EXPECT_EQ(scratch_.FileCount(), 1u) << "nothing is written beside the folder";
}

// The 2026 National Day holiday: 休 from 1 to 7 October (a Monday among
// them), 班 on Saturday 10 October.
TEST_F(DayDataTest, WorkdayAndRestDayRemindersFollowTheHolidaySchedule) {
    Reminder workdays = Gregorian(ReminderRepeat::kNone, 2026, 9, 28, 8, 0, "上班打卡");
    SetRepetition(workdays, ReminderRepeat::kWorkdays);
    Reminder restDays = Gregorian(ReminderRepeat::kNone, 2026, 9, 28, 9, 0, "睡个懒觉");
    SetRepetition(restDays, ReminderRepeat::kRestDays);
    ASSERT_TRUE(SaveReminders(ReminderFilePath(folder_), {workdays, restDays}));
    DayData sources;
    sources.LoadFolder(folder_);
    const struct {
        Date date;
        const char* why;
        const char* reminder;
    } days[] = {
        {D(2026, 9, 27), "a Sunday before the start", ""}, {D(2026, 9, 28), "a Monday, the start", "上班打卡"},
        {D(2026, 9, 30), "a Wednesday", "上班打卡"},       {D(2026, 10, 3), "休 on a Saturday", "睡个懒觉"},
        {D(2026, 10, 5), "休 on a Monday", "睡个懒觉"},    {D(2026, 10, 9), "a Friday after the holiday", "上班打卡"},
        {D(2026, 10, 10), "班 on a Saturday", "上班打卡"}, {D(2026, 10, 11), "a Sunday", "睡个懒觉"},
    };
    for (const auto& day : days) {
        const DayInfo info = sources.GetDayInfo(day.date, kRemindersPart);
        std::string reminders;
        for (const Reminder& r : info.reminders) reminders += ReminderText(r);
        EXPECT_EQ(reminders, day.reminder) << day.date.ToString() << ": " << day.why;
    }
}

// A folder in the file's place cannot be read, as a file locked by another
// program cannot.
void MakeUnreadable(const fs::path& file) {
    fs::remove(file);
    fs::create_directories(file);
}

TEST_F(DayDataTest, AFileThatCannotBeReadAtAReloadLeavesTheListsAsLastRead) {
    DayData sources;
    sources.LoadFolder(folder_);
    const std::size_t festivals = sources.festivals().size();
    MakeUnreadable(ReminderFilePath(folder_));
    MakeUnreadable(FestivalFilePath(folder_));
    EXPECT_FALSE(sources.ReloadReminders());
    EXPECT_FALSE(sources.ReloadFestivals());
    ASSERT_EQ(sources.reminders().size(), 1u);
    EXPECT_EQ(sources.festivals().size(), festivals);
    EXPECT_TRUE(sources.waitingFiles().reminders) << "the newer file is still to be read";
    EXPECT_TRUE(sources.waitingFiles().festivals);
}

TEST_F(DayDataTest, AFileUnreadableAtStartWaitsAndIsReadWhenRetriedLater) {
    const fs::path reminders = ReminderFilePath(folder_);
    MakeUnreadable(reminders);
    DayData sources;
    sources.LoadFolder(folder_);
    EXPECT_TRUE(sources.waitingFiles().reminders);
    EXPECT_FALSE(sources.waitingFiles().festivals);
    EXPECT_FALSE(sources.RetryWaitingFiles().any());
    EXPECT_TRUE(sources.waitingFiles().reminders);

    fs::remove(reminders);
    ASSERT_TRUE(SaveReminders(reminders, {Gregorian(ReminderRepeat::kNone, 2026, 2, 17, 8, 0, "拜年")}));
    EXPECT_TRUE(sources.RetryWaitingFiles().reminders);
    EXPECT_FALSE(sources.waitingFiles().any());
    ASSERT_EQ(sources.reminders().size(), 1u);
    EXPECT_EQ(sources.GetDayInfo(*Date::FromCivil(2026, 2, 17), kRemindersPart).reminders.size(), 1u);
}

TEST_F(DayDataTest, AMissingFileIsNothingToWaitFor) {
    fs::remove(ReminderFilePath(folder_));
    DayData sources;
    sources.LoadFolder(folder_);
    EXPECT_FALSE(sources.waitingFiles().any());
}

TEST_F(DayDataTest, FilesChangedByAnotherProgramAreReadAgainTheOthersLeftAlone) {
    DayData days;
    days.LoadFolder(folder_);
    EXPECT_FALSE(days.ReloadChangedFiles().any()) << "nothing changed since the load";

    // A sync client adds a memo for tomorrow morning.
    ASSERT_TRUE(
        SaveReminders(ReminderFilePath(folder_), {Gregorian(ReminderRepeat::kNone, 2026, 2, 17, 8, 0, "拜年"),
                                                  Gregorian(ReminderRepeat::kNone, 2026, 2, 18, 9, 0, "回家")}));
    DayData::Reread read = days.ReloadChangedFiles();
    EXPECT_TRUE(read.reminders);
    EXPECT_FALSE(read.festivals || read.offDays);
    EXPECT_EQ(days.GetDayInfo(*Date::FromCivil(2026, 2, 18), kRemindersPart).reminders.size(), 1u);
    EXPECT_FALSE(days.ReloadChangedFiles().any()) << "read once, not at every minute";

    FestivalList festivals = days.festivals();
    festivals.resize(2);
    ASSERT_TRUE(SaveFestivals(FestivalFilePath(folder_), festivals));
    read = days.ReloadChangedFiles();
    EXPECT_TRUE(read.festivals);
    EXPECT_FALSE(read.reminders || read.offDays);
    EXPECT_EQ(days.festivals().size(), 2u);

    // Rewritten and still held by its writer: the memos as last read, and
    // the file waits for the retry.
    MakeUnreadable(ReminderFilePath(folder_));
    EXPECT_FALSE(days.ReloadChangedFiles().reminders);
    EXPECT_EQ(days.reminders().size(), 2u);
    EXPECT_TRUE(days.waitingFiles().reminders);
}

// A festival or holiday file beyond its limit: the month shows what lies
// within the limit, the program says so, and nothing reads the file again
// until it changes.
TEST_F(DayDataTest, AFileBeyondItsLimitShowsWhatLiesWithinAndIsReadAgainOnlyOnceChanged) {
    const auto shownOffDays = [](const DayData& days) {
        return (days.offDays().Find(*Date::FromCivil(2026, 3, 3)) ? 1u : 0u) +
               (days.offDays().Find(*Date::FromCivil(2026, 3, 4)) ? 1u : 0u);
    };
    struct Case {
        const char* what;
        fs::path file;
        std::size_t limit;
        std::string first, beyond;  // a line within the limit, one after it
        bool DayData::TooLarge::*tooLarge;
        std::function<std::size_t(const DayData&)> shown;  // of the two lines
    } cases[] = {
        {"festivals", FestivalFilePath(folder_), kFestivalFileLimit, "YL,JR,3-3,前面的节,,,,1,1,1\r\n",
         "YL,JR,3-4,后面的节,,,,1,1,1\r\n", &DayData::TooLarge::festivals,
         [](const DayData& days) { return days.festivals().size(); }},
        {"holiday schedule", HolidayScheduleFilePath(folder_), kHolidayScheduleFileLimit, "2026-03-03,班,前面\r\n",
         "2026-03-04,班,后面\r\n", &DayData::TooLarge::offDays, shownOffDays},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ReplaceFileAtomically(c.file, c.first + std::string(c.limit, '\n') + c.beyond));
        DayData days;
        days.LoadFolder(folder_);
        EXPECT_EQ(c.shown(days), 1u) << c.what;
        EXPECT_TRUE(days.tooLargeFiles().*c.tooLarge) << c.what;
        EXPECT_FALSE(days.waitingFiles().any()) << c.what << ": no retry can read more of it";
        EXPECT_FALSE(days.RetryWaitingFiles().any()) << c.what;
        EXPECT_FALSE(days.ReloadChangedFiles().any()) << c.what << ": not read again while unchanged";

        ASSERT_TRUE(ReplaceFileAtomically(c.file, c.first + c.beyond));
        EXPECT_TRUE(days.ReloadChangedFiles().any()) << c.what;
        EXPECT_FALSE(days.tooLargeFiles().any()) << c.what;
        EXPECT_EQ(c.shown(days), 2u) << c.what;
    }
}

}  // namespace
