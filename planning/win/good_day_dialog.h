// 查吉日: a modeless dialog over the month window. The user picks an activity,
// a range and the filters; the days found are listed with 阳历, 旧历, 星期,
// 值神, 冲 and the matching 宜, and handed to the month window to be marked
// until the dialog closes or the marks are cleared. Selecting a day shows its
// month; a double click (or Enter, or 查看黄历...) opens its 黄历 page.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "calendar/date.h"
#include "days/day_info.h"
#include "holidays/holiday_schedule.h"
#include "planning/good_days.h"

class GoodDayDialog : public DialogWindow {
public:
    struct Hooks {
        // The days to mark; none: take the marks away.
        std::function<void(const std::vector<Date>&)> mark;
        // A day the user selected: its month, the day ringed.
        std::function<void(const Date&)> show;
        // The day's 黄历 page, modal over `owner`.
        std::function<void(HWND owner, const Date&)> openPage;
        // The user closed the dialog.
        std::function<void()> closed;
    };

    // The sources must outlive the dialog.
    GoodDayDialog(DayInfoSource& days, const HolidaySchedule& schedule, Hooks hooks);

    // Creates the dialog over `owner`, its range from `from` for three
    // months, or brings it forward as it is when it is open.
    void Open(HWND owner, MessageLoop* loop, const Date& from);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NMHDR& header);
    void Search();
    void ClearMarks();
    void OpenSelectedPage();
    const GoodDay* SelectedDay() const;

    DayInfoSource& days_;
    const HolidaySchedule& schedule_;
    Hooks hooks_;
    Date from_;
    std::vector<GoodDay> found_;
};
