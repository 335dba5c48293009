// The shell's notices: the memo alerts and the daily festival notice, built
// over the month window's day information and shown in its notification
// window. Both read the notice switches from the settings file each time.
#include "calendar/win/system_time.h"
#include "app/win/shell_window.h"
#include "reminders/notices.h"

void ShellWindow::CheckReminderAlerts(const SystemTime& now) {
    if (const std::optional<Notice> notice = ::CheckReminderAlerts(now, NoticeSwitches{ReadShowNotifyWindowOnScreen(settingsFile_), false},
                                                                      calendar_.days(), AlertSoundFile(moduleFolder_))) {
        ShowNotice(*notice);
    }
}

void ShellWindow::ShowDailyNotice() {
    if (const std::optional<Notice> notice = BuildDailyNotice(LocalNow(), ReadNoticeSwitches(settingsFile_), calendar_.days())) {
        ShowNotice(*notice);
    }
}

void ShellWindow::ShowNotice(const Notice& notice) {
    NotificationWindow& window = calendar_.notification();
    window.SetMessage(notice.message);
    if (notice.soundFile) window.SetSoundFile(*notice.soundFile);
    window.Show();
}
