#include "export/win/ics_file_keeper.h"

#include <utility>

struct IcsFileKeeper::Job {
    std::filesystem::path moduleFolder;
    IcsSubscription subscription;
    int year = 0;
    IcsStamp stamp;
    HWND owner = nullptr;
    UINT doneMessage = 0;
    IcsFileWrite outcome = IcsFileWrite::kUnwritable;  // read once the thread said it is done
};

IcsFileKeeper::IcsFileKeeper(HWND owner, UINT doneMessage, std::filesystem::path moduleFolder)
    : owner_(owner), doneMessage_(doneMessage), moduleFolder_(std::move(moduleFolder)) {}

IcsFileKeeper::~IcsFileKeeper() {
    if (thread_.get()) WaitForSingleObject(thread_.get(), INFINITE);
}

void IcsFileKeeper::Refresh(const IcsSubscription& subscription) {
    if (!subscription.keepUpdated) {
        next_.reset();
        return;
    }
    if (job_) {
        next_ = subscription;
        return;
    }
    Start(subscription);
}

void IcsFileKeeper::Start(const IcsSubscription& subscription) {
    auto job = std::make_unique<Job>();
    SYSTEMTIME local, utc;
    GetLocalTime(&local);
    GetSystemTime(&utc);
    job->moduleFolder = moduleFolder_;
    job->subscription = subscription;
    job->year = local.wYear;
    job->stamp = IcsStamp{utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond};
    job->owner = owner_;
    job->doneMessage = doneMessage_;
    thread_.reset(CreateThread(nullptr, 0, &IcsFileKeeper::Run, job.get(), 0, nullptr));
    // No thread now: the next save tries again.
    if (thread_.get()) job_ = std::move(job);
}

DWORD WINAPI IcsFileKeeper::Run(void* parameter) {
    Job& job = *static_cast<Job*>(parameter);
    job.outcome = WriteSubscribedIcs(job.moduleFolder, job.subscription, job.year, job.stamp);
    PostMessageW(job.owner, job.doneMessage, 0, 0);
    return 0;
}

std::optional<IcsFileKeeper::Result> IcsFileKeeper::Finished() {
    if (!job_) return std::nullopt;
    // The thread has posted its last message: this is a join.
    WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
    const std::unique_ptr<Job> job = std::move(job_);
    if (next_) {
        const IcsSubscription next = std::move(*next_);
        next_.reset();
        Start(next);
    }
    return Result{job->outcome, job->subscription.file};
}
