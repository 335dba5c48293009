#include "app/win/update_check_thread.h"

#include <shellapi.h>

#include <memory>

#include "app/update_check.h"
#include "app/win/web_download.h"
#include "base/profile_file.h"
#include "base/win/com_apartment.h"
#include "base/win/gbk_text.h"
#include "base/win/scoped_win.h"
#include "base/win/version_info.h"
#include "calendar/win/system_time.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/served_holiday_schedule.h"

namespace {

constexpr wchar_t kVersionFileUrl[] = L"https://www.tavro-calendar.com/solvane/version.txt";
constexpr wchar_t kUpdatePageUrl[] = L"https://www.tavro-calendar.com/solvane/update.html";
constexpr DWORD kVersionFileReadLimit = 4096;

std::wstring SettingOr(const std::filesystem::path& settingsFile, const char* key, const wchar_t* fallback) {
    // These keys exist for tests; an address that is neither https nor the
    // local test server is ignored, so an edited settings file cannot send
    // the check, or the browser, anywhere else.
    const std::string value = ProfileGetString("Ostrel", key, "", settingsFile);
    return IsAcceptedUpdateAddress(value) ? WideFromGbk(value) : std::wstring(fallback);
}

// What the program reads of each file, and no more: a longer answer is
// refused. The schedule may take all its reader allows.
DownloadLimits LimitsFor(const UpdateCheckSettings& settings, std::size_t maxBytes) {
    DownloadLimits limits;
    limits.maxBytes = maxBytes;
    return WithTimeLimit(limits, settings.timeLimitMs);
}

struct ThreadStart {
    HWND owner;
    UpdateCheckSettings settings;
};

DWORD WINAPI UpdateCheckThread(void* parameter) {
    const std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
    const ComApartment com;
    bool scheduleDone = false, versionDone = false;
    for (int attempt = 1; attempt <= kUpdateCheckAttempts; ++attempt) {
        // The schedule first: the version check may wait on the user's answer.
        scheduleDone = scheduleDone || FetchHolidaySchedule(start->settings, start->owner) != -1;
        versionDone = versionDone || CheckForUpdate(start->settings, start->owner) != -1;
        // The site answered: a schedule it did not serve is missing, not unreachable.
        scheduleDone = scheduleDone || versionDone;
        if (scheduleDone && versionDone) break;
        if (attempt < kUpdateCheckAttempts) Sleep(start->settings.retryPauseMs);
    }
    return 0;
}

}  // namespace

UpdateCheckSettings ReadUpdateCheckSettings(const std::filesystem::path& settingsFile) {
    UpdateCheckSettings settings;
    settings.versionFileUrl = SettingOr(settingsFile, "UpdateVersionUrl", kVersionFileUrl);
    settings.updatePageUrl = SettingOr(settingsFile, "UpdatePageUrl", kUpdatePageUrl);
    const int pause = ProfileGetInt("Ostrel", "UpdateRetryPause", kUpdateRetryPauseMs, settingsFile);
    settings.retryPauseMs = static_cast<DWORD>(pause > 0 ? pause : kUpdateRetryPauseMs);
    const int timeLimit = ProfileGetInt("Ostrel", "UpdateTimeLimit", 0, settingsFile);
    settings.timeLimitMs = static_cast<DWORD>(timeLimit > 0 ? timeLimit : 0);
    settings.servedScheduleUrl = WideFromGbk(SiblingUrl(GbkFromWide(settings.versionFileUrl), kServedScheduleFileName));
    return settings;
}

int FetchHolidaySchedule(const UpdateCheckSettings& settings, HWND owner) {
    if (settings.servedScheduleUrl.empty() || settings.holidayScheduleFile.empty()) return 0;
    HolidayScheduleFile current;
    // An unreadable file (locked, say) is left alone this time.
    if (!LoadHolidaySchedule(settings.holidayScheduleFile, current)) return 0;
    if (!WantsComingYear(current.schedule, LocalToday())) return 0;
    std::string served;
    if (!DownloadText(settings.servedScheduleUrl, LimitsFor(settings, kMaxServedScheduleBytes), served)) return -1;
    if (!MergeServedSchedule(settings.holidayScheduleFile, served, LocalToday())) return 0;
    PostMessageW(owner, kHolidayScheduleMergedMessage, 0, 0);
    return 1;
}

int CheckForUpdate(const UpdateCheckSettings& settings, HWND owner) {
    std::string published;
    const bool downloaded =
        DownloadText(settings.versionFileUrl, LimitsFor(settings, kVersionFileReadLimit), published);
    const ProductVersionInfo info = ReadProductVersionInfo();
    const std::string own = GbkFromWide(info.productVersion);
    if (!downloaded) return -1;
    published = PublishedVersionText(published);
    if (!IsNewerVersion(published, own)) return 0;

    const std::wstring text = WideFromGbk(UpdateAnnouncementText(GbkFromWide(info.productName), published, own));
    // Shown from this thread and owned by the hidden shell window, the box
    // would otherwise open behind whatever the user is working in.
    const UINT style = MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST;
    if (MessageBoxW(owner, text.c_str(), info.productName.c_str(), style) == IDOK &&
        IsWebAddress(GbkFromWide(settings.updatePageUrl))) {
        ShellExecuteW(nullptr, L"open", settings.updatePageUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    return 1;
}

void UpdateCheck::Start(HWND owner, const std::filesystem::path& settingsFile,
                        const std::filesystem::path& holidayScheduleFile) {
    if (started_) return;
    started_ = true;
    auto start = std::make_unique<ThreadStart>(ThreadStart{owner, ReadUpdateCheckSettings(settingsFile)});
    start->settings.holidayScheduleFile = holidayScheduleFile;
    ScopedKernelHandle thread(CreateThread(nullptr, 0, &UpdateCheckThread, start.get(), 0, nullptr));
    if (thread) start.release();  // the thread owns it now
}
