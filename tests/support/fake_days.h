// Day information made up for the tests of its consumers: the calendar
// fields as the real source gives them, memos through the real occurrence
// test or placed by date, festivals and solar terms by date.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "almanac/day_info.h"
#include "calendar/calendar_texts.h"
#include "calendar/gregorian.h"
#include "calendar/lunar_calendar.h"
#include "reminders/reminder_occurrence.h"

inline std::string DateKey(int year, int month, int day) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

class FakeDays : public DayInfoSource {
public:
    DayInfo GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                       bool withReminders) override {
        ++queries;
        partialQueries += !(withAlmanac && withFestivals && withReminders);
        DayInfo info;
        info.solarDate = DateKey(year, month, day);
        requests.push_back(info.solarDate + (withAlmanac ? " A" : " -") + (withFestivals ? "F" : "-") +
                           (withReminders ? "R" : "-"));
        const LunarDate lunar = SolarToLunar(year, month, day);
        info.lunarDate = info.solarDate == unreadableLunarDate ? "2015-01" : DateKey(lunar.year, lunar.month, lunar.day);
        info.isLeap = lunar.isLeap;
        info.zodiac = ZodiacName(lunar.year);
        info.weekday = DayOfWeek(year, month, day);
        if (withAlmanac && solarTerms.count(info.solarDate)) info.SolarTerm = solarTerms[info.solarDate];
        if (withFestivals && festivals.count(info.solarDate)) info.festivals = festivals[info.solarDate];
        if (withReminders) {
            if (memos.count(info.solarDate)) info.reminders = memos[info.solarDate];
            for (const Reminder& r : reminders) {
                if (ReminderOccursOn(r, year, month, day, lunar)) info.reminders.push_back(r);
            }
        }
        return info;
    }

    ReminderList reminders;                         // shown on the days they occur
    std::map<std::string, ReminderList> memos;      // shown on that date as they are
    std::map<std::string, FestivalList> festivals;
    std::map<std::string, std::string> solarTerms;
    std::string unreadableLunarDate;  // "yyyy-mm-dd" whose lunar date does not parse
    std::vector<std::string> requests;  // "2013-02-10 AFR": the date and the parts asked for
    int queries = 0;
    int partialQueries = 0;  // asked without almanac, festivals or memos
};

inline FestivalRule Festival(const std::string& name, const std::string& suffix = "",
                             const std::string& showInForenotice = "1", const std::string& showReminderWindow = "1",
                             const std::string& soundFile = "") {
    FestivalRule rule;
    rule.name = name;
    rule.suffix = suffix;
    rule.showInForenotice = showInForenotice;
    rule.showReminderWindow = showReminderWindow;
    rule.soundFile = soundFile;
    return rule;
}
