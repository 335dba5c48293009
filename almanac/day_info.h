// Everything known about one Gregorian date: its texts, lunar date, almanac
// row, festivals and memos. The month view, the forenotice list, the daily
// notice and the alert check all work from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "festivals/festival_rule.h"
#include "reminders/reminder.h"

class AlmanacDatabase;

struct DayInfo {
    std::string solarDate;  // "%04d-%02d-%02d"
    std::string lunarDate;  // "%04d-%02d-%02d" of the lunar date; a leap month keeps its plain number
    std::string zodiac;     // of the lunar year
    std::int32_t isLeap = 0;   // 1 inside an intercalary month
    std::int32_t weekday = 0;  // 1 Monday ... 7 Sunday
    // The almanac row; all empty unless asked for and the database has the date.
    std::string nYear;
    std::string nMonth;
    std::string nDay;
    std::string Yi;
    std::string Ji;
    std::string Chong;
    std::string Sha;
    std::string Cheng;
    std::string ZhengChong;
    std::string TaiShen;
    std::string JQ;
    std::string SolarTerm;  // non-empty only on the day of a solar term
    FestivalList festivals;  // matched copies, each with its suffix, in list order
    ReminderList reminders;  // the memos occurring that day, in list order
};

// Where day information comes from; the alert check, the daily notice and
// the forenotice list ask through this, so tests can give them any days.
class DayInfoSource {
public:
    virtual ~DayInfoSource() = default;
    // The date must lie in 1901-2099. Each flag fills its part: the almanac
    // row, the festivals, the memos.
    virtual DayInfo GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                               bool withReminders) = 0;
};

// Day information over the calendar window's three sources, read as they are
// at each call (nothing is cached). Any of them may be missing: no database
// leaves the almanac empty and OFFSETJQ festivals unmatched.
class DaySources : public DayInfoSource {
public:
    DaySources(const FestivalList* festivals, const ReminderList* reminders, AlmanacDatabase* almanac)
        : festivals_(festivals), reminders_(reminders), almanac_(almanac) {}
    DayInfo GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                       bool withReminders) override;

private:
    const FestivalList* festivals_;
    const ReminderList* reminders_;
    AlmanacDatabase* almanac_;
};

DayInfo GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals, bool withReminders,
                   const FestivalList* festivals, const ReminderList* reminders, AlmanacDatabase* almanac);
