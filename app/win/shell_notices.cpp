// The shell's notices: the memo alerts and the daily festival notice, built
// over the program's day information and shown in its notification
// window. Both read the notice switches from the settings file each time.
// Alerts due while the program was not running are shown at start-up; a memo
// file that cannot be read yet holds them back until it can, and one too
// large to be read whole alerts with the memos read and is named.
#include "app/alert_state.h"
#include "app/win/file_retry_pace.h"
#include "app/win/shell_window.h"
#include "base/data_paths.h"
#include "base/list_file_messages.h"
#include "base/win/dialog_kit.h"
#include "calendar/win/system_time.h"
#include "festivals/festival_manager_model.h"
#include "holidays/holiday_schedule_file.h"
#include "notices/notice_board.h"
#include "notices/notices.h"
#include "reminders/reminder_manager_model.h"

void ShellWindow::CheckReminderAlerts(const SystemTime& now) {
    if (const std::optional<Notice> notice = ::CheckReminderAlerts(
            now, NoticeSwitches{ReadSwitchNow(settingsFile_, kShowNotifyWindowOnScreenKey), false}, days_,
            kAlertSoundFile)) {
        ShowNotice(*notice);
    }
}

void ShellWindow::ShowMissedAlerts(const SystemTime& after, const SystemTime& now) {
    if (const std::optional<Notice> notice = MissedReminderAlerts(
            after, now, NoticeSwitches{ReadSwitchNow(settingsFile_, kShowNotifyWindowOnScreenKey), false}, days_,
            kAlertSoundFile)) {
        ShowNotice(*notice);
    }
}

namespace {

bool SameMinute(const SystemTime& a, const SystemTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
}

}  // namespace

void ShellWindow::StartAlerts(const AlertCheck& atStart, const SystemTime& now) {
    waitingSinceStart_ = days_.waitingFiles().any();
    if (days_.waitingFiles().reminders) {
        // Nothing can be said about alerts without the memos: everything due
        // from here on (or since the last run) waits for the file.
        alertsHeldAfter_ = atStart.missedAfter.value_or(atStart.thisMinute ? AddSeconds(now, -60) : now);
    } else {
        if (atStart.missedAfter) ShowMissedAlerts(*atStart.missedAfter, now);
        if (atStart.thisMinute) CheckReminderAlerts(now);
        RememberAlertsChecked();
    }
    // They need no memo file: their texts are kept with them.
    ShowSnoozedAlerts(now);
    RetryWaitingFilesLater();
}

void ShellWindow::RememberAlertsChecked() {
    if (!alertsHeldAfter_) checkedInFile_ = alerts_.lastChecked();
    WriteAlertState(AlertStateFilePath(moduleFolder_), AlertState{checkedInFile_, snoozed_});
}

void ShellWindow::OnSnooze(SnoozeLength length) {
    Snooze(snoozed_, notices_.shown().alerts, SnoozedUntil(LocalNow(), length));
    RememberAlertsChecked();
}

void ShellWindow::ShowSnoozedAlerts(const SystemTime& now) {
    const std::vector<SnoozedAlert> due = TakeDueSnoozes(snoozed_, now);
    if (due.empty()) return;
    if (const std::optional<Notice> notice =
            SnoozedNotice(due, now, NoticeSwitches{ReadSwitchNow(settingsFile_, kShowNotifyWindowOnScreenKey), false},
                          kAlertSoundFile)) {
        ShowNotice(*notice);
    }
    RememberAlertsChecked();
}

void ShellWindow::RetryWaitingFilesLater() {
    if (!days_.waitingFiles().any()) {
        fileFailures_ = 0;
        return;
    }
    // A retry already under way keeps its pace.
    if (fileFailures_ == 0) {
        fileFailures_ = 1;
        SetTimer(hwnd(), kFileRetryTimer, FileRetryDelayMs(fileFailures_), nullptr);
    }
}

void ShellWindow::OnFileRetry() {
    const DayData::Waiting read = days_.RetryWaitingFiles();
    if (read.any()) ShowMonth(calendar_.month());
    if (read.reminders && alertsHeldAfter_) {
        const SystemTime now = LocalNow();
        const SystemTime after = *alertsHeldAfter_;
        alertsHeldAfter_.reset();
        ShowMissedAlerts(after, now);
        // This minute's tick has passed already with no memos to check.
        if (SameMinute(alerts_.lastChecked(), now)) CheckReminderAlerts(now);
        RememberAlertsChecked();
    }
    if (!days_.waitingFiles().any()) {
        fileFailures_ = 0;
        return;
    }
    ++fileFailures_;
    // Told once, after a second failed read: a file held only for a moment
    // at log-on is not worth a word.
    if (waitingSinceStart_ && !toldOfWaitingFiles_) {
        toldOfWaitingFiles_ = true;
        PostMessageW(hwnd(), kWaitingFilesMessage, 0, 0);
    }
    SetTimer(hwnd(), kFileRetryTimer, FileRetryDelayMs(fileFailures_), nullptr);
}

void ShellWindow::OnWaitingFiles() {
    const DayData::Waiting waiting = days_.waitingFiles();
    if (waiting.reminders) {
        Warn(TextNamingFile("备忘文件现在无法读取（可能正被杀毒软件或同步程序使用）：\n",
                            ReminderFilePath(moduleFolder_),
                            "\n\n程序会每隔一会儿再读一次。读到之前，月历上不显示备忘，也不会提醒；"
                            "读到后，这期间到期的提醒会立即补上。"));
    } else if (waiting.festivals) {
        Warn(TextNamingFile("节日文件现在无法读取（可能正被杀毒软件或同步程序使用）：\n",
                            FestivalFilePath(moduleFolder_),
                            "\n\n程序会每隔一会儿再读一次，读到之前月历上不显示这些节日。"));
    }
}

void ShellWindow::TellOfTooLargeFiles() {
    const DayData::TooLarge now = days_.tooLargeFiles();
    const bool news = (now.festivals && !toldTooLarge_.festivals) || (now.reminders && !toldTooLarge_.reminders) ||
                      (now.offDays && !toldTooLarge_.offDays);
    toldTooLarge_ = now;
    if (news) PostMessageW(hwnd(), kTooLargeFilesMessage, 0, 0);
}

void ShellWindow::OnTooLargeFiles() {
    const auto tell = [this](const char* noun, const std::filesystem::path& file, std::size_t limit) {
        const std::optional<FileStamp> stamp = ReadFileStamp(file);
        const TextAroundFile text = TooLargeText(noun, stamp ? static_cast<std::uint64_t>(stamp->size) : 0, limit);
        Warn(TextNamingFile(text.before, file, text.after));
    };
    if (toldTooLarge_.reminders) tell(kReminderFileWords.noun, ReminderFilePath(moduleFolder_), kReminderFileLimit);
    if (toldTooLarge_.festivals) tell(kFestivalFileWords.noun, FestivalFilePath(moduleFolder_), kFestivalFileLimit);
    if (toldTooLarge_.offDays)
        tell(kHolidayScheduleNoun, HolidayScheduleFilePath(moduleFolder_), kHolidayScheduleFileLimit);
}

void ShellWindow::ShowDailyNotice() {
    if (const std::optional<Notice> notice = BuildDailyNotice(LocalToday(), ReadNoticeSwitches(settingsFile_), days_)) {
        ShowNotice(*notice);
    }
}

namespace {

// Puts the board's notice into the window: starts the window, or chimes for
// the lines added to it.
void PutNotice(NotificationWindow& window, const Notice& notice, bool start) {
    window.SetSnoozable(!notice.alerts.empty());
    window.SetMessage(notice.message);
    if (notice.soundFile) window.SetSoundFile(*notice.soundFile);
    if (start)
        window.Show();
    else
        window.Chime();
}

}  // namespace

void ShellWindow::ShowNotice(const Notice& notice) {
    NotificationWindow& window = notification_;
    const NoticeBoard::Window state = window.IsLeaving()   ? NoticeBoard::Window::kLeaving
                                      : window.IsVisible() ? NoticeBoard::Window::kShowing
                                                           : NoticeBoard::Window::kHidden;
    const NoticeBoard::Step step = notices_.Add(notice, state);
    if (step != NoticeBoard::Step::kNone) PutNotice(window, notices_.shown(), step == NoticeBoard::Step::kShow);
}

void ShellWindow::OnNoticeHidden() {
    // What waited while the window slid away comes up again at once.
    if (const std::optional<Notice> next = notices_.Hidden()) PutNotice(notification_, *next, true);
}
