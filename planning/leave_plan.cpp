#include "planning/leave_plan.h"

#include <algorithm>
#include <cstdio>

#include "calendar/lunar_calendar.h"
#include "holidays/holiday_schedule_texts.h"

namespace {

// How far before and after a holiday a run may reach: five days of leave
// and the weekends between them never reach further.
constexpr int kReach = 21;

bool IsWorkingDay(const Date& date, const HolidaySchedule& schedule) {
    if (const OffDay* listed = schedule.Find(date)) return listed->kind == OffDayKind::kWork;
    return date.weekday() <= 5;
}

// The longest runs for each number of leave days, every run that ends on
// both sides at a working day not taken.
std::vector<LeavePlan> PlansAround(const HolidayPeriod& holiday, const HolidaySchedule& schedule, int maxLeave) {
    std::vector<std::vector<LeavePlan>> best(maxLeave + 1);
    for (Date first = holiday.first - kReach; first <= holiday.first; first += 1) {
        if (!IsWorkingDay(first - 1, schedule)) continue;
        std::vector<Date> leave;
        for (Date day = first; day < holiday.first; day += 1) {
            if (IsWorkingDay(day, schedule)) leave.push_back(day);
        }
        for (Date day = holiday.first; day <= holiday.last; day += 1) {
            if (IsWorkingDay(day, schedule)) leave.push_back(day);
        }
        for (Date last = holiday.last; last <= holiday.last + kReach; last += 1) {
            if (last > holiday.last && IsWorkingDay(last, schedule)) leave.push_back(last);
            if (static_cast<int>(leave.size()) > maxLeave) break;
            if (leave.empty() || !IsWorkingDay(last + 1, schedule)) continue;
            std::vector<LeavePlan>& same = best[leave.size()];
            const LeavePlan plan{first, last, leave};
            if (!same.empty() && same.front().daysOff() > plan.daysOff()) continue;
            if (!same.empty() && same.front().daysOff() < plan.daysOff()) same.clear();
            same.push_back(plan);
        }
    }
    std::vector<LeavePlan> plans;
    for (const std::vector<LeavePlan>& same : best) plans.insert(plans.end(), same.begin(), same.end());
    std::sort(plans.begin(), plans.end(), [](const LeavePlan& a, const LeavePlan& b) {
        const int left = a.daysOff() * b.leave(), right = b.daysOff() * a.leave();
        if (left != right) return left > right;
        if (a.leave() != b.leave()) return a.leave() < b.leave();
        return a.first < b.first;
    });
    return plans;
}

std::string DayText(const Date& date, int year) {
    char text[32];
    if (date.year() == year) {
        std::snprintf(text, sizeof text, "%d月%d日", date.month(), date.day());
    } else {
        std::snprintf(text, sizeof text, "%d年%d月%d日", date.year(), date.month(), date.day());
    }
    return text;
}

// "9月28日至30日", "9月25日至10月7日", "9月24日".
std::string RangeText(const Date& first, const Date& last, int year) {
    if (first == last) return DayText(first, year);
    if (first.year() == last.year() && first.month() == last.month()) {
        char day[16];
        std::snprintf(day, sizeof day, "%d日", last.day());
        return DayText(first, year) + "至" + day;
    }
    return DayText(first, year) + "至" + DayText(last, year);
}

std::string Count(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%d天", number);
    return text;
}

}  // namespace

YearMonth MonthToShow(const LeavePlan& plan) {
    YearMonth best = YearMonth::Of(plan.first);
    int most = 0;
    for (const Date& day : plan.leaveDays) {
        const YearMonth month = YearMonth::Of(day);
        const int count = static_cast<int>(std::count_if(plan.leaveDays.begin(), plan.leaveDays.end(),
                                                         [&](const Date& other) { return month.Holds(other); }));
        if (count > most) {
            most = count;
            best = month;
        }
    }
    return best;
}

LeavePlanYear PlanLeave(const HolidaySchedule& schedule, int year, int maxLeave) {
    maxLeave = std::clamp(maxLeave, 1, kMaxLeaveDays);
    LeavePlanYear result;
    result.year = year;
    const std::vector<int> covered = schedule.CoveredYears();
    result.published = std::binary_search(covered.begin(), covered.end(), year);
    for (const HolidayPeriod& holiday : HolidayPeriods(schedule)) {
        // A year has either its notice's holidays or the law's alone.
        if (holiday.Year() != year || holiday.statutory == result.published) continue;
        result.holidays.push_back({holiday, PlansAround(holiday, schedule, maxLeave)});
    }
    result.fromStatutoryDays = !result.published && !result.holidays.empty();
    return result;
}

int YearToPlan(const HolidaySchedule& schedule, const Date& today) {
    bool anyThisYear = false;
    for (const HolidayPeriod& holiday : HolidayPeriods(schedule)) {
        if (holiday.Year() != today.year()) continue;
        if (holiday.last >= today) return today.year();
        anyThisYear = true;
    }
    return anyThisYear && today.year() < kLastLunarYear ? today.year() + 1 : today.year();
}

std::string LeavePlanText(const LeavePlan& plan, int year) {
    std::string leave;
    for (size_t i = 0; i < plan.leaveDays.size();) {
        size_t end = i + 1;
        while (end < plan.leaveDays.size() && plan.leaveDays[end] == plan.leaveDays[end - 1] + 1) ++end;
        if (!leave.empty()) leave += "、";
        leave += RangeText(plan.leaveDays[i], plan.leaveDays[end - 1], year);
        i = end;
    }
    return "请" + Count(plan.leave()) + "（" + leave + "）连休" + Count(plan.daysOff()) + "（" +
           RangeText(plan.first, plan.last, year) + "）";
}

std::string LeaveNotPublishedText(int year) {
    char text[96];
    std::snprintf(text, sizeof text, "%d年的放假安排尚未发布，无法拼假", year);
    return text;
}

std::string LeaveFromStatutoryDaysText(int year) {
    char text[160];
    std::snprintf(text, sizeof text, "%d年的放假安排尚未发布，以下按法定假日和周末推算，调休以国务院通知为准", year);
    return text;
}

std::string LeavePlanYearText(const LeavePlanYear& plans) {
    if (!plans.published && !plans.fromStatutoryDays) return LeaveNotPublishedText(plans.year) + "\n";
    std::string text = plans.fromStatutoryDays ? LeaveFromStatutoryDaysText(plans.year) + "\n" : "";
    for (const HolidayLeavePlans& holiday : plans.holidays) {
        text += HolidayPeriodText(holiday.holiday) + "\n";
        for (const LeavePlan& plan : holiday.plans) text += "  " + LeavePlanText(plan, plans.year) + "\n";
    }
    return text;
}
