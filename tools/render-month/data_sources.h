// The calendar window's three sources for render-month: festivals, memos and
// the almanac, read from files as the program reads them.
#pragma once

#include <memory>
#include <string>

#include "almanac/day_info.h"

class DataSources {
public:
    // Missing files leave their source empty, as in the program.
    DataSources(const std::string& festivalFile, const std::string& memoFile, const std::string& almanacFile,
                const ReminderList& extraMemos);
    ~DataSources();

    DayInfoSource& days() { return *days_; }

private:
    FestivalList festivals_;
    ReminderList reminders_;
    std::unique_ptr<AlmanacDatabase> almanac_;
    std::unique_ptr<DaySources> days_;  // reads the three above
};
