// 拼假: a modeless dialog over the month window. For the chosen year and the
// most days of leave, it lists every holiday's best runs of days off; the
// selected plan is drawn on the month (its days of leave marked apart from
// the 休 days) until another is chosen, the marks are cleared or the dialog
// closes. A year whose schedule is not out yet is planned from the holiday
// law's days and the weekends, and says so.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "holidays/holiday_schedule.h"
#include "planning/leave_plan.h"

class LeavePlanDialog : public DialogWindow {
public:
    struct Hooks {
        std::function<Date()> today;
        // The plan to draw; null: take it off the month.
        std::function<void(const LeavePlan*)> mark;
        // The user closed the dialog.
        std::function<void()> closed;
    };

    // The schedule must outlive the dialog; it is read again at each choice,
    // so a year the update check merged meanwhile is planned too.
    LeavePlanDialog(const HolidaySchedule& schedule, Hooks hooks);

    // Creates the dialog over `owner` for the year, or brings it forward.
    void Open(HWND owner, MessageLoop* loop, int year);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void FillYears();
    void Plan();
    void OnRowSelected(int row);

    const HolidaySchedule& schedule_;
    Hooks hooks_;
    int year_ = 0;
    LeavePlanYear plans_;
    std::vector<const LeavePlan*> rows_;  // into plans_
};
