// Entry of Solvane.exe: one copy per session, COM and GDI+ brought up, the
// hidden shell window and its message loop, and everything taken down again
// in reverse order.
#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <cwchar>

#include <filesystem>
#include <optional>
#include <string>

#include "app/alert_state.h"
#include "app/win/shell_window.h"
#include "app/win/single_instance.h"
#include "base/data_paths.h"
#include "base/file_backup.h"
#include "base/first_run_files.h"
#include "base/leftover_files.h"
#include "base/win/com_apartment.h"
#include "base/win/dialog_kit.h"
#include "base/win/gdiplus_scoped.h"
#include "base/win/message_loop.h"
#include "base/win/scoped_win.h"
#include "base/win/screen_dpi.h"
#include "base/win/version_info.h"

namespace {

constexpr wchar_t kSingleInstanceMutex[] = L"{7976FE12-E6EB-4293-8BE4-16E8D506788B}";
constexpr int kSecondCopyExitCode = 0;
constexpr int kUnusableFolderExitCode = 1;

// --timing: report on the standard error stream how long the month window
// took to show its first picture after the process started. The arguments
// as the C runtime split them: shell32, which splits them too, is not
// loaded before the first picture.
bool TimingRequested() {
    bool requested = false;
    for (int i = 1; __wargv && i < __argc; ++i) requested = requested || std::wcscmp(__wargv[i], L"--timing") == 0;
    return requested;
}

// A portable copy is often started from Downloads, where a planted DLL with
// a system DLL's name would otherwise be found first. Libraries loaded from
// here on come from the system folder. Windows before 8 without the update
// that adds SetDefaultDllDirectories at least drop the current folder.
void LoadLibrariesFromTheSystemFolderOnly() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

// Without its own folder the program would read and write its data files in
// whatever folder it was started from: better to say so than to run so.
void ReportUnusableFolder() {
    MessageBoxW(nullptr, L"无法确定程序所在的文件夹，节日、备忘和设置都将无法读取。", ProductName().c_str(),
                MB_OK | MB_ICONERROR);
}

// Before anything reads them: every file the program writes, with what a
// save that did not finish left beside it put back or kept, and said so.
void SettleLeftoversOfDataFiles(const std::filesystem::path& moduleFolder, const std::filesystem::path& settingsFile) {
    const std::tm now = LocalTimeNow();
    for (const std::filesystem::path& file :
         {settingsFile, FestivalFilePath(moduleFolder), ReminderFilePath(moduleFolder),
          AlertStateFilePath(moduleFolder), HolidayScheduleFilePath(moduleFolder)}) {
        const LeftoverOutcome outcome = SettleLeftovers(file, now);
        if (!outcome.worthTelling()) continue;
        const TextAroundFile text = LeftoverText(outcome);
        ShowMessage(nullptr, TextNamingFile(text.before, file, text.after), MB_OK | MB_ICONWARNING);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    LoadLibrariesFromTheSystemFolderOnly();
    DeclareDpiAwareness();
    // COM is first needed by what follows the first picture (a page opened,
    // a screen reader's questions): it starts then, and ends after the shell.
    std::optional<ComApartment> com;
    const std::filesystem::path moduleFolder = ModuleFolder();
    if (moduleFolder.empty()) {
        ReportUnusableFolder();
        return kUnusableFolderExitCode;
    }
    const std::filesystem::path settingsFile = SettingsFilePath(moduleFolder);

    ScopedKernelHandle mutex(CreateMutexW(nullptr, FALSE, kSingleInstanceMutex));
    if (AnotherCopyRuns(mutex.get(), GetLastError())) {
        // The window the user started the program for comes up at once; the
        // message says why it is the one that was there (the month turned,
        // the place kept) and is all there is when that copy cannot answer.
        // Once it is read, the month has the keyboard again.
        const bool shown = ShowRunningCopy();
        MessageBoxW(nullptr, L"程序已在运行中。", ProductName().c_str(), MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
        if (shown) ShowRunningCopy();
        return kSecondCopyExitCode;
    }
    // The only copy: temporary files beside the data files are what a save
    // left when the program or the machine stopped during it.
    SettleLeftoversOfDataFiles(moduleFolder, settingsFile);
    PutFirstRunFiles(moduleFolder);

    MessageLoop loop;
    GdiplusSession gdiplus(GdiplusSession::Starting::kWhenNeeded);

    int code = 0;
    {
        ShellWindow shell(loop, gdiplus, settingsFile, moduleFolder, TimingRequested());
        if (shell.Create()) {
            com.emplace();
            code = loop.Run();
        }
    }
    return code;
}
