// solvane-e2e STEP [ARGS] [STEP [ARGS] ...]
//
// Drives a running Solvane.exe the way a user would and prints what it finds,
// one line per fact, UTF-8. Steps run in order; the first that fails ends the
// run with exit code 1.
//
//   wait-calendar MS          wait for the shell window and the visible month window
//   calendar                  "calendar L T R B visible|hidden"
//   tray                      "tray present|absent" (the shell's icon 128)
//   tray-menu                 right-click the tray icon; lists the menu that opens
//   left-click X Y            click the month window at client point X, Y
//   right-click X Y           right-click it there; lists the menu that opens
//   menu-pick TEXT            choose the item TEXT of the open menu
//   menu-close                close the open menu
//   drag X Y DX DY            drag from client point X, Y by DX, DY screen pixels
//   message-box MS            wait for a message box of another copy, print it, press OK
//   wait-gone MS              wait for the shell window to go away
//   sleep MS
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "menu_hook.h"

namespace {

constexpr UINT kTrayIconId = 128;
constexpr UINT kTrayCallbackMessage = 10991;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], length, nullptr, nullptr);
    return out;
}

void Print(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool Fail(const std::string& why) {
    Print("error " + why);
    return false;
}

// EnumWindows with a callable: the callback must be a stdcall function on
// 32-bit Windows, which a lambda is not.
template <typename Visit>
BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
    return (*reinterpret_cast<Visit*>(context))(window) ? TRUE : FALSE;
}
template <typename Visit>
void ForEachTopWindow(Visit visit) {
    EnumWindows(&VisitWindow<Visit>, reinterpret_cast<LPARAM>(&visit));
}

HWND ShellWindow() { return FindWindowW(L"#32770", L"Solvane"); }

HWND CalendarWindow(HWND shell) {
    HWND found = nullptr;
    ForEachTopWindow([&](HWND window) {
        wchar_t cls[64] = {};
        GetClassNameW(window, cls, 64);
        if (GetWindow(window, GW_OWNER) == shell && std::wcscmp(cls, L"#32770") == 0) {
            found = window;
            return false;
        }
        return true;
    });
    return found;
}

template <typename Condition>
bool WaitFor(int milliseconds, Condition condition) {
    for (int waited = 0; waited <= milliseconds; waited += 50) {
        if (condition()) return true;
        Sleep(50);
    }
    return false;
}

HWND OpenMenuWindow() {
    HWND found = nullptr;
    ForEachTopWindow([&](HWND window) {
        wchar_t cls[16] = {};
        GetClassNameW(window, cls, 16);
        if (std::wcscmp(cls, L"#32768") == 0 && IsWindowVisible(window)) {
            found = window;
            return false;
        }
        return true;
    });
    return found;
}

// The hook that reads menus inside Solvane.exe, placed on its UI thread.
class MenuReader {
public:
    bool Attach(HWND shell) {
        if (hook_) return true;
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring dll(path);
        dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"solvane-e2e-hook.dll";
        HMODULE module = LoadLibraryW(dll.c_str());
        if (!module) return false;
        auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "SolvaneE2EGetMessageHook")));
        if (!proc) return false;
        hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, module, GetWindowThreadProcessId(shell, nullptr));
        return hook_ != nullptr;
    }

    // The items of the open menu, as the hook wrote them.
    bool Read(HWND popup, std::vector<std::string>& lines) {
        const std::wstring path = MenuDumpPath();
        DeleteFileW(path.c_str());
        for (int attempt = 0; attempt < 40; ++attempt) {
            if (attempt % 10 == 0) PostMessageW(popup, RegisterWindowMessageW(kDumpMenuMessageName), 0, 0);
            Sleep(50);
            HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            if (file == INVALID_HANDLE_VALUE) continue;
            char buffer[8192];
            DWORD read = 0;
            ReadFile(file, buffer, sizeof buffer, &read, nullptr);
            CloseHandle(file);
            lines.clear();
            std::string text(buffer, read), line;
            for (char c : text) {
                if (c == '\n') {
                    lines.push_back(line);
                    line.clear();
                } else {
                    line += c;
                }
            }
            return true;
        }
        return false;
    }

private:
    HHOOK hook_ = nullptr;
};

struct Driver {
    HWND shell = nullptr;
    MenuReader reader;
    std::vector<std::string> menu;  // the open menu's items

    bool NeedShell() {
        shell = ShellWindow();
        return shell != nullptr || Fail("no shell window");
    }

    bool ListOpenMenu() {
        HWND popup = nullptr;
        if (!WaitFor(3000, [&] { return (popup = OpenMenuWindow()) != nullptr; })) return Fail("no menu opened");
        if (!reader.Read(popup, menu)) return Fail("menu not readable");
        for (const std::string& line : menu) Print("menu " + line);
        return true;
    }

    bool PickFromOpenMenu(const std::string& text) {
        HWND popup = OpenMenuWindow();
        if (!popup) return Fail("no menu open");
        // Keyboard selection skips separators: count the selectable items.
        int index = 0;
        for (const std::string& line : menu) {
            if (line == "separator") continue;
            const std::string label = line.substr(line.find_last_of('\t') + 1);
            ++index;
            if (label == text) {
                for (int i = 0; i < index; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
                PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
                return WaitFor(3000, [] { return OpenMenuWindow() == nullptr; }) || Fail("menu stayed open");
            }
        }
        return Fail("no menu item " + text);
    }

    POINT ScreenPoint(int x, int y) {
        POINT p{x, y};
        ClientToScreen(CalendarWindow(shell), &p);
        return p;
    }

    static void Mouse(DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof input);
    }

    // A real mouse movement to a screen point, as the hardware would report it.
    static void MoveTo(int x, int y) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
    }

    bool Click(int x, int y, bool right) {
        if (!NeedShell() || !CalendarWindow(shell)) return Fail("no calendar window");
        const POINT p = ScreenPoint(x, y);
        MoveTo(p.x, p.y);
        Sleep(100);
        Mouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
        Sleep(30);
        Mouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
        return true;
    }

    bool Drag(int x, int y, int dx, int dy) {
        if (!NeedShell() || !CalendarWindow(shell)) return Fail("no calendar window");
        const POINT from = ScreenPoint(x, y);
        MoveTo(from.x, from.y);
        Sleep(100);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        Sleep(50);
        const int steps = 10;
        for (int i = 1; i <= steps; ++i) {
            MoveTo(from.x + dx * i / steps, from.y + dy * i / steps);
            Sleep(30);
        }
        Mouse(MOUSEEVENTF_LEFTUP);
        Sleep(200);
        return true;
    }

    bool PrintCalendar() {
        if (!NeedShell()) return false;
        HWND calendar = CalendarWindow(shell);
        RECT r{};
        if (!calendar || !GetWindowRect(calendar, &r)) return Fail("no calendar window");
        char line[128];
        std::snprintf(line, sizeof line, "calendar %ld %ld %ld %ld %s", r.left, r.top, r.right, r.bottom,
                      IsWindowVisible(calendar) ? "visible" : "hidden");
        Print(line);
        return true;
    }

    bool Tray() {
        if (!NeedShell()) return false;
        // Changing nothing succeeds only for an icon that exists.
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V2_SIZE;
        data.hWnd = shell;
        data.uID = kTrayIconId;
        Print(Shell_NotifyIconW(NIM_MODIFY, &data) ? "tray present" : "tray absent");
        return true;
    }

    bool MessageBoxOfAnotherCopy(int milliseconds) {
        HWND box = nullptr;
        auto find = [&] {
            box = nullptr;
            ForEachTopWindow([&](HWND window) {
                wchar_t cls[16] = {}, title[64] = {};
                GetClassNameW(window, cls, 16);
                GetWindowTextW(window, title, 64);
                if (std::wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window) &&
                    std::wcscmp(title, L"Solvane") != 0 && GetWindow(window, GW_OWNER) == nullptr) {
                    box = window;
                    return false;
                }
                return true;
            });
            return box != nullptr;
        };
        if (!WaitFor(milliseconds, find)) return Fail("no message box");
        wchar_t title[128] = {};
        GetWindowTextW(box, title, 128);
        std::wstring text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[32] = {}, value[256] = {};
            GetClassNameW(child, cls, 32);
            GetWindowTextW(child, value, 256);
            if (_wcsicmp(cls, L"Static") == 0 && value[0]) text = value;
        }
        Print("message-box " + Utf8(title) + "|" + Utf8(text));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Driver driver;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
    size_t i = 0;
    auto number = [&]() { return i < args.size() ? std::atoi(args[i++].c_str()) : 0; };
    auto text = [&]() { return i < args.size() ? args[i++] : std::string(); };
    while (i < args.size()) {
        const std::string step = args[i++];
        bool ok = true;
        if (step == "wait-calendar") {
            const int ms = number();
            ok = WaitFor(ms,
                         [&] {
                             driver.shell = ShellWindow();
                             HWND calendar = driver.shell ? CalendarWindow(driver.shell) : nullptr;
                             RECT r{};
                             return calendar && IsWindowVisible(calendar) && GetWindowRect(calendar, &r) &&
                                    r.right - r.left > 0;
                         }) ||
                 Fail("calendar did not appear");
            if (ok) ok = driver.PrintCalendar();
        } else if (step == "calendar") {
            ok = driver.PrintCalendar();
        } else if (step == "tray") {
            ok = driver.Tray();
        } else if (step == "tray-menu") {
            ok = driver.NeedShell() && (driver.reader.Attach(driver.shell) || Fail("hook not placed"));
            if (ok) {
                PostMessageW(driver.shell, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
                ok = driver.ListOpenMenu();
            }
        } else if (step == "left-click" || step == "right-click") {
            const int x = number(), y = number();
            ok = driver.NeedShell() && (driver.reader.Attach(driver.shell) || Fail("hook not placed")) &&
                 driver.Click(x, y, step == "right-click");
        } else if (step == "list-menu") {
            ok = driver.ListOpenMenu();
        } else if (step == "menu-pick") {
            ok = driver.PickFromOpenMenu(text());
        } else if (step == "menu-close") {
            if (HWND popup = OpenMenuWindow()) PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            ok = WaitFor(3000, [] { return OpenMenuWindow() == nullptr; }) || Fail("menu stayed open");
        } else if (step == "no-menu") {
            Sleep(number());
            ok = OpenMenuWindow() == nullptr || Fail("a menu opened");
            if (ok) Print("no menu");
        } else if (step == "drag") {
            const int x = number(), y = number(), dx = number(), dy = number();
            ok = driver.Drag(x, y, dx, dy);
        } else if (step == "message-box") {
            ok = driver.MessageBoxOfAnotherCopy(number());
        } else if (step == "wait-gone") {
            ok = WaitFor(number(), [] { return ShellWindow() == nullptr; }) || Fail("shell window still there");
            if (ok) Print("gone");
        } else if (step == "sleep") {
            Sleep(number());
        } else {
            ok = Fail("unknown step " + step);
        }
        if (!ok) return 1;
    }
    return 0;
}
