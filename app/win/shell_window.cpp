#include "app/win/shell_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>
#include <utility>

#include "app/alert_state.h"
#include "app/tray_menu.h"
#include "app/win/about_box.h"
#include "app/win/file_retry_pace.h"
#include "app/win/settings_dialog.h"
#include "app/win/single_instance.h"
#include "app/win/system_theme.h"
#include "app/win/web_pages.h"
#include "base/data_paths.h"
#include "base/win/dialog_kit.h"
#include "base/win/gbk_text.h"
#include "base/win/popup_menu.h"
#include "base/win/version_info.h"
#include "base/win/window_rect_store.h"
#include "calendar/lunar_calendar.h"
#include "calendar/win/system_time.h"
#include "export/win/export_dialog.h"
#include "festivals/win/festival_manager.h"
#include "reminders/win/reminder_manager.h"
#include "resources/resource_ids.h"
#include "view/calendar_menus.h"
#include "view/kept_drawing.h"
#include "view/tray_tip.h"
#include "view/win/kept_drawing_stamp.h"

namespace {

constexpr UINT kDailyNoticeDelay = 15000;             // ms after start-up
constexpr UINT kTrayRetryPeriod = 2000;               // ms
constexpr UINT kFirstCalendarSyncDelay = 5000;        // ms after start-up
constexpr UINT kCalendarSyncPeriod = 30 * 60 * 1000;  // ms

// Milliseconds since the process was created, by the system clock.
double MillisecondsSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(now) - ticks(created)) / 10000.0;
}

// Milliseconds of CPU time (user and kernel) the process has used so far.
double ProcessCpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

// The first month's CPU time is what its drawing costs the user's machine;
// its wall time also counts whatever else the machine was doing.
void ReportStartup(double shellReady, double monthWindowReady, double firstPicture, double firstMonthCpu) {
    char line[240];
    const int length = std::snprintf(line, sizeof line,
                                     "start-up: first picture %.1f ms after the process started "
                                     "(shell window %.1f ms, month window with its data %.1f ms, first month %.1f ms, "
                                     "of which CPU %.1f ms)\n",
                                     firstPicture, shellReady, monthWindowReady - shellReady,
                                     firstPicture - monthWindowReady, firstMonthCpu);
    DWORD written = 0;
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error && error != INVALID_HANDLE_VALUE && length > 0) {
        WriteFile(error, line, static_cast<DWORD>(length), &written, nullptr);
    }
    OutputDebugStringA(line);
}

// How the almanac under the folder is read: mapped on a fixed disk, through
// the file where the disk may go away while the program runs (a portable
// copy on a USB stick, a network share), or where the system cannot say.
AlmanacReads AlmanacReadsIn(const std::filesystem::path& folder) {
    wchar_t volume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(folder.c_str(), volume, MAX_PATH + 1)) return AlmanacReads::kThroughFile;
    return GetDriveTypeW(volume) == DRIVE_FIXED ? AlmanacReads::kMapped : AlmanacReads::kThroughFile;
}

// The controls of the dialogs, the balloon and the notice window. Nothing
// before the month's first picture needs them, and loading them took about a
// sixth of the time to that picture.
void LoadCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_DATE_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES |
                                                       ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

HICON LoadApplicationIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, 0));
}

}  // namespace

ShellWindow::ShellWindow(MessageLoop& loop, GdiplusSession& graphics, std::filesystem::path settingsFile,
                         std::filesystem::path moduleFolder, bool reportStartup)
    : loop_(loop),
      graphics_(graphics),
      settingsFile_(std::move(settingsFile)),
      moduleFolder_(std::move(moduleFolder)),
      calendar_(days_, days_.offDays()),
      reportStartup_(reportStartup) {}

bool ShellWindow::Create() {
    if (!CreateModeless(IDD_SHELL_WINDOW, nullptr, &loop_)) return false;
    ShowWindow(hwnd(), SW_HIDE);
    return true;
}

bool ShellWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
        OnTaskbarCreated();
        return true;
    }
    switch (message) {
        case WM_TIMER:
            OnTimer(wParam);
            return true;
        case WM_TIMECHANGE:
            // The clock was set: the next minute boundary has moved, and the
            // date may have changed already.
            OnClockTick();
            return true;
        case WM_POWERBROADCAST:
            // Timers stand still during sleep: look at the clock at once, for
            // the new day, the alerts missed meanwhile and those of this minute.
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) OnClockTick();
            if (wParam == PBT_APMRESUMEAUTOMATIC) StartCalendarSync();
            result = TRUE;
            return true;
        case kTrayCallbackMessage:
            OnTrayNotify(lParam);
            return true;
        case kShowRunningCopyMessage:
            // A second start: what the user wants is this copy's window.
            if (busy_)
                BringOpenDialogForward();
            else
                calendar_.ShowAndFocus();
            result = 1;
            return true;
        case kAddFestivalForDateMessage:
        case kAddReminderForDateMessage: {
            SYSTEMTIME date;
            // Anything but a date by value (another program's message) is ignored.
            if (!DateOfDayMessage(wParam, date) || lParam < kGregorianDate || lParam > kLeapMonthDate) return true;
            if (busy_) {
                BringOpenDialogForward();
                return true;
            }
            if (message == kAddReminderForDateMessage) {
                OnAddReminderForDate(&date, lParam != kGregorianDate, lParam == kLeapMonthDate);
                return true;
            }
            OnAddFestivalForDate(&date, lParam != kGregorianDate, lParam == kLeapMonthDate);
            return true;
        }
        case kEditReminderOfDayMessage:
        case kDeleteReminderOfDayMessage: {
            SYSTEMTIME date;
            if (!DateOfDayMessage(wParam, date) || lParam < 0 || lParam >= kDayMenuReminders) return true;
            if (busy_) {
                BringOpenDialogForward();
                return true;
            }
            OnReminderOfDay(date, static_cast<int>(lParam), message == kDeleteReminderOfDayMessage);
            return true;
        }
        case WM_SETTINGCHANGE:
            if (IsThemeChange(lParam)) OnThemeChange();
            return false;
        case WM_FONTCHANGE:
            // A font installed or removed may be one a template names.
            calendar_.FontsChanged();
            ShowMonth(calendar_.month());
            DrawTrayIcon();
            return false;
        case WM_MOUSEWHEEL:
            // Where the wheel goes to the window with the keyboard (older
            // Windows, Wine), it still turns the month under the pointer.
            if (calendar_.IsVisible() && calendar_.Contains(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
                SendMessageW(calendar_.hwnd(), message, wParam, lParam);
            return true;
        case kCalendarSyncDoneMessage:
            OnCalendarSyncDone();
            return true;
        case kCalendarFileWrittenMessage:
            OnCalendarFileWritten();
            return true;
        case kHolidayScheduleMergedMessage:
            days_.ReloadOffDays();
            ShowMonth(calendar_.month());
            return true;
        case kDamagedSkinMessage:
        case kDamagedSettingsMessage:
        case kDamagedTrayMessage:
        case kWaitingFilesMessage:
        case kTooLargeFilesMessage:
        case kCalendarFileFailedMessage:
            // One message box at a time: while another is up (its loop
            // delivers this one), ask again a little later.
            if (busy_) {
                SetTimer(hwnd(), message, kToldLaterDelay, nullptr);
                return true;
            }
            if (message == kDamagedSkinMessage) OnDamagedSkin();
            if (message == kDamagedSettingsMessage) OnDamagedSettings();
            if (message == kDamagedTrayMessage) OnDamagedTray();
            if (message == kWaitingFilesMessage) OnWaitingFiles();
            if (message == kTooLargeFilesMessage) OnTooLargeFiles();
            if (message == kCalendarFileFailedMessage) OnCalendarFileFailed();
            return true;
        case WM_QUERYENDSESSION:
            // A manager or editor with unsaved changes answers for itself
            // (Windows asks every top-level window).
            result = TRUE;
            return true;
        case WM_ENDSESSION:
            // Only when the session really ends: save and quit like the
            // tray's 退出, before the session takes the process away. A log-off
            // cancelled by another program leaves everything running.
            if (wParam) Exit();
            return true;
        case WM_CLOSE:
            return true;  // only 退出 ends the program
        case WM_DESTROY:
            OnDestroy();
            return true;
        default:
            return false;
    }
}

bool ShellWindow::OnInitDialog() {
    const double shellReady = reportStartup_ ? MillisecondsSinceProcessStart() : 0;
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    SetPropW(hwnd(), kRunningCopyProperty, reinterpret_cast<HANDLE>(1));

    const SystemTime now = LocalNow();
    clock_.Reset(now);
    const AlertState stored = ReadAlertState(AlertStateFilePath(moduleFolder_));
    checkedInFile_ = stored.lastChecked;
    snoozed_ = stored.snoozed;
    const AlertCheck alertsAtStart = alerts_.Start(now, stored.lastChecked);
    settings_ = LoadAppSettings(settingsFile_);
    appsDark_ = AppsUseDarkTheme();
    if (IsSettingsFileDamaged(settingsFile_)) PostMessageW(hwnd(), kDamagedSettingsMessage, 0, 0);

    days_.LoadFolder(moduleFolder_, AlmanacReadsIn(moduleFolder_));
    std::string drawingStamp;  // what the month's kept pictures depend on
    const bool monthWindow = calendar_.Create(hwnd(), loop_, graphics_);
    if (monthWindow) {
        calendar_.Placed(RestorePlacement(calendar_.hwnd(), kMonthWindowNumber, settingsFile_));
        calendar_.Show();
        const double monthWindowReady = reportStartup_ ? MillisecondsSinceProcessStart() : 0;
        const double cpuBeforeMonth = reportStartup_ ? ProcessCpuMilliseconds() : 0;
        drawingStamp = KeptDrawingStamp();
        calendar_.KeepEarlierDrawing(ReadKeptDrawingFile(DrawingCacheFilePath(moduleFolder_), drawingStamp));
        ShowMonth(YearMonth::Of(LocalToday()));  // the window's first picture
        if (reportStartup_) {
            ReportStartup(shellReady, monthWindowReady, MillisecondsSinceProcessStart(),
                          ProcessCpuMilliseconds() - cpuBeforeMonth);
        }
    }
    // The start's many first questions to the almanac are answered.
    days_.almanac().SetReads(AlmanacReads::kThroughFile);
    // The shell takes the foreground once the month is up (the month window
    // is shown without taking it): under Wine activating the hidden window
    // took as long as the day files and the month window together, and the
    // right to the foreground that a start gives lasts until the user turns
    // to another program.
    SetForegroundWindow(hwnd());
    // What the first picture does not need comes after it: GDI+ (when the
    // picture was laid from the kept drawing), the common controls, with the
    // balloon and the notice window (whose buttons are common controls), the
    // icons and the tray icon.
    graphics_.Start();
    LoadCommonControls();
    notification_.Create([this] { return ReadSwitchNow(settingsFile_, kPlaySoundOnNotifyWindowKey); }, moduleFolder_);
    notification_.SetHiddenHandler([this] { OnNoticeHidden(); });
    notification_.SetSnoozeHandler([this](SnoozeLength length) { OnSnooze(length); });
    if (monthWindow) {
        calendar_.StartBalloon();
        TellOfDamagedSkin();
        StartAlerts(alertsAtStart, now);
    }
    SetTimer(hwnd(), kDailyNoticeTimer, kDailyNoticeDelay, nullptr);
    StartCalendarFile();
    largeIcon_.reset(LoadApplicationIcon(GetSystemMetrics(SM_CXICON)));
    smallIcon_.reset(LoadApplicationIcon(GetSystemMetrics(SM_CXSMICON)));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    // The tray icon asks the shell (another process) to add it, and loads
    // shell32 for that.
    tray_.Init(hwnd(), smallIcon_.get(), TrayTip());
    AddTrayIcon();
    DrawTrayIcon();
    calendar_.ApplyWindowStyle(WindowStyleOf(settings_));
    SetTimer(hwnd(), kClockTimer, MillisecondsToNextTick(LocalNow()), nullptr);
    updateCheck_.Start(hwnd(), settingsFile_, HolidayScheduleFilePath(moduleFolder_));
    // The first sync a little after start-up, once the month is up.
    SetTimer(hwnd(), kCalendarSyncTimer, kFirstCalendarSyncDelay, nullptr);
    // The first month's pictures for the next start, with those of the next
    // day's month, when this one drew many it did not find kept; last, as
    // nothing of this start waits for them.
    if (monthWindow) calendar_.DrawAhead(LocalToday() + 1);
    if (monthWindow && calendar_.DrewMuchAnew())
        WriteKeptDrawingFile(DrawingCacheFilePath(moduleFolder_), drawingStamp, calendar_.ShownDrawing());
    return false;  // hidden: nothing to focus
}

void ShellWindow::ShowMonth(const YearMonth& month) {
    // The forenotice switches are read from the file each time, so a hand
    // edit shows at the next rebuild (within a minute at the latest); the
    // rest as loaded at start-up or after the settings dialog.
    settingsStamp_ = ReadFileStamp(settingsFile_);
    calendar_.SetOptions(MonthOptionsFrom(Shown(settings_), moduleFolder_, ReadForenoticeSwitches(settingsFile_)));
    calendar_.Rebuild(month);
    // Every read of the day files is followed by a rebuild.
    TellOfTooLargeFiles();
}

void ShellWindow::RereadChangedFiles() {
    const DayData::Reread read = days_.ReloadChangedFiles();
    if (read.any() || !(ReadFileStamp(settingsFile_) == settingsStamp_)) ShowMonth(calendar_.month());
    // A changed file that is held by its writer is read when it is let go.
    RetryWaitingFilesLater();
}

AppSettings ShellWindow::Shown(const AppSettings& settings) const { return ShownSettings(settings, appsDark_); }

void ShellWindow::OnThemeChange() {
    const bool dark = AppsUseDarkTheme();
    if (dark == appsDark_) return;
    appsDark_ = dark;
    if (!settings_.followSystemDarkMode) return;
    ShowMonth(calendar_.month());
    TellOfDamagedSkin();
    DrawTrayIcon();
}

std::wstring ShellWindow::TrayTip() const {
    std::wstring tip = ProductName() + L"\n" + WideFromGbk(TrayTipText(LocalToday(), std::string()));
    const std::string sync = SyncTipLine(syncStatus_, SyncWanted(settings_));
    return sync.empty() ? tip : tip + L"\n" + WideFromGbk(sync);
}

void ShellWindow::AddTrayIcon() {
    if (tray_.Add())
        KillTimer(hwnd(), kTrayRetryTimer);
    else
        SetTimer(hwnd(), kTrayRetryTimer, kTrayRetryPeriod, nullptr);
}

void ShellWindow::DrawTrayIcon() {
    const std::string name = Shown(LoadAppSettings(settingsFile_)).systemTrayTemplate;
    tray_.SetTip(TrayTip());  // the date in the tip moves on with the icon
    trayDamage_ = tray_.Draw(moduleFolder_, name, LocalNow().day, calendar_.FontFamilies());
    if (trayDamage_ == SkinDamage::kNone) {
        damagedTrayTold_.clear();  // repaired or another choice: a new damage is news again
        return;
    }
    // Once for each choice, not at every new day.
    if (damagedTrayTold_ == name) return;
    damagedTrayTold_ = name;
    PostMessageW(hwnd(), kDamagedTrayMessage, 0, 0);
}

void ShellWindow::OnTimer(UINT_PTR id) {
    switch (id) {
        case kClockTimer:
            OnClockTick();
            break;
        case kDailyNoticeTimer:
            KillTimer(hwnd(), kDailyNoticeTimer);
            ShowDailyNotice();
            break;
        case kRedrawTimer:
            KillTimer(hwnd(), kRedrawTimer);
            calendar_.Redraw();
            break;
        case kTrayRetryTimer:
            AddTrayIcon();
            break;
        case kFileRetryTimer:
            KillTimer(hwnd(), kFileRetryTimer);
            OnFileRetry();
            break;
        case kCalendarSyncTimer:
            SetTimer(hwnd(), kCalendarSyncTimer, kCalendarSyncPeriod, nullptr);
            StartCalendarSync();
            break;
        case kDamagedSkinMessage:
        case kDamagedSettingsMessage:
        case kDamagedTrayMessage:
        case kWaitingFilesMessage:
        case kTooLargeFilesMessage:
        case kCalendarFileFailedMessage:
            KillTimer(hwnd(), id);
            PostMessageW(hwnd(), static_cast<UINT>(id), 0, 0);
            break;
        default:
            break;
    }
}

void ShellWindow::OnClockTick() {
    const SystemTime now = LocalNow();
    const ClockChanges changes = clock_.Tick(now);
    if (changes.date) {
        ShowMonth(MonthAfterDateChange(calendar_.month(), now));
        TellOfDamagedSkin();
        // The new day's notice; one still waiting from start-up would repeat it.
        KillTimer(hwnd(), kDailyNoticeTimer);
        ShowDailyNotice();
        DrawTrayIcon();
        OnNewYearForCalendarFile(now);
    }
    if (changes.minute) RereadChangedFiles();
    if (changes.minute) SyncWhenOnlineAgain();
    const AlertCheck alerts = alerts_.Tick(now);
    if (alerts.missedAfter) ShowMissedAlerts(*alerts.missedAfter, now);
    if (alerts.thisMinute) CheckReminderAlerts(now);
    if (alerts.thisMinute) RememberAlertsChecked();
    if (changes.minute) ShowSnoozedAlerts(now);
    // Read the clock again: the work above may have taken into the next minute.
    SetTimer(hwnd(), kClockTimer, clock_.NextTickDelay(LocalNow()), nullptr);
}

void ShellWindow::OnTaskbarCreated() {
    // A restarted shell has forgotten every icon: add ours again, as it was.
    tray_.Forget();
    AddTrayIcon();
}

void ShellWindow::OnTrayNotify(LPARAM event) {
    switch (LOWORD(event)) {
        case WM_LBUTTONDOWN:
            if (busy_)
                BringOpenDialogForward();
            else if (!settings_.trayClickShowsCalendar)
                SetForegroundWindow(hwnd());
            break;
        case WM_LBUTTONUP:
            // On release, so that the press of a double click does nothing
            // the double click undoes.
            if (ignoreTrayRelease_) {
                ignoreTrayRelease_ = false;
            } else if (!busy_ && settings_.trayClickShowsCalendar) {
                RunCommand(kTrayShowHide);
            }
            break;
        case WM_LBUTTONDBLCLK:
            // Always the month, whatever the single click does.
            ignoreTrayRelease_ = true;
            if (busy_)
                BringOpenDialogForward();
            else
                calendar_.ShowAndFocus();
            break;
        case WM_RBUTTONDOWN:
            if (busy_)
                BringOpenDialogForward();
            else
                ShowTrayMenu();
            break;
        default:
            break;
    }
}

void ShellWindow::BringOpenDialogForward() { SetForegroundWindow(GetLastActivePopup(hwnd())); }

void ShellWindow::ShowTrayMenu() {
    TrayMenuState state;
    state.calendarVisible = calendar_.IsVisible();
    state.syncConflicts = static_cast<int>(syncStatus_.conflicts.size());
    RunCommand(ChooseFromMenu(hwnd(), BuildTrayMenu(state), TPM_RIGHTBUTTON));
}

template <typename Show>
void ShellWindow::WhileBusy(Show show) {
    const bool wasBusy = busy_;
    busy_ = true;
    show();
    busy_ = wasBusy;
}

void ShellWindow::RunCommand(int command) {
    switch (command) {
        case kTrayExit:
            Exit();
            break;
        case kTrayShowHide:
            if (calendar_.IsVisible())
                calendar_.Hide();
            else
                calendar_.ShowAndFocus();
            break;
        case kTrayGoToToday:
            // Today is worth seeing: a hidden window comes up with it.
            ShowMonth(YearMonth::Of(LocalToday()));
            calendar_.ShowAndFocus();
            break;
        // The planning dialogs mark and show days on the month: it comes up
        // with them.
        case kTrayGoToDate:
            busy_ = true;
            calendar_.Show();
            calendar_.OpenGoToDate(LocalToday());
            busy_ = false;
            break;
        case kTrayFindGoodDays:
            calendar_.Show();
            calendar_.OpenGoodDays(LocalToday());
            break;
        case kTrayPlanLeave:
            calendar_.Show();
            calendar_.OpenLeavePlanner(LocalToday());
            break;
        case kTrayHelp:
            OpenHelpPage(moduleFolder_);
            break;
        case kTraySuggestion:
        case kTrayBugReport:
            OpenFeedbackPage(moduleFolder_);
            break;
        case kTrayFestivalManager:
            OpenFestivalManager(TrayManagerRequest(false));
            break;
        case kTrayAddFestival:
            OpenFestivalManager(TrayManagerRequest(true));
            break;
        case kTraySyncConflicts:
            OpenSyncConflicts(hwnd());
            break;
        case kTrayAbout:
            WhileBusy([&] { ShowAboutBox(hwnd()); });
            break;
        case kTrayExportCalendar:
            WhileBusy([&] { OpenExportDialog(); });
            break;
        case kTraySettings:
            WhileBusy([&] { OpenSettings(); });
            break;
        case kTrayReminderManager:
        case kTrayAddReminder: {
            ReminderManagerRequest request;
            request.addMode = command == kTrayAddReminder;
            // Whatever the result: the file may have been saved before a
            // failed later save, and reading it again costs nothing.
            OpenReminderManager(request, true);
            break;
        }
        default:
            break;
    }
}

void ShellWindow::OpenFestivalManager(const FestivalManagerRequest& request) {
    WhileBusy([&] {
        // The shell may have been destroyed meanwhile (log-off).
        if (!RunFestivalManager(hwnd(), FestivalFilePath(moduleFolder_), request) || !hwnd()) return;
        StartCalendarSync();
        // A file that cannot be read now keeps what the month showed, and
        // waits to be read again.
        days_.ReloadFestivals();
        ShowMonth(calendar_.month());
        RetryWaitingFilesLater();
        RedrawSoon();
        KeepCalendarFileCurrent();
    });
}

void ShellWindow::OpenReminderManager(const ReminderManagerRequest& request, bool reloadAnyway) {
    WhileBusy([&] {
        const bool saved = RunReminderManager(hwnd(), ReminderFilePath(moduleFolder_), request);
        if ((!saved && !reloadAnyway) || !hwnd()) return;
        if (saved) StartCalendarSync();
        days_.ReloadReminders();
        ShowMonth(calendar_.month());
        RetryWaitingFilesLater();
        RedrawSoon();
        if (saved) KeepCalendarFileCurrent();
    });
}

void ShellWindow::OnAddFestivalForDate(const SYSTEMTIME* date, bool lunar, bool leapMonth) {
    if (!date) return;
    OpenFestivalManager(DayManagerRequest(date->wYear, date->wMonth, date->wDay, lunar, leapMonth));
}

void ShellWindow::OnAddReminderForDate(const SYSTEMTIME* date, bool lunar, bool leapMonth) {
    if (!date) return;
    ReminderManagerRequest request;
    request.addMode = true;
    request.date = SystemTimeFrom(*date);
    request.lunar = lunar;
    request.leapMonth = lunar && leapMonth;
    OpenReminderManager(request, false);
}

void ShellWindow::OnReminderOfDay(const SYSTEMTIME& date, int place, bool remove) {
    const std::optional<Date> day = Date::FromCivil(date.wYear, date.wMonth, date.wDay);
    if (!day || day->year() < kFirstLunarYear || day->year() > kLastLunarYear) return;
    // The memos the menu listed, as the day has them now.
    const DayInfo info = days_.GetDayInfo(*day, kRemindersPart);
    if (place >= static_cast<int>(info.reminders.size())) return;
    ReminderManagerRequest request;
    request.reminder = info.reminders[static_cast<std::size_t>(place)];
    request.remove = remove;
    OpenReminderManager(request, false);
}

void ShellWindow::OpenSettings() {
    SettingsSyncLink sync;
    sync.statusText = [this] {
        const bool tried = syncStatus_.running || syncStatus_.succeeded || syncStatus_.failed;
        return SyncStatusText(syncStatus_, tried || SyncWanted(settings_));
    };
    sync.syncNow = [this](const SyncRequest& request) { StartCalendarSync(request); };
    sync.hasConflicts = [this] { return !syncStatus_.conflicts.empty(); };
    sync.openConflicts = [this](HWND owner) { OpenSyncConflicts(owner); };
    if (!RunSettingsDialog(hwnd(), settingsFile_, moduleFolder_, sync) || !hwnd()) return;
    settings_ = LoadAppSettings(settingsFile_);
    StartCalendarSync();  // a new account, or other things to send
    calendar_.ApplyWindowStyle(WindowStyleOf(settings_));
    ShowMonth(calendar_.month());
    TellOfDamagedSkin();
    DrawTrayIcon();
    RedrawSoon();
}

void ShellWindow::TellOfDamagedSkin() {
    if (!calendar_.monthView().templateDamaged()) {
        damagedSkinTold_.clear();  // repaired or another choice: a new damage is news again
        return;
    }
    const std::string shown = Shown(settings_).templateName;
    if (damagedSkinTold_ == shown) return;
    damagedSkinTold_ = shown;
    PostMessageW(hwnd(), kDamagedSkinMessage, 0, 0);
}

void ShellWindow::Warn(const std::string& gbkText) { Warn(WideFromGbk(gbkText)); }

void ShellWindow::Warn(const std::wstring& text) {
    // A click on the tray icon brings the message forward.
    WhileBusy([&] { ShowMessage(hwnd(), text, MB_OK | MB_ICONWARNING); });
}

void ShellWindow::OnDamagedSettings() {
    Warn(
        TextNamingFile("设置文件已损坏（过大或无法读取）：\n", settingsFile_,
                       "\n\n程序这次使用默认设置，更改的设置也无法保存。请删除这个文件或给它改名，然后重新启动程序。"));
}

void ShellWindow::OnDamagedTray() {
    const std::string& name = damagedTrayTold_;
    Warn("托盘图标样式「" + name + "」已损坏：" +
         (trayDamage_ == SkinDamage::kPicture ? "它的图片 " + name + ".png 不是程序能使用的 PNG 图片。\n\n"
                                              : "它的 " + name + ".ini 过大或无法读取。\n\n") +
         "托盘现在显示程序图标。可以在「设置」中选择其他托盘图标样式。");
}

void ShellWindow::OnDamagedSkin() {
    const std::string text =
        "皮肤「" + damagedSkinTold_ + "」已损坏：" + SkinDamageReason(calendar_.monthView().templateDamage()) + "\n\n" +
        (calendar_.monthView().showsFallback() ? "日历现在改用默认皮肤显示。可以在「设置」中选择其他皮肤。"
                                               : "请在「设置」中选择其他皮肤，或重新安装程序。");
    Warn(text);
}

void ShellWindow::RedrawSoon() {
    // A picture put on the layered window while the dialog's window is
    // still being taken off the screen can be lost under Wine's X11 driver.
    SetTimer(hwnd(), kRedrawTimer, 150, nullptr);
}

void ShellWindow::Exit() {
    // Before the month window goes with its owner.
    if (calendar_.hwnd()) SavePlacement(calendar_.hwnd(), kMonthWindowNumber, settingsFile_);
    DestroyWindow(hwnd());
    PostQuitMessage(2);
}

void ShellWindow::OnDestroy() {
    RememberAlertsChecked();
    calendarFile_.reset();  // waits for a write under way
    calendar_.Destroy();
    notification_.Destroy();
    days_.Close();
    KillTimer(hwnd(), kFileRetryTimer);
    KillTimer(hwnd(), kDailyNoticeTimer);
    KillTimer(hwnd(), kClockTimer);
    KillTimer(hwnd(), kRedrawTimer);
    KillTimer(hwnd(), kTrayRetryTimer);
    KillTimer(hwnd(), kCalendarSyncTimer);
    tray_.Remove();
    RemovePropW(hwnd(), kRunningCopyProperty);
}
