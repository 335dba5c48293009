// What the days of a month are computed from: the festival list, the memos,
// the almanac database and the public-holiday schedule, loaded from their files. The month window loads it
// when it is created; render-month and the command-line tool load it the same
// way. It answers the month view's questions about single days.
#pragma once

#include <memory>
#include <string>

#include "almanac/day_info.h"
#include "festivals/off_days.h"

class AlmanacDatabase;

class MonthSources : public DayInfoSource {
public:
    MonthSources();
    ~MonthSources() override;

    // Missing files leave their part empty; nothing is reported.
    void Load(const std::string& festivalFile, const std::string& reminderFile, const std::string& databasePath);
    // The public-holiday schedule (Ostrel\offdays.cfg).
    // False when something is at the path but could not be read.
    bool LoadOffDayFile(const std::string& offDayFile);
    // The four files of an installation folder.
    void LoadFolder(const std::string& moduleFolder);
    // Memos that are not in the file (render-month draws a few of its own).
    void AddReminders(const ReminderList& extra);
    void ReloadFestivals();
    void ReloadReminders();
    // After the update check merged a new year into the schedule.
    void ReloadOffDays();
    const OffDaySchedule& offDays() const { return offDays_.schedule; }
    // With the lines that were skipped, for the command-line tool to name.
    const OffDayFile& offDayFile() const { return offDays_; }
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
    std::string offDayFile_;
    OffDayFile offDays_;
    std::unique_ptr<AlmanacDatabase> database_;
    std::unique_ptr<DaySources> days_;  // reads the three above
};
