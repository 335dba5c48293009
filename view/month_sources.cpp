#include "view/month_sources.h"

#include "almanac/almanac_database.h"
#include "base/data_paths.h"
#include "festivals/festival_file.h"
#include "reminders/reminder_file.h"

MonthSources::MonthSources()
    : database_(std::make_unique<AlmanacDatabase>()),
      days_(std::make_unique<DaySources>(&festivals_, &reminders_, database_.get())) {}

MonthSources::~MonthSources() = default;

void MonthSources::Load(const std::string& festivalFile, const std::string& reminderFile,
                        const std::string& databasePath) {
    festivalFile_ = festivalFile;
    reminderFile_ = reminderFile;
    LoadFestivals(festivals_, festivalFile_);
    LoadReminders(reminderFile_, reminders_);
    if (database_->CreateEngine()) database_->Open(databasePath);
    // Solar terms remembered from before the database opened would be empty.
    days_ = std::make_unique<DaySources>(&festivals_, &reminders_, database_.get());
}

void MonthSources::LoadFolder(const std::string& moduleFolder) {
    Load(FestivalFilePath(moduleFolder), ReminderFilePath(moduleFolder), AlmanacDatabasePath(moduleFolder));
    LoadOffDayFile(OffDayFilePath(moduleFolder));
}

bool MonthSources::LoadOffDayFile(const std::string& offDayFile) {
    offDayFile_ = offDayFile;
    return LoadOffDays(offDayFile_, offDays_);
}

void MonthSources::AddReminders(const ReminderList& extra) {
    reminders_.insert(reminders_.end(), extra.begin(), extra.end());
}

void MonthSources::ReloadFestivals() {
    LoadFestivals(festivals_, festivalFile_);
    days_->FestivalsChanged();
}

void MonthSources::ReloadReminders() {
    reminders_.clear();
    LoadReminders(reminderFile_, reminders_);
}

void MonthSources::ReloadOffDays() {
    // A file locked for a moment keeps the schedule already shown.
    OffDayFile reloaded;
    if (LoadOffDays(offDayFile_, reloaded)) offDays_ = std::move(reloaded);
}

void MonthSources::Close() { database_->Close(); }

DayInfo MonthSources::GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                                 bool withReminders) {
    return days_->GetDayInfo(year, month, day, withAlmanac, withFestivals, withReminders);
}
