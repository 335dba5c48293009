// The dialog "同步冲突": the conflicts the last sync left, each with the
// computer's version and the phone's side by side, and the two choices the
// user has about it (the third, 以后再说, leaves them all as they are). The
// dialog decides nothing itself: the program applies each choice to its
// files, and the dialog drops what was dealt with.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "app/calendar_sync_job.h"

struct SyncConflictLink {
    std::function<bool(const SyncChange&)> canKeepPhone;  // whether 保留手机上的 is offered
    std::function<ConflictApplied(const SyncChange&, ConflictChoice)> apply;
    int localOffsetMinutes = 480;  // this machine's, east of UTC: the phone's times shown in it
};

// Runs the dialog modally over `owner`; true when any choice was applied.
bool RunSyncConflictDialog(HWND owner, std::vector<SyncChange> conflicts, const SyncConflictLink& link);
