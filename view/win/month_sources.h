// What the month window's days are computed from, loaded when the window is
// created: the festival list, the memos and the almanac database. It answers
// the month view's questions about single days.
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
    void ReloadFestivals();
    void ReloadReminders();
    void Close();

    DayInfo GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                       bool withReminders) override;

private:
    std::string festivalFile_;
    std::string reminderFile_;
    FestivalList festivals_;
    ReminderList reminders_;
    std::unique_ptr<AlmanacDatabase> database_;
    std::unique_ptr<DaySources> days_;  // reads the three above
};
