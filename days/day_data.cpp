#include "days/day_data.h"

#include <utility>

#include "almanac/almanac_database.h"
#include "base/data_paths.h"
#include "base/file_system.h"
#include "festivals/festival_file.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/statutory_holidays.h"
#include "reminders/reminder_file.h"

DayData::DayData()
    : database_(std::make_unique<AlmanacDatabase>()),
      days_(std::make_unique<DaySources>(&festivals_, &reminders_, database_.get())) {}

DayData::~DayData() = default;

void DayData::Load(const std::filesystem::path& festivalFile, const std::filesystem::path& reminderFile,
                   const std::filesystem::path& databasePath) {
    festivalFile_ = festivalFile;
    reminderFile_ = reminderFile;
    // Stamped before reading: a write during the read shows as a change.
    festivalStamp_ = ReadFileStamp(festivalFile_);
    reminderStamp_ = ReadFileStamp(reminderFile_);
    waiting_.festivals = !LoadFestivals(festivalFile_, festivals_);
    waiting_.reminders = !LoadReminders(reminderFile_, reminders_);
    if (database_->CreateEngine()) database_->Open(databasePath);
    // Solar terms remembered from before the database opened would be empty.
    days_ = std::make_unique<DaySources>(&festivals_, &reminders_, database_.get());
}

void DayData::LoadFolder(const std::filesystem::path& moduleFolder) {
    Load(FestivalFilePath(moduleFolder), ReminderFilePath(moduleFolder), AlmanacDatabasePath(moduleFolder));
    LoadOffDayFile(HolidayScheduleFilePath(moduleFolder));
}

bool DayData::LoadOffDayFile(const std::filesystem::path& offDayFile) {
    offDayFile_ = offDayFile;
    offDayStamp_ = ReadFileStamp(offDayFile_);
    const bool read = LoadHolidaySchedule(offDayFile_, offDays_);
    shownOffDays_ = WithStatutoryDays(offDays_.schedule, database_.get());
    return read;
}

void DayData::AddReminders(const ReminderList& extra) {
    reminders_.insert(reminders_.end(), extra.begin(), extra.end());
}

namespace {

// Reads a list file anew into `list`. One that cannot be read now keeps the
// list last read and is marked waiting, so the next retry reads the newer file.
template <typename List, typename Load>
bool ReloadList(const std::filesystem::path& file, Load load, List& list, std::optional<FileStamp>& stamp,
                bool& waiting) {
    const std::optional<FileStamp> before = ReadFileStamp(file);
    List read;
    if (!load(read)) {
        waiting = true;
        return false;
    }
    list = std::move(read);
    stamp = before;
    waiting = false;
    return true;
}

}  // namespace

bool DayData::ReloadFestivals() {
    const auto load = [this](FestivalList& read) { return LoadFestivals(festivalFile_, read); };
    if (!ReloadList(festivalFile_, load, festivals_, festivalStamp_, waiting_.festivals)) return false;
    days_->FestivalsChanged();
    return true;
}

bool DayData::ReloadReminders() {
    const auto load = [this](ReminderList& read) { return LoadReminders(reminderFile_, read); };
    return ReloadList(reminderFile_, load, reminders_, reminderStamp_, waiting_.reminders);
}

DayData::Waiting DayData::RetryWaitingFiles() {
    Waiting read;
    read.festivals = waiting_.festivals && ReloadFestivals();
    read.reminders = waiting_.reminders && ReloadReminders();
    return read;
}

void DayData::ReloadOffDays() {
    // A file locked for a moment keeps the schedule already shown.
    const std::optional<FileStamp> stamp = ReadFileStamp(offDayFile_);
    HolidayScheduleFile reloaded;
    if (!LoadHolidaySchedule(offDayFile_, reloaded)) return;
    offDayStamp_ = stamp;
    offDays_ = std::move(reloaded);
    shownOffDays_ = WithStatutoryDays(offDays_.schedule, database_.get());
}

bool DayData::ReloadOffDaysIfChanged() {
    if (offDayFile_.empty() || ReadFileStamp(offDayFile_) == offDayStamp_) return false;
    const std::optional<FileStamp> before = offDayStamp_;
    ReloadOffDays();
    return !(offDayStamp_ == before);
}

DayData::Reread DayData::ReloadChangedFiles() {
    Reread read;
    // A file waiting to be read is the retry's to read, at its own pace.
    if (!festivalFile_.empty() && !waiting_.festivals && !(ReadFileStamp(festivalFile_) == festivalStamp_))
        read.festivals = ReloadFestivals();
    if (!reminderFile_.empty() && !waiting_.reminders && !(ReadFileStamp(reminderFile_) == reminderStamp_))
        read.reminders = ReloadReminders();
    read.offDays = ReloadOffDaysIfChanged();
    return read;
}

void DayData::Close() { database_->Close(); }

DayInfo DayData::GetDayInfo(const Date& date, DayParts parts) { return days_->GetDayInfo(date, parts); }
