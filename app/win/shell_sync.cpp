#include <windows.h>

#include <wininet.h>

#include "app/win/shell_window.h"
#include "app/win/sync_password.h"
#include "calendar/win/system_time.h"

void ShellWindow::StartCalendarSync() {
    if (!SyncWanted(settings_)) return;
    StartCalendarSync(SyncRequestFrom(settings_, ReadSyncPassword(settings_.syncServer, settings_.syncUser)));
}

void ShellWindow::StartCalendarSync(const SyncRequest& request) {
    calendarSync_.Request(hwnd(), request, moduleFolder_);
    syncStatus_.running = calendarSync_.running();
    tray_.ShowTip(TrayTip());
}

void ShellWindow::OnCalendarSyncDone() {
    const std::optional<SyncRun> run = calendarSync_.TakeFinished();
    if (!run) return;
    RecordSyncRun(syncStatus_, *run, LocalNow());
    syncStatus_.running = calendarSync_.running();  // the next, when one was waiting
    tray_.ShowTip(TrayTip());
}

void ShellWindow::SyncWhenOnlineAgain() {
    // Looked at only while a failed try waits for its next occasion.
    if (!syncStatus_.failed || calendarSync_.running()) {
        online_ = true;
        return;
    }
    DWORD how = 0;
    const bool online = InternetGetConnectedState(&how, 0) != FALSE;
    const bool back = online && !online_;
    online_ = online;
    if (back) StartCalendarSync();
}
