// The hidden main window: owner of the tray icon, the timers, the tray menu,
// the program's day data, its settings, the notice window and the month
// window. It keeps the data in step with the files (read again once a
// minute when another program changed them, and after a manager saved) and
// tells the month window what to show. It lives from start-up to exit.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "app/calendar_sync_job.h"
#include "app/clock_watch.h"
#include "app/win/calendar_sync_thread.h"
#include "app/win/update_check_thread.h"
#include "base/win/dialog_window.h"
#include "base/win/message_loop.h"
#include "base/win/scoped_win.h"
#include "days/day_data.h"
#include "export/win/ics_file_keeper.h"
#include "festivals/festival_manager_model.h"
#include "notices/alert_snooze.h"
#include "notices/notice_board.h"
#include "notices/notices.h"
#include "notices/win/notification_window.h"
#include "reminders/win/reminder_manager.h"
#include "view/win/calendar_window.h"
#include "view/win/tray_icon.h"

class ShellWindow : public DialogWindow {
public:
    // reportStartup: write to the standard error stream how long the first
    // picture of the month took from the start of the process (--timing).
    // `graphics`, which must outlive the window, is started once the month's
    // first picture is up, or before when that picture needs it.
    ShellWindow(MessageLoop& loop, GdiplusSession& graphics, std::filesystem::path settingsFile,
                std::filesystem::path moduleFolder, bool reportStartup = false);

    // Creates the window (hidden); its initialisation brings up the tray icon,
    // the month window and the timers. False when the dialog cannot be made.
    bool Create();

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    enum Timer : UINT_PTR {
        kClockTimer = 1,
        kDailyNoticeTimer = 2,
        kRedrawTimer = 3,
        kFileRetryTimer = 4,
        kCalendarSyncTimer = 5,
        kTrayRetryTimer = 999
    };
    // Posted to itself: the message about a damaged template comes once the
    // month window is up and the start-up is done.
    static constexpr UINT kDamagedSkinMessage = WM_APP + 22;
    static constexpr UINT kDamagedSettingsMessage = WM_APP + 23;
    static constexpr UINT kDamagedTrayMessage = WM_APP + 24;
    static constexpr UINT kWaitingFilesMessage = WM_APP + 25;
    static constexpr UINT kTooLargeFilesMessage = WM_APP + 26;
    static constexpr UINT kCalendarFileWrittenMessage = WM_APP + 29;
    static constexpr UINT kCalendarFileFailedMessage = WM_APP + 30;
    // A damage message that found another box up waits under a timer whose
    // id is the message itself (clear of the timers above).
    static constexpr UINT kToldLaterDelay = 500;

    void OnTimer(UINT_PTR id);
    // Compares the clock with what was seen last, acts on a new date or
    // minute and sets the clock timer to the next minute boundary.
    void OnClockTick();
    void OnTrayNotify(LPARAM event);
    // Windows' apps turned dark or light: the month and the tray follow
    // when FollowSystemDarkMode is on.
    void OnThemeChange();
    // The settings as the month and the tray show them (the night look on a
    // dark desktop), the stored ones untouched.
    AppSettings Shown(const AppSettings& settings) const;
    void OnAddFestivalForDate(const SYSTEMTIME* date, bool lunar, bool leapMonth);
    void OnAddReminderForDate(const SYSTEMTIME* date, bool lunar, bool leapMonth);
    // The day menu's 编辑备忘... and 删除备忘...: the memo at `place` among
    // those of the date.
    void OnReminderOfDay(const SYSTEMTIME& date, int place, bool remove);
    void OnDestroy();
    void OnTaskbarCreated();

    // The tray tip: the product name and today as the calendar reads it.
    std::wstring TrayTip() const;
    void AddTrayIcon();
    void DrawTrayIcon();
    // The month window shows `month` with the settings held and the
    // forenotice switches as the file has them now.
    void ShowMonth(const YearMonth& month);
    // Once a minute: the festival, memo and holiday files and the settings
    // file are read again when another program changed them, and the month
    // shows what they hold now.
    void RereadChangedFiles();
    // The settings dialog, and after OK everything it changed applied at once.
    void OpenSettings();
    // After a rebuild: a damaged template is told about once for each choice
    // of template, not at every rebuild.
    void TellOfDamagedSkin();
    void OnDamagedSkin();
    void OnDamagedSettings();
    void OnDamagedTray();
    // A message the user reads before going on; the tray icon brings it forward.
    void Warn(const std::string& gbkText);
    void Warn(const std::wstring& text);
    // Draws the month window again once a closed dialog's window is really
    // gone from the screen.
    void RedrawSoon();
    void ShowTrayMenu();
    // One dialog at a time: while one is open, clicks that would open another
    // bring it forward instead.
    void BringOpenDialogForward();
    void RunCommand(int command);
    // The festival manager, modal; the month shows what it saved.
    void OpenFestivalManager(const FestivalManagerRequest& request);
    // The memo manager, modal; the month reads the memo file again after it
    // saved, or whatever its result when `reloadAnyway`.
    void OpenReminderManager(const ReminderManagerRequest& request, bool reloadAnyway);
    // Runs a modal dialog or message box with the busy flag set.
    template <typename Show>
    void WhileBusy(Show show);
    void Exit();

    // The calendar sync (shell_sync.cpp): with the saved account, or with
    // the one the 同步 page shows (立即同步); nothing without a server. It
    // runs at start (after the month's first picture), after every save of
    // the managers, every 30 minutes and when the network comes back.
    void StartCalendarSync();
    void StartCalendarSync(const SyncRequest& request);
    void OnCalendarSyncDone();
    // The conflicts the last sync left, in their dialog over `owner`; after
    // a choice the memo file, when it changed, is shown as after a save in
    // the manager, and a sync sends what the files now say.
    void OpenSyncConflicts(HWND owner);
    // Once a minute: a try that failed is made again as soon as Windows
    // reports the network back.
    void SyncWhenOnlineAgain();

    // The memo alerts falling due in the minute of `now`, and the notice of
    // today's and tomorrow's festivals (shell_notices.cpp).
    void CheckReminderAlerts(const SystemTime& now);
    // The alerts due after `after` and before the minute of `now`, missed
    // while the computer slept or the clock jumped forward.
    void ShowMissedAlerts(const SystemTime& after, const SystemTime& now);
    void ShowDailyNotice();
    // At start-up: the alerts due since the last run, and those of this
    // minute; held back while the memo file cannot be read yet.
    void StartAlerts(const AlertCheck& atStart, const SystemTime& now);
    // The last minute checked goes to the state file with the alerts put
    // off, unless alerts are held back (the next run must then still show
    // them: the minute in the file stays).
    void RememberAlertsChecked();
    // 稍后提醒: the alerts the window shows come again after `length`.
    void OnSnooze(SnoozeLength length);
    // The alerts put off until the minute of `now` or before it.
    void ShowSnoozedAlerts(const SystemTime& now);
    // Reading a festival or memo file that could not be read, again and again
    // until it can; the user is told once when it waits at start-up.
    void RetryWaitingFilesLater();
    void OnFileRetry();
    void OnWaitingFiles();
    // A file found beyond its limit at a read is named once, and again only
    // when a later read found it within the limit in between.
    void TellOfTooLargeFiles();
    void OnTooLargeFiles();
    // 保持更新 (shell_calendar_file.cpp): the calendar file written anew after
    // each save of festivals or memos and at a new year; a failure is told
    // once until a write succeeds again.
    void StartCalendarFile();
    void KeepCalendarFileCurrent();
    void OnNewYearForCalendarFile(const SystemTime& now);
    void OpenExportDialog();
    void OnCalendarFileWritten();
    void OnCalendarFileFailed();
    // Every notice goes through the board, so none replaces another unread.
    void ShowNotice(const Notice& notice);
    void OnNoticeHidden();

    MessageLoop& loop_;
    GdiplusSession& graphics_;
    std::filesystem::path settingsFile_;
    std::filesystem::path moduleFolder_;
    AppSettings settings_;
    std::optional<FileStamp> settingsStamp_;  // of the settings file when last shown
    ClockWatch clock_;
    AlertSchedule alerts_;
    TrayIcon tray_;
    DayData days_;  // declared before the month window, which draws it
    NotificationWindow notification_;
    CalendarWindow calendar_;
    bool busy_ = false;      // a modal dialog from the tray menu is open
    bool appsDark_ = false;  // Windows' apps use the dark theme
    // The left button's release that ends a double click on the tray icon,
    // which must not hide the window the double click showed.
    bool ignoreTrayRelease_ = false;
    std::string damagedSkinTold_;                // the template last said to be damaged
    std::string damagedTrayTold_;                // the tray template last said to be damaged
    SkinDamage trayDamage_ = SkinDamage::kNone;  // of the tray template drawn last
    bool reportStartup_ = false;
    UINT taskbarCreatedMessage_ = 0;
    ScopedIcon largeIcon_;
    ScopedIcon smallIcon_;
    UpdateCheck updateCheck_;
    NoticeBoard notices_;
    // While the memo file waits to be read: the alerts due after this minute
    // are shown, as missed, once it is read.
    std::optional<SystemTime> alertsHeldAfter_;
    std::optional<SystemTime> checkedInFile_;                   // the last minute checked as the state file has it
    std::vector<SnoozedAlert> snoozed_;                         // put off with 稍后提醒, kept in the state file
    int fileFailures_ = 0;                                      // failed reads of a waiting file in a row
    bool waitingSinceStart_ = false;                            // a file could not be read at start-up
    bool toldOfWaitingFiles_ = false;                           // the user was told (once a run)
    DayData::TooLarge toldTooLarge_;                            // the files last named as too large
    std::unique_ptr<IcsFileKeeper> calendarFile_;               // 保持更新's writes
    int calendarFileYear_ = 0;                                  // the year of the last write asked for
    bool toldOfCalendarFile_ = false;                           // a failed write was told of
    std::optional<IcsFileKeeper::Result> calendarFileFailure_;  // to be told of
    CalendarSyncThread calendarSync_;
    SyncStatus syncStatus_;
    bool online_ = true;  // as Windows reported it at the last look
};
