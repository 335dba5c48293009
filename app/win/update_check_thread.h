// The once-per-start update check: a background thread downloads the
// published version file into memory, fresh and past the internet cache, and
// when it names a higher version asks the user (in a message box owned by the
// shell window) whether to open the update page. A download that fails, is
// refused (too long, redirected elsewhere) or runs out of time is made again
// after the retry pause, up to the attempts of one start; after them the next
// start tries again.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

struct UpdateCheckSettings {
    std::wstring versionFileUrl;
    std::wstring updatePageUrl;
    DWORD retryPauseMs = 0;
    // Shortens every download's time-outs and deadline (0: as built in).
    DWORD timeLimitMs = 0;
    // The holiday schedule: offdays.txt beside the version file is
    // fetched and merged into this file when it lacks the coming year.
    std::wstring servedScheduleUrl;
    std::filesystem::path holidayScheduleFile;
};

// Posted to the owner after a new year was merged into the schedule file.
inline constexpr UINT kHolidayScheduleMergedMessage = WM_APP + 21;

// The published addresses and the pause between attempts; [Ostrel] of the
// settings file may name others ("UpdateVersionUrl", "UpdatePageUrl",
// "UpdateRetryPause" in milliseconds) and a shorter time limit for each
// download ("UpdateTimeLimit", milliseconds), which is how tests use a local
// server.
UpdateCheckSettings ReadUpdateCheckSettings(const std::filesystem::path& settingsFile);

// -1: the download failed; 0: no newer version; 1: a newer version was
// announced (whatever the user answered).
int CheckForUpdate(const UpdateCheckSettings& settings, HWND owner);

// -1: the download failed; 0: nothing wanted, or the served file was refused
// (nothing changes, nothing is shown); 1: merged, and the owner told.
int FetchHolidaySchedule(const UpdateCheckSettings& settings, HWND owner);

class UpdateCheck {
public:
    // Starts the thread; later calls do nothing. The thread is not waited for
    // at exit: it holds nothing the program shuts down.
    void Start(HWND owner, const std::filesystem::path& settingsFile, const std::filesystem::path& holidayScheduleFile);

private:
    bool started_ = false;
};
