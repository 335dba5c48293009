// The hidden main window: owner of the tray icon, the timers, the tray menu
// and the month window. It lives from start-up to exit.
#pragma once

#include <windows.h>

#include <string>

#include "app/clock_watch.h"
#include "app/app_settings.h"
#include "base/win/dialog_window.h"
#include "base/win/message_loop.h"
#include "base/win/scoped_win.h"
#include "app/win/update_check_thread.h"
#include "festivals/festival_manager_rows.h"
#include "reminders/notice_board.h"
#include "reminders/notices.h"
#include "view/win/calendar_window.h"
#include "view/win/tray_icon.h"

class ShellWindow : public DialogWindow {
public:
    // reportStartup: write to the standard error stream how long the first
    // picture of the month took from the start of the process (--timing).
    ShellWindow(MessageLoop& loop, std::string settingsFile, std::string moduleFolder, bool reportStartup = false);

    // Creates the window (hidden); its initialisation brings up the tray icon,
    // the month window and the timers. False when the dialog cannot be made.
    bool Create();

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    enum Timer : UINT_PTR { kClockTimer = 1, kDailyNoticeTimer = 2, kRedrawTimer = 3, kTrayRetryTimer = 999 };
    // Posted to itself: the message about a damaged template comes once the
    // month window is up and the start-up is done.
    static constexpr UINT kDamagedSkinMessage = WM_APP + 22;
    static constexpr UINT kDamagedSettingsMessage = WM_APP + 23;
    static constexpr UINT kDamagedTrayMessage = WM_APP + 24;
    // A damage message that found another box up waits under a timer whose
    // id is the message itself (clear of the timers above).
    static constexpr UINT kToldLaterDelay = 500;

    void OnInitDialog();
    void OnTimer(UINT_PTR id);
    // Compares the clock with what was seen last, acts on a new date or
    // minute and sets the clock timer to the next minute boundary.
    void OnClockTick();
    void OnTrayNotify(LPARAM event);
    void OnAddFestivalForDate(const SYSTEMTIME* date, bool lunar);
    void OnAddReminderForDate(const SYSTEMTIME* date, bool lunar);
    void OnDestroy();
    void OnTaskbarCreated();

    void AddTrayIcon();
    void DrawTrayIcon();
    void ApplySettings();
    // The settings dialog, and after OK everything it changed applied at once.
    void OpenSettings();
    // After a rebuild: a damaged template is told about once for each choice
    // of template, not at every rebuild.
    void TellOfDamagedSkin();
    void OnDamagedSkin();
    void OnDamagedSettings();
    void OnDamagedTray();
    // A message the user reads before going on; the tray icon brings it forward.
    void Warn(const std::string& text);
    // Draws the month window again once a closed dialog's window is really
    // gone from the screen.
    void RedrawSoon();
    void ShowTrayMenu();
    // One dialog at a time: while one is open, clicks that would open another
    // bring it forward instead.
    void BringOpenDialogForward();
    void RunCommand(int command);
    // The festival manager, modal; the month shows what it saved.
    void RunFestivalManager(const FestivalManagerPreset& preset);
    void Exit();

    // The memo alerts falling due in the minute of `now`, and the notice of
    // today's and tomorrow's festivals (shell_notices.cpp).
    void CheckReminderAlerts(const SystemTime& now);
    // The alerts due after `after` and before the minute of `now`, missed
    // while the computer slept or the clock jumped forward.
    void ShowMissedAlerts(const SystemTime& after, const SystemTime& now);
    void ShowDailyNotice();
    // Every notice goes through the board, so none replaces another unread.
    void ShowNotice(const Notice& notice);
    void OnNoticeHidden();

    MessageLoop& loop_;
    std::string settingsFile_;
    std::string moduleFolder_;
    AppSettings settings_;
    ClockWatch clock_;
    AlertSchedule alerts_;
    TrayIcon tray_;
    CalendarWindow calendar_;
    bool busy_ = false;  // a modal dialog from the tray menu is open
    std::string damagedSkinTold_;  // the template last said to be damaged
    std::string damagedTrayTold_;  // the tray template last said to be damaged
    SkinDamage trayDamage_ = SkinDamage::kNone;  // of the tray template drawn last
    bool reportStartup_ = false;
    UINT taskbarCreatedMessage_ = 0;
    ScopedIcon largeIcon_;
    ScopedIcon smallIcon_;
    UpdateCheck updateCheck_;
    NoticeBoard notices_;
};
