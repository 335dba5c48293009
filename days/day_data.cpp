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
      days_(std::make_unique<DaySources>(&festivals_, &reminders_, database_.get(), &shownOffDays_)) {}

DayData::~DayData() = default;

void DayData::Load(const std::filesystem::path& festivalFile, const std::filesystem::path& reminderFile,
                   const std::filesystem::path& databasePath, AlmanacReads reads) {
    festivalFile_ = festivalFile;
    reminderFile_ = reminderFile;
    // Stamped before reading: a write during the read shows as a change.
    festivalStamp_ = ReadFileStamp(festivalFile_);
    reminderStamp_ = ReadFileStamp(reminderFile_);
    const FileRead festivals = ReadFestivals(festivalFile_, festivals_);
    const FileRead reminders = ReadReminders(reminderFile_, reminders_);
    waiting_.festivals = festivals == FileRead::kUnreadable;
    waiting_.reminders = reminders == FileRead::kUnreadable;
    tooLarge_.festivals = festivals == FileRead::kTooLarge;
    tooLarge_.reminders = reminders == FileRead::kTooLarge;
    if (database_->CreateEngine()) database_->Open(databasePath, reads);
    // Solar terms remembered from before the database opened would be empty.
    days_ = std::make_unique<DaySources>(&festivals_, &reminders_, database_.get(), &shownOffDays_);
}

void DayData::LoadFolder(const std::filesystem::path& moduleFolder, AlmanacReads reads) {
    Load(FestivalFilePath(moduleFolder), ReminderFilePath(moduleFolder), AlmanacDatabasePath(moduleFolder), reads);
    LoadOffDayFile(HolidayScheduleFilePath(moduleFolder));
}

bool DayData::LoadOffDayFile(const std::filesystem::path& offDayFile) {
    offDayFile_ = offDayFile;
    offDayStamp_ = ReadFileStamp(offDayFile_);
    const FileRead read = ReadHolidaySchedule(offDayFile_, offDays_);
    tooLarge_.offDays = read == FileRead::kTooLarge;
    shownOffDays_ = WithStatutoryDays(offDays_.schedule, database_.get());
    return read != FileRead::kUnreadable;
}

void DayData::AddReminders(const ReminderList& extra) {
    reminders_.insert(reminders_.end(), extra.begin(), extra.end());
}

namespace {

// Reads a list file anew into `list`. One that cannot be read now keeps the
// list last read and is marked waiting, so the next retry reads the newer
// file; one beyond its limit gives what lies within it, marked too large.
template <typename List, typename Read>
bool ReloadList(const std::filesystem::path& file, Read read, List& list, std::optional<FileStamp>& stamp,
                bool& waiting, bool& tooLarge) {
    const std::optional<FileStamp> before = ReadFileStamp(file);
    List reread;
    const FileRead outcome = read(file, reread);
    if (outcome == FileRead::kUnreadable) {
        waiting = true;
        return false;
    }
    list = std::move(reread);
    stamp = before;
    waiting = false;
    tooLarge = outcome == FileRead::kTooLarge;
    return true;
}

}  // namespace

bool DayData::ReloadFestivals() {
    if (!ReloadList(festivalFile_, ReadFestivals, festivals_, festivalStamp_, waiting_.festivals, tooLarge_.festivals))
        return false;
    days_->FestivalsChanged();
    return true;
}

bool DayData::ReloadReminders() {
    const auto read = [](const std::filesystem::path& file, ReminderList& list) { return ReadReminders(file, list); };
    return ReloadList(reminderFile_, read, reminders_, reminderStamp_, waiting_.reminders, tooLarge_.reminders);
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
    const FileRead read = ReadHolidaySchedule(offDayFile_, reloaded);
    if (read == FileRead::kUnreadable) return;
    offDayStamp_ = stamp;
    tooLarge_.offDays = read == FileRead::kTooLarge;
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
