// The calendar sync runs on a thread of its own, never on the window's: a
// slow or silent server costs the user nothing but the wait for its line in
// 设置. The thread reads the files itself (the almanac's database stays on
// its own thread) and hands its result back by a message to the owner.
// One sync at a time: a request while one runs waits and runs after it,
// the newest request in place of any older one still waiting.
#pragma once

#include <windows.h>

#include <atomic>

#include <filesystem>
#include <memory>
#include <optional>

#include "app/calendar_sync_job.h"

// Posted to the owner when a sync is done.
inline constexpr UINT kCalendarSyncDoneMessage = WM_APP + 27;

struct CalendarSyncJob;

class CalendarSyncThread {
public:
    // False when the sync waits for the one running.
    bool Request(HWND owner, SyncRequest request, const std::filesystem::path& moduleFolder);
    bool running() const { return running_; }
    // At kCalendarSyncDoneMessage: the result, after which a waiting request
    // starts; nothing when no sync had ended (another program's message).
    std::optional<SyncRun> TakeFinished();

private:
    bool Start(HWND owner, SyncRequest request, const std::filesystem::path& moduleFolder);

    std::shared_ptr<CalendarSyncJob> job_;  // the one running, shared with its thread
    bool running_ = false;
    HWND owner_ = nullptr;
    std::filesystem::path moduleFolder_;
    std::optional<SyncRequest> waiting_;
};
