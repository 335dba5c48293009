#include "app/win/update_check_thread.h"

#include <objbase.h>
#include <shellapi.h>
#include <urlmon.h>
#include <wininet.h>

#include <memory>

#include "app/update_check.h"
#include "base/platform_folders.h"
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

// A fresh GUID in hex + ".txt" in the system's temporary folder.
std::filesystem::path TemporaryFileName() {
    const std::filesystem::path folder = TemporaryDirectory();
    GUID guid{};
    if (folder.empty() || FAILED(CoCreateGuid(&guid))) return std::filesystem::path();
    GuidFields fields{guid.Data1, guid.Data2, guid.Data3, {}};
    for (int i = 0; i < 8; ++i) fields.data4[i] = guid.Data4[i];
    return UpdateTemporaryFileName(folder, fields);
}

std::string ReadFileStart(const std::filesystem::path& path, DWORD limit = kVersionFileReadLimit) {
    ScopedKernelHandle file;
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return std::string();
    file.reset(opened);
    std::string contents(limit, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), &contents[0], limit, &read, nullptr)) return std::string();
    contents.resize(read);
    return contents;
}

// The published version text, or false when the download failed. The
// temporary file is gone afterwards either way.
bool DownloadVersionText(const std::wstring& url, std::string& text, DWORD limit = kVersionFileReadLimit) {
    const std::filesystem::path temporary = TemporaryFileName();
    if (temporary.empty()) return false;
    DeleteUrlCacheEntryW(url.c_str());
    const bool downloaded = SUCCEEDED(URLDownloadToFileW(nullptr, url.c_str(), temporary.c_str(), 0, nullptr));
    if (downloaded) text = ReadFileStart(temporary, limit);
    DeleteFileW(temporary.c_str());
    return downloaded;
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
    // One byte more than a served file may hold, so a longer one is refused
    // rather than cut to a size that would pass.
    if (!DownloadVersionText(settings.servedScheduleUrl, served, kMaxServedScheduleBytes + 1)) return -1;
    if (!MergeServedSchedule(settings.holidayScheduleFile, served, LocalToday())) return 0;
    PostMessageW(owner, kHolidayScheduleMergedMessage, 0, 0);
    return 1;
}

int CheckForUpdate(const UpdateCheckSettings& settings, HWND owner) {
    std::string published;
    const bool downloaded = DownloadVersionText(settings.versionFileUrl, published);
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
