#include "app/win/calendar_sync_thread.h"

#include <utility>

#include "base/win/scoped_win.h"
#include "caldav/win/winhttp_client.h"
#include "calendar/win/system_time.h"

struct CalendarSyncJob {
    HWND owner;
    SyncRequest request;
    std::filesystem::path moduleFolder;
    SyncRun run;  // read by the owner once done
    std::atomic<bool> done{false};
};

namespace {

DWORD WINAPI SyncThread(void* parameter) {
    const std::unique_ptr<std::shared_ptr<CalendarSyncJob>> held(
        static_cast<std::shared_ptr<CalendarSyncJob>*>(parameter));
    CalendarSyncJob& job = **held;
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    const IcsStamp stamp{utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond};
    const std::unique_ptr<HttpClient> client = MakeWinHttpClient();
    job.run = RunCalendarSync(*client, job.request, job.moduleFolder, LocalToday().year(), stamp);
    job.done = true;
    PostMessageW(job.owner, kCalendarSyncDoneMessage, 0, 0);
    return 0;
}

}  // namespace

bool CalendarSyncThread::Request(HWND owner, SyncRequest request, const std::filesystem::path& moduleFolder) {
    if (running_) {
        waiting_ = std::move(request);
        owner_ = owner;
        moduleFolder_ = moduleFolder;
        return false;
    }
    return Start(owner, std::move(request), moduleFolder);
}

bool CalendarSyncThread::Start(HWND owner, SyncRequest request, const std::filesystem::path& moduleFolder) {
    auto job = std::make_shared<CalendarSyncJob>();
    job->owner = owner;
    job->request = std::move(request);
    job->moduleFolder = moduleFolder;
    auto held = std::make_unique<std::shared_ptr<CalendarSyncJob>>(job);
    ScopedKernelHandle thread(CreateThread(nullptr, 0, &SyncThread, held.get(), 0, nullptr));
    if (!thread) return false;
    held.release();  // the thread's share now
    job_ = std::move(job);
    running_ = true;
    return true;
}

std::optional<SyncRun> CalendarSyncThread::TakeFinished() {
    if (!job_ || !job_->done) return std::nullopt;
    SyncRun run = std::move(job_->run);
    job_.reset();
    running_ = false;
    if (waiting_) {
        SyncRequest next = std::move(*waiting_);
        waiting_.reset();
        Start(owner_, std::move(next), moduleFolder_);
    }
    return run;
}
