#include <windows.h>

#include <wininet.h>

#include "app/win/shell_window.h"
#include "app/win/sync_conflict_dialog.h"
#include "app/win/sync_password.h"
#include "calendar/win/system_time.h"

namespace {

// Minutes east of UTC as the clock now keeps them (summer time included).
int LocalUtcOffsetMinutes() {
    TIME_ZONE_INFORMATION zone{};
    const DWORD which = GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias;
    if (which == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
    if (which == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
    return which == TIME_ZONE_ID_INVALID ? 480 : -static_cast<int>(bias);
}

}  // namespace

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

void ShellWindow::OpenSyncConflicts(HWND owner) {
    if (syncStatus_.conflicts.empty()) return;
    bool remindersSaved = false;
    SyncConflictLink link;
    link.localOffsetMinutes = LocalUtcOffsetMinutes();
    link.canKeepPhone = [this](const SyncChange& conflict) { return ConflictKeepOffered(moduleFolder_, conflict); };
    link.apply = [&](const SyncChange& conflict, ConflictChoice choice) {
        // The sync writes its state when it ends: a choice made meanwhile
        // would be lost under it.
        if (calendarSync_.running()) return ConflictApplied{false, false, "正在同步，请等它结束后再选。"};
        const ConflictApplied applied =
            ApplyConflictChoice(moduleFolder_, conflict, choice, LocalNow(), link.localOffsetMinutes);
        if (applied.done) ForgetConflict(syncStatus_, conflict.href);
        remindersSaved = remindersSaved || applied.remindersSaved;
        return applied;
    };
    const bool wasBusy = busy_;
    busy_ = true;
    const bool chosen = RunSyncConflictDialog(owner, syncStatus_.conflicts, link);
    busy_ = wasBusy;
    if (!hwnd()) return;
    if (remindersSaved) {
        days_.ReloadReminders();
        ShowMonth(calendar_.month());
        RetryWaitingFilesLater();
        RedrawSoon();
        KeepCalendarFileCurrent();
    }
    if (chosen) StartCalendarSync();
    tray_.ShowTip(TrayTip());
}
