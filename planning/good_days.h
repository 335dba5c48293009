// 吉日查询: the days of a stretch of months that the almanac notes 宜 for an
// activity, with the filters people ask for (黄道日 only, not a day that
// clashes with one's 生肖, days off only). Activities are named in everyday
// words (结婚, 入宅, 提车) and stand for the 宜 items of the almanac that mean
// them, or in the almanac's own; a day is
// never offered when its 忌 names any of them or is 诸事不宜.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "days/day_info.h"
#include "holidays/holiday_schedule.h"

struct GoodDayActivity {
    std::string name;                // GBK, as the user picks it: 嫁娶, 搬家 ...
    std::vector<std::string> items;  // the almanac's 宜 items that mean it
};

// The everyday words offered, in the order the list shows them.
const std::vector<GoodDayActivity>& GoodDayActivities();
// By its name: an everyday word, or one of the almanac's own activities
// (纳畜), which stands for itself; null for any other text.
const GoodDayActivity* FindGoodDayActivity(const std::string& name);
// "结婚 嫁娶 领证 ...", for a message about an unknown name.
std::string GoodDayActivityNames();

// The range asked for when none is given, and the longest one searched.
inline constexpr int kDefaultGoodDayMonths = 3;
inline constexpr int kMaxGoodDayMonths = 12;
// The date `months` calendar months after `date`, the day kept where the
// month has it and else its last day (1月31日 + 1 month is 2月28日 or 29日).
Date AddMonths(const Date& date, int months);
// The last day of the default range from `first`: three months less a day,
// or the last day of 2099.
Date DefaultGoodDayEnd(const Date& first);
// Why the range cannot be searched (GBK, for the dialog and the tool), or
// "" when it can: the end before the start, more than twelve months, or days
// outside 1901-2099.
std::string GoodDayRangeProblem(const Date& first, const Date& last);

// 鼠 ... 猪 as 0 ... 11 (子 ... 亥); nothing for any other text.
std::optional<int> ZodiacIndex(const std::string& name);
// The twelve names in that order.
std::vector<std::string> ZodiacNames();

struct GoodDayQuery {
    const GoodDayActivity* activity = nullptr;
    Date first;
    Date last;
    std::optional<int> notClashing;  // leave out days that 冲 this 生肖 (ZodiacIndex)
    bool daysOffOnly = false;        // 休 days of the schedule and weekends that are not 班
    bool yellowPathOnly = false;     // 黄道日 only
};

struct GoodDay {
    Date date;
    LunarDate lunar;
    std::string dutyGod;  // 值神: 青龙 ...
    bool yellowPath = false;
    std::string clash;                 // 冲牛(辛丑)
    std::vector<std::string> matched;  // the day's 宜 items that mean the activity, in the almanac's order
    bool dayOff = false;               // a 休 day or a weekend that is not 班
};

struct GoodDaySearch {
    std::vector<GoodDay> days;
    // Days of the range whose almanac could not be read (no database, or
    // a date it lacks): nothing can be said about them.
    int daysWithoutAlmanac = 0;
};

// `offDays` (may be null) tells 休 and 班 days for the days-off filter; the
// range must have passed GoodDayRangeProblem.
GoodDaySearch FindGoodDays(const GoodDayQuery& query, DayInfoSource& days, const HolidaySchedule* offDays);

// One day as the list and the tool show it, columns apart:
// "2026-12-12  十一月初三  星期六  青龙（黄道）  冲马(甲午)  宜：嫁娶 纳采问名".
std::vector<std::string> GoodDayColumns(const GoodDay& day);
std::string GoodDayLine(const GoodDay& day);
