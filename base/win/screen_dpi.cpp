#include "base/win/screen_dpi.h"

#include "base/win/scoped_win.h"

namespace {

// Looked up at run time: each exists only from some Windows version on.
template <typename Function>
Function LibraryFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryW(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

using SetContext = BOOL(WINAPI*)(HANDLE);
using SetAwareness = HRESULT(WINAPI*)(int);
using DpiForWindow = UINT(WINAPI*)(HWND);

const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int kProcessPerMonitorDpiAware = 2;

}  // namespace

void DeclareDpiAwareness() {
    if (const auto setContext = LibraryFunction<SetContext>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
        if (setContext(kPerMonitorAwareV2)) return;
    }
    if (const auto setAwareness = LibraryFunction<SetAwareness>(L"shcore.dll", "SetProcessDpiAwareness")) {
        if (SUCCEEDED(setAwareness(kProcessPerMonitorDpiAware))) return;
    }
    SetProcessDPIAware();
}

int WindowDpi(HWND window) {
    if (const auto forWindow = LibraryFunction<DpiForWindow>(L"user32.dll", "GetDpiForWindow")) {
        if (const UINT dpi = window ? forWindow(window) : 0) return static_cast<int>(dpi);
    }
    ScopedWindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    return dpi > 0 ? dpi : 96;
}
