#include "tools/render-month/data_sources.h"

#include "almanac/almanac_database.h"
#include "festivals/festival_file.h"
#include "reminders/reminder_file.h"

DataSources::DataSources(const std::string& festivalFile, const std::string& memoFile,
                         const std::string& almanacFile, const ReminderList& extraMemos)
    : almanac_(std::make_unique<AlmanacDatabase>()) {
    LoadFestivals(festivals_, festivalFile);
    LoadReminders(memoFile, reminders_);
    reminders_.insert(reminders_.end(), extraMemos.begin(), extraMemos.end());
    if (almanac_->CreateEngine()) almanac_->Open(almanacFile);
    days_ = std::make_unique<DaySources>(&festivals_, &reminders_, almanac_.get());
}

DataSources::~DataSources() = default;
