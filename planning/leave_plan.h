// 拼假: how to join a holiday of the schedule with the weekends around it by taking a
// few days of leave. Working days are the weekdays the schedule does not make
// 休 and the make-up days it makes 班 (a 班 Saturday needs leave like a
// Monday); days off are the 休 days and the weekends that are not 班. A plan
// is a run of consecutive days off that holds the whole holiday, as long as
// its leave days can make it: it ends where a working day is not taken.
#pragma once

#include <string>
#include <vector>

#include "calendar/date.h"
#include "holidays/holiday_schedule.h"

inline constexpr int kMaxLeaveDays = 5;

struct LeavePlan {
    Date first;  // the first and last day of the whole run off
    Date last;
    std::vector<Date> leaveDays;  // ascending

    int leave() const { return static_cast<int>(leaveDays.size()); }
    int daysOff() const { return static_cast<int>(last - first) + 1; }
    // The run contains the date: a leave day or a day off of the plan.
    bool Holds(const Date& date) const { return date >= first && date <= last; }
};

// The month a plan is best seen in: the one holding most of its days of
// leave, the earlier of two with as many.
YearMonth MonthToShow(const LeavePlan& plan);

struct HolidayLeavePlans {
    HolidayPeriod holiday;
    // For each number of leave days 1 ... the maximum, the longest runs it can
    // make (all of them when several are as long), ordered by days off per
    // day of leave, then by fewer days of leave, then by date.
    std::vector<LeavePlan> plans;
};

struct LeavePlanYear {
    int year = 0;
    // False when the schedule holds no notice for the year: it is not out yet.
    bool published = false;
    // Unpublished, but the holiday law's own days are known (a schedule with
    // them added, holidays/statutory_holidays.h): the plans are made from
    // them and the weekends, and may change when the notice moves days.
    bool fromStatutoryDays = false;
    std::vector<HolidayLeavePlans> holidays;  // the year's holidays in date order
};

// maxLeave is taken within 1 ... kMaxLeaveDays.
LeavePlanYear PlanLeave(const HolidaySchedule& schedule, int year, int maxLeave = kMaxLeaveDays);

// The year a planner opens on: today's, unless all of its holidays are over
// (in December), then the next one, whose holidays are all ahead.
int YearToPlan(const HolidaySchedule& schedule, const Date& today);

// "请3天（9月28日至30日）连休13天（9月25日至10月7日）"; dates of another year
// than `year` carry their year, runs of leave are joined by 、.
std::string LeavePlanText(const LeavePlan& plan, int year);
// "2027年的放假安排尚未发布，无法拼假".
std::string LeaveNotPublishedText(int year);
// For plans made from the law's days: "2027年的放假安排尚未发布，以下按法定假日
// 和周末推算，调休以国务院通知为准".
std::string LeaveFromStatutoryDaysText(int year);
// The whole year as the tool prints it: under each holiday's line
// (HolidayPeriodText) its plans, indented.
std::string LeavePlanYearText(const LeavePlanYear& plans);
