#include "days/month_sources.h"

#include <utility>

#include "almanac/almanac_database.h"
#include "base/data_paths.h"
#include "base/file_system.h"
#include "festivals/festival_file.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/statutory_holidays.h"
#include "reminders/reminder_file.h"

MonthSources::MonthSources()
    : database_(std::make_unique<AlmanacDatabase>()),
      days_(std::make_unique<DaySources>(&festivals_, &reminders_, database_.get())) {}

MonthSources::~MonthSources() = default;

void MonthSources::Load(const std::filesystem::path& festivalFile, const std::filesystem::path& reminderFile,
                        const std::filesystem::path& databasePath) {
    festivalFile_ = festivalFile;
    reminderFile_ = reminderFile;
    waiting_.festivals = !LoadFestivals(festivals_, festivalFile_);
    waiting_.reminders = !LoadReminders(reminderFile_, reminders_);
    if (database_->CreateEngine()) database_->Open(databasePath);
    // Solar terms remembered from before the database opened would be empty.
    days_ = std::make_unique<DaySources>(&festivals_, &reminders_, database_.get());
}

void MonthSources::LoadFolder(const std::filesystem::path& moduleFolder) {
    Load(FestivalFilePath(moduleFolder), ReminderFilePath(moduleFolder), AlmanacDatabasePath(moduleFolder));
    LoadOffDayFile(HolidayScheduleFilePath(moduleFolder));
}

bool MonthSources::LoadOffDayFile(const std::filesystem::path& offDayFile) {
    offDayFile_ = offDayFile;
    offDayStamp_ = ReadFileStamp(offDayFile_);
    const bool read = LoadHolidaySchedule(offDayFile_, offDays_);
    shownOffDays_ = WithStatutoryDays(offDays_.schedule, database_.get());
    return read;
}

void MonthSources::AddReminders(const ReminderList& extra) {
    reminders_.insert(reminders_.end(), extra.begin(), extra.end());
}

bool MonthSources::ReloadFestivals() {
    FestivalList read;
    if (!LoadFestivals(read, festivalFile_)) {
        waiting_.festivals = true;  // the newer file is read at the next retry
        return false;
    }
    festivals_ = std::move(read);
    waiting_.festivals = false;
    days_->FestivalsChanged();
    return true;
}

bool MonthSources::ReloadReminders() {
    ReminderList read;
    if (!LoadReminders(reminderFile_, read)) {
        waiting_.reminders = true;  // the newer file is read at the next retry
        return false;
    }
    reminders_ = std::move(read);
    waiting_.reminders = false;
    return true;
}

MonthSources::Waiting MonthSources::RetryWaitingFiles() {
    Waiting read;
    read.festivals = waiting_.festivals && ReloadFestivals();
    read.reminders = waiting_.reminders && ReloadReminders();
    return read;
}

void MonthSources::ReloadOffDays() {
    // A file locked for a moment keeps the schedule already shown.
    const std::optional<FileStamp> stamp = ReadFileStamp(offDayFile_);
    HolidayScheduleFile reloaded;
    if (!LoadHolidaySchedule(offDayFile_, reloaded)) return;
    offDayStamp_ = stamp;
    offDays_ = std::move(reloaded);
    shownOffDays_ = WithStatutoryDays(offDays_.schedule, database_.get());
}

bool MonthSources::ReloadOffDaysIfChanged() {
    if (offDayFile_.empty() || ReadFileStamp(offDayFile_) == offDayStamp_) return false;
    const std::optional<FileStamp> before = offDayStamp_;
    ReloadOffDays();
    return !(offDayStamp_ == before);
}

void MonthSources::Close() { database_->Close(); }

DayInfo MonthSources::GetDayInfo(const Date& date, bool withAlmanac, bool withFestivals, bool withReminders) {
    return days_->GetDayInfo(date, withAlmanac, withFestivals, withReminders);
}
