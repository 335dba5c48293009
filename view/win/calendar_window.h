// The visible, skinned month window: a borderless layered pop-up owned by the
// shell window. Its picture comes from the month composition; this class adds
// the behaviour: placement, dragging with edge snapping, the year and month
// menus behind the template's hot spots, the day menu, the 黄历 page of a day
// (from the day menu or by double-clicking the day), the planning dialogs
// and their marks, the balloon and the cursor shapes.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "base/win/dialog_window.h"
#include "days/day_info.h"
#include "holidays/holiday_schedule.h"
#include "view/calendar_menus.h"
#include "view/month_navigation.h"
#include "view/month_options.h"
#include "view/month_view.h"
#include "view/win/balloon_tooltip.h"
#include "view/win/display_list_renderer.h"
#include "view/win/month_accessible.h"
#include "view/win/planning_windows.h"
#include "view/window_snap.h"

// Messages the day menu sends to the shell window: wParam holds the date by
// value (DayMessageDate), lParam is 0 for a Gregorian and 1 for a lunar date,
// 2 for a lunar date of its year's leap month (kLeapMonthDate).
// Nothing in them points anywhere, so a message another program posts with
// these numbers cannot make the shell read memory.
inline constexpr UINT kAddFestivalForDateMessage = 10992;
inline constexpr UINT kAddReminderForDateMessage = 10993;
inline constexpr LPARAM kGregorianDate = 0, kLunarDate = 1, kLeapMonthDate = 2;
// The day menu's memo commands: wParam the Gregorian date as above, lParam
// the memo's place among that day's memos; the shell finds it again in its
// own list, so these point nowhere either.
inline constexpr UINT kEditReminderOfDayMessage = 10994;
inline constexpr UINT kDeleteReminderOfDayMessage = 10995;

// year << 16 | month << 8 | day.
inline WPARAM DayMessageDate(int year, int month, int day) {
    return static_cast<WPARAM>((static_cast<unsigned>(year) & 0xFFFFu) << 16 |
                               (static_cast<unsigned>(month) & 0xFFu) << 8 | (static_cast<unsigned>(day) & 0xFFu));
}
// The date of such a wParam; false when it is no date (a month outside 1-12,
// a day outside 1-31, a year of 0, or bits beyond the date).
inline bool DateOfDayMessage(WPARAM value, SYSTEMTIME& date) {
    if ((static_cast<unsigned long long>(value) >> 32) != 0) return false;
    date = SYSTEMTIME{};
    date.wYear = static_cast<WORD>(value >> 16 & 0xFFFF);
    date.wMonth = static_cast<WORD>(value >> 8 & 0xFF);
    date.wDay = static_cast<WORD>(value & 0xFF);
    return date.wYear >= 1 && date.wMonth >= 1 && date.wMonth <= 12 && date.wDay >= 1 && date.wDay <= 31;
}

class CalendarWindow : public DialogWindow {
public:
    // The window draws what it is given: the program's day data and holiday
    // schedule, which must outlive it, and the options last set. It reads no
    // file of the program's own; the program keeps the data up to date and
    // rebuilds the month when it changed.
    CalendarWindow(DayInfoSource& days, const HolidaySchedule& offDays);

    // Creates the window hidden, owned by `shell`, and makes it layered. The
    // window starts `graphics` (which must outlive it) when it first draws
    // or asks something that needs GDI+.
    bool Create(HWND shell, MessageLoop& loop, GdiplusSession& graphics);
    // After the owner put the window where it was last (`stored`) or found no
    // place for it: one without is centred at its first picture.
    void Placed(bool stored);

    // The options the month is drawn with from the next rebuild on.
    void SetOptions(const MonthOptions& options) { options_ = options; }
    const MonthOptions& options() const { return monthView_.options(); }

    // Shows the given month and redraws everything.
    void Rebuild(const YearMonth& month);
    // The balloon over the days, from now on at every rebuild. It is a common
    // control, which the program loads only after the month's first picture.
    void StartBalloon();
    const YearMonth& month() const { return monthView_.month(); }
    const MonthView& monthView() const { return monthView_; }
    // Puts the last picture on the screen again, without rebuilding it.
    void Redraw();
    // What an earlier start drew of its first month (view/kept_drawing.h),
    // laid from now on instead of drawn where it fits.
    void KeepEarlierDrawing(KeptDrawing drawing);
    // Whether so much was drawn rather than laid from what was kept that the
    // drawing is worth keeping again: the background, more than a few texts,
    // or any text drawn ahead. A day's first start drew two or three (today's
    // number moved, a new line in the list), each a fraction of a
    // millisecond, but each one makes that start load GDI+ before its first
    // picture (9-16 ms under Wine): the file (1-3 MB) is worth writing once a
    // day with the next day's texts drawn ahead.
    bool DrewMuchAnew() const { return textPictures_.drawn() > 4 || backgrounds_.drawn() > 0 || drewAhead_; }
    // Draws now the pictures of the texts the window will show on `day` (the
    // next day: the list's days to come, today's number) that it has not
    // drawn, so that the kept drawing holds them: that day's first start,
    // the start of most days, then needs nothing drawn before its first
    // picture. Days beyond the calendar's last year are not drawn.
    void DrawAhead(const Date& day);
    // The month shown as drawn: its background and its texts' pictures, with
    // those drawn ahead.
    KeptDrawingRefs ShownDrawing() const;
    // Whether a font family a template names is installed, for the month's
    // templates and the tray's: each answer is kept, with the drawing too,
    // as the first question is a look through every font, until fonts are
    // installed or removed.
    FontFamilyQuery FontFamilies() {
        return [this](const std::string& family) { return FontFamilyInstalled(family); };
    }
    // Fonts were installed or removed (WM_FONTCHANGE): the families are asked
    // again and the texts drawn again, from the next rebuild on.
    void FontsChanged();
    // Shows the month of the date, the day ringed when `ring` (until another
    // month is shown).
    void GoTo(const Date& date, bool ring);

    // The planning dialogs, over this window: 查吉日 from `from`, 拼假 of the
    // year whose holidays are ahead of `from`, 转到日期 starting at a date.
    void OpenGoodDays(const Date& from);
    void OpenLeavePlanner(const Date& from);
    void OpenGoToDate(const Date& start);

    void Show() { ShowWindow(hwnd(), SW_SHOWNOACTIVATE); }
    // Shown and given the keyboard, as the tray menu's 显示窗口 does, so
    // that the keys move through the month at once.
    void ShowAndFocus();
    void Hide() { ShowWindow(hwnd(), SW_HIDE); }
    // Whether a point of the screen lies on the window.
    bool Contains(POINT screen) const {
        RECT r{};
        return GetWindowRect(hwnd(), &r) && PtInRect(&r, screen);
    }
    // Today's month, the ring kept on today while the keyboard is in use.
    void GoToToday();

    // "2" lets clicks fall through to the desktop, "1" takes them again; any
    // other value leaves the window as it is.
    void ApplyWindowStyle(WindowStyle style);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnDestroy();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnLeftButtonDown(POINT client);
    void OnMouseMove(bool leftButtonDown);
    void OnLeftButtonUp();
    void OnRightButtonDown(POINT client);
    // On a day cell: that day's 黄历 page.
    void OnLeftDoubleClick(POINT client);
    bool OnSetCursor();

    // The year or month menu of a hot spot; true when the point was on one.
    bool HandleHotSpot(POINT client);
    void OnKeyDown(WPARAM key);
    // One message of a wheel: a month a notch, a year with Ctrl.
    void OnMouseWheel(int delta, bool control);
    // The ring on a day of the shown month or another, the month following it.
    void MoveRing(const Date& date);
    // The day menu or the 黄历 page of the ringed day, from the keyboard.
    void ShowDayMenuAtRing();
    // What a screen reader is told: the month, its buttons and days.
    AccessibleMonthView DescribeForReaders() const;
    void AnnounceRing();
    // The menu of the day at a client point, opened at the cursor or at
    // `menuAt` (screen).
    void ShowDayMenu(POINT client, const POINT* menuAt = nullptr);
    void BeginDrag(POINT client);
    std::vector<Rect> OtherVisibleWindows() const;
    HotSpots NavigationSpots() const;
    // Puts the month's picture on the screen; the window takes the picture's
    // size and stays on the work area (centred the first time when it has no
    // stored place).
    void Present();
    // Puts the picture on the window, now at `current`.
    void PresentAt(const RECT& current, const LayeredSurface& picture);
    // The balloon emptied for the month shown and given its days' regions.
    void ResetBalloon();

    MessageLoop* loop_ = nullptr;
    GdiplusSession* graphics_ = nullptr;
    size_t textsAhead_ = 0;   // in the list last drawn ahead
    bool drewAhead_ = false;  // a picture the kept drawing lacked
    const HolidaySchedule& offDays_;
    MonthOptions options_;
    DayMarks marks_;  // what the planning dialogs mark, drawn by the view
    bool FontFamilyInstalled(const std::string& family);
    std::map<std::string, bool> fontFamilies_;  // see FontFamilies
    MonthView monthView_;
    PlanningWindows planning_;
    TextPictures textPictures_;       // kept from one rebuild to the next
    BackgroundPictures backgrounds_;  // likewise
    BalloonTooltip balloon_;
    bool balloonStarted_ = false;

    // False until the window has a place: a stored one, or the centre of the
    // work area once it has its first picture.
    bool hasOwnPlace_ = false;
    bool dragging_ = false;
    Point grab_;
    // A press on the header's year or month, which goes to today when it is
    // released without dragging the window.
    bool pressedOnHeader_ = false;
    POINT pressedAt_{};  // on the screen
    WheelAccumulator wheel_;
    AccessibleMonth accessible_;
    SnapLines snapLines_;
    int dpi_ = 96;  // of the monitor the window is on

    HCURSOR handCursor_ = nullptr;  // shared system cursors: never destroyed
    HCURSOR helpCursor_ = nullptr;
};
