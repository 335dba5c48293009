#include "app/win/single_instance.h"

#include "resources/resource_ids.h"

namespace {

constexpr UINT kAnswerTimeoutMs = 3000;

HWND RunningShellWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"#32770", L"" SOLVANE_SHELL_WINDOW_TITLE)) != nullptr) {
        if (GetPropW(window, kRunningCopyProperty)) return window;
    }
    return nullptr;
}

}  // namespace

bool ShowRunningCopy() {
    const HWND shell = RunningShellWindow();
    if (!shell) return false;
    // The copy just started holds the foreground the user gave it; without
    // passing it on, Windows would only flash the other copy's window.
    DWORD process = 0;
    GetWindowThreadProcessId(shell, &process);
    if (process) AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(shell, kShowRunningCopyMessage, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs,
                               &answer) != 0 &&
           answer != 0;
}
