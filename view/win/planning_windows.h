// The planning dialogs of the month window (查吉日, 拼假, 转到日期) and the
// marks they put on the month: the days found, the chosen leave plan.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "base/win/message_loop.h"
#include "days/day_info.h"
#include "holidays/holiday_schedule.h"
#include "planning/leave_plan.h"
#include "planning/win/good_day_dialog.h"
#include "planning/win/leave_plan_dialog.h"
#include "view/day_marks.h"

class PlanningWindows {
public:
    struct Host {
        std::function<Date()> today;
        // Shows the date's month, the day ringed when `ring`.
        std::function<void(const Date&, bool ring)> goTo;
        // The marks changed: the shown month is drawn again.
        std::function<void()> refresh;
        // The month shown now.
        std::function<YearMonth()> shown;
    };

    // The sources and the marks must outlive this object; the marks' days
    // are written here (their ring belongs to the window).
    PlanningWindows(DayInfoSource& days, const HolidaySchedule& schedule, DayMarks& marks, Host host);

    // The modeless dialogs over `owner`, or the open one brought forward;
    // a new search starts at `from`. Each shows the months of what it marks;
    // closed, it leaves the month shown when it opened.
    void OpenGoodDays(HWND owner, MessageLoop* loop, const Date& from);
    void OpenLeavePlanner(HWND owner, MessageLoop* loop, int year);
    // The modal date dialog; goes to the date chosen, ringed.
    void GoToDate(HWND owner, const Date& start);

private:
    void MarkGoodDays(const std::vector<Date>& days);
    void MarkPlan(const LeavePlan* plan);
    void Remark();

    DayMarks& marks_;
    Host host_;
    std::vector<Date> goodDays_;
    std::optional<LeavePlan> plan_;
    YearMonth beforeGoodDays_;
    YearMonth beforePlan_;
    GoodDayDialog goodDayDialog_;
    LeavePlanDialog leavePlanDialog_;
};
