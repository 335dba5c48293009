// Day information made up for the tests of its consumers: the calendar
// fields as the real source gives them, memos through the real occurrence
// test or placed by date, festivals and solar terms by date.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "calendar/calendar_texts.h"
#include "calendar/lunar_calendar.h"
#include "days/day_info.h"
#include "holidays/holiday_schedule.h"
#include "reminders/reminder_occurrence.h"
#include "tests/support/dates.h"
#include "tests/support/festival_samples.h"

// "YYYY-MM-DD", the key of the made-up parts.
inline std::string DateKey(int year, int month, int day) { return D(year, month, day).ToString(); }

class FakeDays : public DayInfoSource {
public:
    DayInfo GetDayInfo(const Date& date, DayParts parts) override {
        ++queries;
        partialQueries += !(parts.almanac && parts.festivals && parts.reminders);
        DayInfo info;
        info.date = date;
        const std::string key = date.ToString();
        requests.push_back(key + (parts.almanac ? " A" : " -") + (parts.festivals ? "F" : "-") +
                           (parts.reminders ? "R" : "-"));
        info.lunar = SolarToLunar(date);
        info.zodiac = ZodiacName(info.lunar.year);
        if (parts.almanac && solarTerms.count(key)) info.solarTerm = solarTerms[key];
        if (parts.almanac && yiJi.count(key)) std::tie(info.auspicious, info.inauspicious) = yiJi[key];
        if (parts.festivals && festivals.count(key)) info.festivals = festivals[key];
        if (parts.reminders) {
            if (remindersOn.count(key)) info.reminders = OccurringReminders::AllOf(remindersOn[key]);
            for (const Reminder& r : reminders) {
                if (ReminderOccursOn(r, date, info.lunar, IsWorkingDay(&offDays, date))) info.reminders.push_back(r);
            }
        }
        return info;
    }

    ReminderList reminders;                           // shown on the days they occur
    HolidaySchedule offDays;                          // the working days the reminders follow
    std::map<std::string, ReminderList> remindersOn;  // shown on that date as they are
    std::map<std::string, FestivalList> festivals;
    std::map<std::string, std::string> solarTerms;
    std::map<std::string, std::pair<std::string, std::string>> yiJi;  // the almanac's 宜 and 忌
    std::vector<std::string> requests;  // "2013-02-10 AFR": the date and the parts asked for
    int queries = 0;
    int partialQueries = 0;  // asked without almanac, festivals or memos
};

inline FestivalRule Festival(const std::string& name, const std::string& suffix = "",
                             const std::string& showInForenotice = "1", const std::string& showReminderWindow = "1",
                             const std::string& soundFile = "") {
    return FestivalSample("YL", "1-1")
        .Name(name)
        .Suffix(suffix)
        .ListedAhead(showInForenotice)
        .Announced(showReminderWindow)
        .Sound(soundFile);
}
