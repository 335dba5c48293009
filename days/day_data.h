// The program's day data: the festival list, the memos, the almanac database
// and the public-holiday schedule, loaded from their files. The program holds
// one and keeps it in step with the files: another program (a sync client, a
// second editor, Notepad) may rewrite any of them while it runs, and each is
// read again when its stamp on disk is no longer the one last read.
// render-month and the command-line tool load it the same way. It answers the
// month view's and the notices' questions about single days.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "almanac/almanac_database.h"
#include "base/file_system.h"
#include "days/day_info.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"

class DayData : public DayInfoSource {
public:
    DayData();
    ~DayData() override;

    // Missing files leave their part empty. A festival or memo file that is
    // there but cannot be read (locked by antivirus or a sync client at
    // log-on) leaves its part empty and waiting: see waitingFiles(); one
    // beyond its limit gives what lies within it: see tooLargeFiles().
    // `reads`: how the almanac reads its file until told otherwise.
    void Load(const std::filesystem::path& festivalFile, const std::filesystem::path& reminderFile,
              const std::filesystem::path& databasePath, AlmanacReads reads = AlmanacReads::kThroughFile);
    // The public-holiday schedule (Ostrel\offdays.cfg).
    // False when something is at the path but could not be read.
    bool LoadOffDayFile(const std::filesystem::path& offDayFile);
    // The four files of an installation folder.
    void LoadFolder(const std::filesystem::path& moduleFolder, AlmanacReads reads = AlmanacReads::kThroughFile);
    // Memos that are not in the file (render-month draws a few of its own).
    void AddReminders(const ReminderList& extra);
    // Read the file again. One that cannot be read now keeps the list last
    // read, so the month and the alerts go on with what they had; false then.
    // Days asked for before a reload (or an AddReminders) refer to the
    // reminders of the old list: ask for them again.
    bool ReloadFestivals();
    bool ReloadReminders();
    // The festival and memo files that are there but could not be read at
    // the last attempt (at start or at a reload), to be tried again.
    struct Waiting {
        bool festivals = false;
        bool reminders = false;
        bool any() const { return festivals || reminders; }
    };
    Waiting waitingFiles() const { return waiting_; }
    // Tries the waiting files again; what was read now.
    Waiting RetryWaitingFiles();
    // One flag for each of the three list files.
    struct Files {
        bool festivals = false;
        bool reminders = false;
        bool offDays = false;
        bool any() const { return festivals || reminders || offDays; }
    };
    // The files found beyond their limits at the last read (base/file_system.h):
    // their entries within the limit are shown. Such a file does not wait:
    // reading it again gives the same until it changes, and then it is read
    // anew as any changed file is (ReloadChangedFiles).
    using TooLarge = Files;
    TooLarge tooLargeFiles() const { return tooLarge_; }
    // After the update check merged a new year into the schedule.
    void ReloadOffDays();
    // Reads the schedule again when its file changed since it was read (a
    // hand edit, a copy restored); true when the schedule was read anew.
    bool ReloadOffDaysIfChanged();
    // Reads again each of the three files whose stamp differs from the one
    // it had when it was last read; what was read anew. A changed file that
    // cannot be read now keeps its list and waits (waitingFiles()).
    using Reread = Files;
    Reread ReloadChangedFiles();
    // The days the month shows: the published schedule, and the holiday
    // law's days in the years it lacks (holidays/statutory_holidays.h).
    const HolidaySchedule& offDays() const { return shownOffDays_; }
    // The file as read, with the lines that were skipped, for the
    // command-line tool to name.
    const HolidayScheduleFile& offDayFile() const { return offDays_; }
    void Close();

    DayInfo GetDayInfo(const Date& date, DayParts parts) override;

    const FestivalList& festivals() const { return festivals_; }
    const ReminderList& reminders() const { return reminders_; }
    AlmanacDatabase& almanac() { return *database_; }

private:
    std::filesystem::path festivalFile_;
    std::filesystem::path reminderFile_;
    // The stamps the two files had when their lists were read.
    std::optional<FileStamp> festivalStamp_;
    std::optional<FileStamp> reminderStamp_;
    FestivalList festivals_;
    ReminderList reminders_;
    Waiting waiting_;
    TooLarge tooLarge_;
    std::filesystem::path offDayFile_;
    std::optional<FileStamp> offDayStamp_;  // of the file as last read
    HolidayScheduleFile offDays_;
    HolidaySchedule shownOffDays_;
    std::unique_ptr<AlmanacDatabase> database_;
    std::unique_ptr<DaySources> days_;  // reads the three above
};
