#include "holidays/holiday_notice_shape.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Every name the published notices have given a day (the shipped schedule's
// third column): the law's seven holidays, 中秋 and 国庆 joined when they
// run into each other, and the one-off commemoration of 2015.
const char* const kNoticeNames[] = {
    "元旦",   "春节",   "清明节",         "劳动节",         "端午节",
    "中秋节", "国庆节", "中秋节、国庆节", "国庆节、中秋节", "抗日战争暨世界反法西斯战争胜利70周年纪念日",
};

bool IsNoticeName(const std::string& name) {
    return std::find(std::begin(kNoticeNames), std::end(kNoticeNames), name) != std::end(kNoticeNames);
}

bool InRange(int value, int fewest, int most) { return value >= fewest && value <= most; }

}  // namespace

bool LooksLikeHolidayNotice(const HolidaySchedule& schedule, int year) {
    const std::vector<OffDay> days = schedule.Days();
    if (days.empty()) return false;
    for (const OffDay& day : days) {
        if (day.statutory || !IsNoticeName(day.name)) return false;
        if (day.kind == OffDayKind::kWork && day.date.weekday() < 6) return false;
    }
    const std::vector<HolidayPeriod> periods = HolidayPeriods(schedule);
    int daysOff = 0, workDays = 0;
    for (const HolidayPeriod& period : periods) {
        if (period.Year() != year || period.days > kMostDaysOffOfAHoliday) return false;
        if (static_cast<int>(period.workDays.size()) > kMostWorkDaysOfAHoliday) return false;
        daysOff += period.days;
        workDays += static_cast<int>(period.workDays.size());
    }
    // A make-up day that belongs to no holiday (too far from any of its
    // name) is counted by no period: the notice never has one.
    const long long workLines =
        std::count_if(days.begin(), days.end(), [](const OffDay& day) { return day.kind == OffDayKind::kWork; });
    if (workLines != workDays) return false;
    return InRange(daysOff, kFewestNoticeDaysOff, kMostNoticeDaysOff) &&
           InRange(workDays, kFewestNoticeWorkDays, kMostNoticeWorkDays) &&
           InRange(static_cast<int>(periods.size()), kFewestNoticeHolidays, kMostNoticeHolidays);
}
