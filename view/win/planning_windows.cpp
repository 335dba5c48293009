#include "view/win/planning_windows.h"

#include <utility>

#include "planning/win/go_to_date_dialog.h"
#include "view/win/almanac_page_dialog.h"

PlanningWindows::PlanningWindows(DayInfoSource& days, const HolidaySchedule& schedule, DayMarks& marks, Host host)
    : marks_(marks),
      host_(std::move(host)),
      goodDayDialog_(days, schedule,
                     GoodDayDialog::Hooks{[this](const std::vector<Date>& found) { MarkGoodDays(found); },
                                          [this](const Date& date) { host_.goTo(date, true); },
                                          [](HWND owner, const Date& date) { ShowAlmanacPage(owner, date); },
                                          [this] { host_.goTo(beforeGoodDays_.FirstDay(), false); }}),
      leavePlanDialog_(schedule, LeavePlanDialog::Hooks{host_.today, [this](const LeavePlan* plan) { MarkPlan(plan); },
                                                        [this] { host_.goTo(beforePlan_.FirstDay(), false); }}) {}

void PlanningWindows::OpenGoodDays(HWND owner, MessageLoop* loop, const Date& from) {
    if (!goodDayDialog_.hwnd()) beforeGoodDays_ = host_.shown();
    goodDayDialog_.Open(owner, loop, from);
}

void PlanningWindows::OpenLeavePlanner(HWND owner, MessageLoop* loop, int year) {
    if (!leavePlanDialog_.hwnd()) beforePlan_ = host_.shown();
    leavePlanDialog_.Open(owner, loop, year);
}

void PlanningWindows::GoToDate(HWND owner, const Date& start) {
    if (const std::optional<Date> date = RunGoToDateDialog(owner, start, host_.today())) host_.goTo(*date, true);
}

void PlanningWindows::MarkGoodDays(const std::vector<Date>& days) {
    goodDays_ = days;
    Remark();
    host_.refresh();
}

void PlanningWindows::MarkPlan(const LeavePlan* plan) {
    if (plan) {
        plan_ = *plan;
    } else {
        plan_.reset();
    }
    Remark();
    if (plan) {
        host_.goTo(MonthToShow(*plan).FirstDay(), false);
    } else {
        host_.refresh();
    }
}

void PlanningWindows::Remark() {
    marks_.days.clear();
    for (const Date& day : goodDays_) marks_.days[day] = DayMark::kGoodDay;
    // The plan over the good days: it is what the user is looking at now.
    if (plan_) {
        for (const Date day : DateRange(plan_->first, plan_->last)) marks_.days[day] = DayMark::kPlanDayOff;
        for (const Date& day : plan_->leaveDays) marks_.days[day] = DayMark::kLeaveDay;
    }
}
