// The shell's notices: the memo alerts and the daily festival notice, built
// over the month window's day information and shown in its notification
// window. Both read the notice switches from the settings file each time.
#include "calendar/win/system_time.h"
#include "app/win/shell_window.h"
#include "reminders/notice_board.h"
#include "reminders/notices.h"

void ShellWindow::CheckReminderAlerts(const SystemTime& now) {
    if (const std::optional<Notice> notice = ::CheckReminderAlerts(now, NoticeSwitches{ReadShowNotifyWindowOnScreen(settingsFile_), false},
                                                                      calendar_.days(), AlertSoundFile(moduleFolder_))) {
        ShowNotice(*notice);
    }
}

void ShellWindow::ShowMissedAlerts(const SystemTime& after, const SystemTime& now) {
    if (const std::optional<Notice> notice =
            MissedReminderAlerts(after, now, NoticeSwitches{ReadShowNotifyWindowOnScreen(settingsFile_), false},
                                 calendar_.days(), AlertSoundFile(moduleFolder_))) {
        ShowNotice(*notice);
    }
}

void ShellWindow::ShowDailyNotice() {
    if (const std::optional<Notice> notice = BuildDailyNotice(LocalNow(), ReadNoticeSwitches(settingsFile_), calendar_.days())) {
        ShowNotice(*notice);
    }
}

namespace {

// Puts the board's notice into the window: starts the window, or chimes for
// the lines added to it.
void PutNotice(NotificationWindow& window, const Notice& notice, bool start) {
    window.SetMessage(notice.message);
    if (notice.soundFile) window.SetSoundFile(*notice.soundFile);
    if (start)
        window.Show();
    else
        window.Chime();
}

}  // namespace

void ShellWindow::ShowNotice(const Notice& notice) {
    NotificationWindow& window = calendar_.notification();
    const NoticeBoard::Window state = window.IsLeaving()   ? NoticeBoard::Window::kLeaving
                                      : window.IsVisible() ? NoticeBoard::Window::kShowing
                                                           : NoticeBoard::Window::kHidden;
    const NoticeBoard::Step step = notices_.Add(notice, state);
    if (step != NoticeBoard::Step::kNone) PutNotice(window, notices_.shown(), step == NoticeBoard::Step::kShow);
}

void ShellWindow::OnNoticeHidden() {
    // What waited while the window slid away comes up again at once.
    if (const std::optional<Notice> next = notices_.Hidden()) PutNotice(calendar_.notification(), *next, true);
}
