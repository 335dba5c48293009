// What the days of a month are computed from: the festival list, the memos and
// the almanac database, loaded from their files. The month window loads it
// when it is created; render-month and the command-line tool load it the same
// way. It answers the month view's questions about single days.
#pragma once

#include <memory>
#include <string>

#include "almanac/day_info.h"

class AlmanacDatabase;

class MonthSources : public DayInfoSource {
public:
    MonthSources();
    ~MonthSources() override;

    // Missing files leave their part empty; nothing is reported.
    void Load(const std::string& festivalFile, const std::string& reminderFile, const std::string& databasePath);
    // The three files of an installation folder.
    void LoadFolder(const std::string& moduleFolder);
    // Memos that are not in the file (render-month draws a few of its own).
    void AddReminders(const ReminderList& extra);
    void ReloadFestivals();
    void ReloadReminders();
    void Close();

    DayInfo GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                       bool withReminders) override;

    const FestivalList& festivals() const { return festivals_; }
    const ReminderList& reminders() const { return reminders_; }
    AlmanacDatabase& almanac() { return *database_; }

private:
    std::string festivalFile_;
    std::string reminderFile_;
    FestivalList festivals_;
    ReminderList reminders_;
    std::unique_ptr<AlmanacDatabase> database_;
    std::unique_ptr<DaySources> days_;  // reads the three above
};
