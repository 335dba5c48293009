// The shell's notices: what its clock timer hands to the month window's
// notification window.
#include "app/win/shell_window.h"

// PROVISIONAL: the month window holds no festivals or memos yet, so there is
// nothing to announce. Once it does, these two build their notices with
// CheckReminderAlerts and BuildDailyNotice of reminders/notices.h over the
// month window's day information and pass them to ShowNotice.
void ShellWindow::CheckReminderAlerts(const SystemTime&) {}
void ShellWindow::ShowDailyNotice() {}

void ShellWindow::ShowNotice(const std::string& message, const std::optional<std::string>& soundFile) {
    NotificationWindow& window = calendar_.notification();
    window.SetMessage(message);
    if (soundFile) window.SetSoundFile(*soundFile);
    window.Show();
}
