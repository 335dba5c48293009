// 保持更新: the calendar file written anew after every save of the festivals
// or the memos. Each write runs on a thread of its own, reading the files
// itself (the almanac's database stays on that thread), so a save never waits
// for years of occurrences to be worked out; a write asked for while one
// runs is made once it ends, from the files as they are then.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "base/win/scoped_win.h"
#include "export/ics_file.h"

class IcsFileKeeper {
public:
    // Posts `doneMessage` to `owner` when a write ends; the owner then calls
    // Finished.
    IcsFileKeeper(HWND owner, UINT doneMessage, std::filesystem::path moduleFolder);
    ~IcsFileKeeper();  // waits for a write under way
    IcsFileKeeper(const IcsFileKeeper&) = delete;
    IcsFileKeeper& operator=(const IcsFileKeeper&) = delete;

    // Writes the file of the subscription now (or once the write under way
    // ends); nothing when 保持更新 is off.
    void Refresh(const IcsSubscription& subscription);
    // On doneMessage: how the write went, and the file it was for; the next
    // one asked for meanwhile starts.
    struct Result {
        IcsFileWrite outcome;
        std::filesystem::path file;
    };
    std::optional<Result> Finished();

private:
    struct Job;
    void Start(const IcsSubscription& subscription);
    static DWORD WINAPI Run(void* job);

    HWND owner_;
    UINT doneMessage_;
    std::filesystem::path moduleFolder_;
    std::unique_ptr<Job> job_;
    ScopedKernelHandle thread_;
    std::optional<IcsSubscription> next_;
};
