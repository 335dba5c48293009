// solvane-e2e STEP [ARGS] [STEP [ARGS] ...]
//
// Drives a running Solvane.exe the way a user would and prints what it finds,
// one line per fact, UTF-8. Steps run in order; the first that fails ends the
// run with exit code 1. The steps, their arguments and what they do are the
// table kSteps below; run the driver without arguments for the list.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "base/win/gbk_text.h"
#include "base/win/scoped_win.h"
#include "notices/win/notification_window.h"
#include "resources/resource_ids.h"
#include "tools/e2e-driver/file_exchange.h"
#include "tools/e2e-driver/menu_hook.h"
#include "view/win/tray_icon.h"

namespace {

// Windows' own names: the class of dialogs and message boxes, of pop-up
// menus, and the id of a message box's text.
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr int kMessageBoxTextId = 0xFFFF;

// The program's shell window, found by the title its resource gives it.
constexpr wchar_t kShellWindowTitle[] = L"" SOLVANE_SHELL_WINDOW_TITLE;

// How long a menu's command may take before the driver calls the program hung.
constexpr int kSettleMilliseconds = 30000;

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

HWND ShellWindow() { return FindWindowW(kDialogClass, kShellWindowTitle); }

// The program's one notification window: unowned, found by its title within
// the shell window's process.
HWND NotificationWindow() {
    HWND shell = ShellWindow();
    if (!shell) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(shell, &process);
    HWND found = nullptr;
    ForEachTopWindow([&](HWND window) {
        wchar_t title[64] = {};
        GetWindowTextW(window, title, 64);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && std::wcscmp(title, kNotificationWindowTitle) == 0) {
            found = window;
            return false;
        }
        return true;
    });
    return found;
}

std::wstring WindowText(HWND window) {
    wchar_t text[2048] = {};
    GetWindowTextW(window, text, 2048);
    std::wstring value(text);
    for (wchar_t& c : value) {
        if (c == L'\n') c = L'~';
    }
    return value;
}

// What a message box says: its title, and its message, the last Static
// with a text (the icon is a Static too, without one).
struct MessageBoxText {
    std::wstring title, message;
};
MessageBoxText MessageBoxTextOf(HWND box) {
    MessageBoxText shown;
    wchar_t title[128] = {};
    GetWindowTextW(box, title, 128);
    shown.title = title;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {}, value[512] = {};
        GetClassNameW(child, cls, 32);
        GetWindowTextW(child, value, 512);
        if (_wcsicmp(cls, L"Static") == 0 && value[0]) shown.message = value;
    }
    return shown;
}

std::string RectText(const RECT& r) {
    char line[96];
    std::snprintf(line, sizeof line, "%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    return line;
}

HWND CalendarWindow(HWND shell) {
    HWND found = nullptr;
    ForEachTopWindow([&](HWND window) {
        wchar_t cls[64] = {};
        GetClassNameW(window, cls, 64);
        // A message box over the shell is owned by it too, but has buttons.
        if (GetWindow(window, GW_OWNER) == shell && std::wcscmp(cls, kDialogClass) == 0 && !GetDlgItem(window, IDOK)) {
            found = window;
            return false;
        }
        return true;
    });
    return found;
}

// The process of the running program, through its shell window.
DWORD ProgramProcess() {
    HWND shell = ShellWindow();
    DWORD process = 0;
    if (shell) GetWindowThreadProcessId(shell, &process);
    return process;
}

std::wstring TextOfWindow(HWND window) {
    wchar_t text[4096] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    std::wstring value(text);
    for (wchar_t& c : value) {
        if (c == L'\n') c = L'~';
        if (c == L'\r') c = L'~';
    }
    std::wstring joined;  // "\r\n" as one ~
    for (wchar_t c : value) {
        if (!(c == L'~' && !joined.empty() && joined.back() == L'~')) joined += c;
    }
    return joined;
}

bool IsMessageBox(HWND window) { return GetDlgItem(window, kMessageBoxTextId) != nullptr; }

// A visible top-level dialog of the program: one with that caption, or any
// message box when `caption` is null; only an enabled one (the top of a stack
// of modal windows) when `enabledOnly`.
HWND ProgramDialog(const std::wstring* caption, bool enabledOnly = false) {
    const DWORD process = ProgramProcess();
    if (!process) return nullptr;
    HWND found = nullptr;
    ForEachTopWindow([&](HWND window) {
        wchar_t cls[16] = {}, title[256] = {};
        GetClassNameW(window, cls, 16);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != process || std::wcscmp(cls, kDialogClass) != 0 || !IsWindowVisible(window)) return true;
        if (enabledOnly && !IsWindowEnabled(window)) return true;
        GetWindowTextW(window, title, 256);
        if (caption ? (*caption == title && !IsMessageBox(window)) : IsMessageBox(window)) {
            found = window;
            return false;
        }
        return true;
    });
    return found;
}

std::string ClassAndTitle(HWND window) {
    if (!window) return "none";
    wchar_t cls[64] = {}, title[128] = {};
    GetClassNameW(window, cls, 64);
    GetWindowTextW(window, title, 128);
    return Utf8FromWide(cls) + " '" + Utf8FromWide(title) + "'";
}

// The program's top-level windows as "class 'title' visible|hidden
// enabled|disabled", then where the keyboard goes, for the complaint when an
// expected window is missing.
std::string ProgramWindowsText() {
    const DWORD process = ProgramProcess();
    std::string text;
    ForEachTopWindow([&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != process) return true;
        text += "[" + ClassAndTitle(window) + (IsWindowVisible(window) ? " visible" : " hidden") +
                (IsWindowEnabled(window) ? "" : " disabled") + "] ";
        return true;
    });
    HWND foreground = GetForegroundWindow();
    GUITHREADINFO input{};
    input.cbSize = sizeof input;
    GetGUIThreadInfo(foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0, &input);
    return text + "keyboard: foreground " + ClassAndTitle(foreground) + ", focus " + ClassAndTitle(input.hwndFocus);
}

// Memory inside the program, for list-view messages that carry pointers.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) : size_(size) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process));
        if (process_) address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool ok() const { return address_ != nullptr; }
    char* address() const { return static_cast<char*>(address_); }
    bool Write(size_t offset, const void* data, size_t size) {
        return WriteProcessMemory(process_.get(), address() + offset, data, size, nullptr) != 0;
    }
    bool Read(size_t offset, void* data, size_t size) {
        return ReadProcessMemory(process_.get(), address() + offset, data, size, nullptr) != 0;
    }

private:
    ScopedKernelHandle process_;
    void* address_ = nullptr;
    size_t size_;
};

template <typename Condition>
bool WaitFor(int milliseconds, Condition condition, int step = 50) {
    for (int waited = 0; waited <= milliseconds; waited += step) {
        if (condition()) return true;
        Sleep(step);
    }
    return false;
}

HWND OpenMenuWindow() {
    HWND found = nullptr;
    ForEachTopWindow([&](HWND window) {
        wchar_t cls[16] = {};
        GetClassNameW(window, cls, 16);
        if (std::wcscmp(cls, kMenuClass) == 0 && IsWindowVisible(window)) {
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
        auto proc =
            reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "SolvaneE2EGetMessageHook")));
        if (!proc) return false;
        hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, module, GetWindowThreadProcessId(shell, nullptr));
        return hook_ != nullptr;
    }

    // The items of the open menu, as the hook wrote them.
    bool Read(HWND popup, std::vector<std::string>& lines) {
        const std::wstring path = MenuDumpPath();
        DeleteFileW(path.c_str());
        // Up to 10 s: a program busy beside other test runs may take seconds
        // to take the hook's message, and a menu left unread stays open and
        // spoils every step after it.
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (attempt % 10 == 0) PostMessageW(popup, RegisterWindowMessageW(kDumpMenuMessageName), 0, 0);
            Sleep(50);
            std::string text, line;
            if (!ReadFileText(path, text)) continue;
            lines.clear();
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

// Written beside and moved into place, so that the hook never reads half a
// request; retried while the hook still has the previous one open.
bool WriteWhole(const std::wstring& path, const std::string& text) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (WriteFileWhole(path, text)) return true;
        Sleep(50);
    }
    return false;
}

// One line of a menu as the hook wrote it: what the driver prints (the line
// without its place), the item's text and where it is on the screen.
struct MenuLine {
    std::string shown;
    std::string label;  // empty for a separator
    RECT place{};
};

std::vector<MenuLine> MenuLinesOf(const std::vector<std::string>& lines) {
    std::vector<MenuLine> menu;
    for (const std::string& line : lines) {
        MenuLine item;
        item.shown = line;
        const size_t at = line.rfind("\t@");
        if (at != std::string::npos) {
            item.shown = line.substr(0, at);
            std::sscanf(line.c_str() + at + 2, "%ld,%ld,%ld,%ld", &item.place.left, &item.place.top, &item.place.right,
                        &item.place.bottom);
        }
        if (item.shown != "separator") item.label = item.shown.substr(item.shown.find_last_of('\t') + 1);
        menu.push_back(item);
    }
    return menu;
}

struct Driver {
    HWND shell = nullptr;
    MenuReader reader;
    std::vector<MenuLine> menu;  // the open menu's items

    bool NeedShell() {
        shell = ShellWindow();
        return shell != nullptr || Fail("no shell window");
    }

    bool ReadMenu(HWND popup, std::vector<MenuLine>& lines) {
        std::vector<std::string> raw;
        if (!reader.Read(popup, raw)) return false;
        lines = MenuLinesOf(raw);
        return true;
    }

    bool ListOpenMenu() {
        HWND popup = nullptr;
        if (!WaitFor(10000, [&] { return (popup = OpenMenuWindow()) != nullptr; })) return Fail("no menu opened");
        if (!ReadMenu(popup, menu)) return Fail("menu not readable");
        for (const MenuLine& line : menu) Print("menu " + line.shown);
        return true;
    }

    // Menu items are chosen with the pointer, as most users do: the keys a
    // menu takes move from whatever item is selected, and under Wine a
    // window appearing under the pointer deselects it at a time of its own.
    // The pointer goes back afterwards, so that it leaves no hover behind.
    static void ClickAt(const RECT& place) {
        MoveTo((place.left + place.right) / 2, (place.top + place.bottom) / 2);
        Sleep(50);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        Sleep(30);
        Mouse(MOUSEEVENTF_LEFTUP);
    }

    static const MenuLine* FindItem(const std::vector<MenuLine>& lines, const std::string& label) {
        for (const MenuLine& line : lines)
            if (line.label == label) return &line;
        return nullptr;
    }

    bool ChooseItem(const std::vector<MenuLine>& lines, const std::string& label, const POINT& pointer) {
        const MenuLine* item = FindItem(lines, label);
        if (!item) return Fail("no menu item " + label);
        ClickAt(item->place);
        const bool closed = WaitFor(10000, [] { return OpenMenuWindow() == nullptr; }) || Fail("menu stayed open");
        MoveTo(pointer.x, pointer.y);
        return closed && Settle(kSettleMilliseconds);
    }

    // Opens the sub-menu `parent` of the listed menu; its window in `sub`.
    bool OpenSubMenu(const std::string& parent, HWND& sub) {
        HWND popup = OpenMenuWindow();
        if (!popup) return Fail("no menu open");
        const MenuLine* item = FindItem(menu, parent);
        if (!item) return Fail("no menu item " + parent);
        ClickAt(item->place);
        sub = nullptr;
        const bool opened = WaitFor(10000, [&] {
            ForEachTopWindow([&](HWND window) {
                wchar_t cls[16] = {};
                GetClassNameW(window, cls, 16);
                if (window != popup && std::wcscmp(cls, kMenuClass) == 0 && IsWindowVisible(window)) {
                    sub = window;
                    return false;
                }
                return true;
            });
            return sub != nullptr;
        });
        return opened || Fail("sub-menu " + parent + " did not open");
    }

    bool PickFromSubMenu(const std::string& parent, const std::string& child) {
        POINT pointer{};
        GetCursorPos(&pointer);
        HWND sub = nullptr;
        if (!OpenSubMenu(parent, sub)) return false;
        std::vector<MenuLine> items;
        if (!ReadMenu(sub, items)) return Fail("sub-menu not readable");
        return ChooseItem(items, child, pointer);
    }

    // Leaves the sub-menu open, for a screenshot.
    bool ListSubMenu(const std::string& parent) {
        HWND sub = nullptr;
        if (!OpenSubMenu(parent, sub)) return false;
        std::vector<MenuLine> items;
        if (!ReadMenu(sub, items)) return Fail("sub-menu not readable");
        for (const MenuLine& line : items) Print("submenu " + line.shown);
        return true;
    }

    bool PickFromOpenMenu(const std::string& text) {
        if (!OpenMenuWindow()) return Fail("no menu open");
        POINT pointer{};
        GetCursorPos(&pointer);
        return ChooseItem(menu, text, pointer);
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

    // Two clicks of separate steps, even of separate runs of the driver, on
    // the same spot within the double-click time would be a double click,
    // which opens a day's 黄历 page: each click is remembered (button, place,
    // tick) and the next one on that spot waits the double-click time out.
    static std::wstring LastClickPath() { return TempFilePath(L"solvane-e2e-click.txt"); }

    static void WaitOutDoubleClick(const POINT& p, bool right) {
        std::string text;
        long button = -1, x = 0, y = 0;
        unsigned long tick = 0;
        if (!ReadFileText(LastClickPath(), text) ||
            std::sscanf(text.c_str(), "%ld %ld %ld %lu", &button, &x, &y, &tick) != 4 || button != (right ? 1 : 0) ||
            std::abs(x - p.x) > GetSystemMetrics(SM_CXDOUBLECLK) ||
            std::abs(y - p.y) > GetSystemMetrics(SM_CYDOUBLECLK)) {
            return;
        }
        const DWORD since = GetTickCount() - static_cast<DWORD>(tick);
        const DWORD needed = GetDoubleClickTime() + 100;
        if (since < needed) Sleep(needed - since);
    }

    static void RememberClick(const POINT& p, bool right) {
        char line[64];
        std::snprintf(line, sizeof line, "%d %ld %ld %lu", right ? 1 : 0, p.x, p.y,
                      static_cast<unsigned long>(GetTickCount()));
        WriteFileWhole(LastClickPath(), line);
    }

    bool Click(int x, int y, bool right) {
        if (!NeedShell() || !CalendarWindow(shell)) return Fail("no calendar window");
        const POINT p = ScreenPoint(x, y);
        WaitOutDoubleClick(p, right);
        MoveTo(p.x, p.y);
        Sleep(100);
        Mouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
        Sleep(30);
        Mouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
        RememberClick(p, right);
        return true;
    }

    bool DoubleClick(int x, int y) {
        if (!NeedShell() || !CalendarWindow(shell)) return Fail("no calendar window");
        const POINT p = ScreenPoint(x, y);
        WaitOutDoubleClick(p, false);
        MoveTo(p.x, p.y);
        Sleep(100);
        for (int i = 0; i < 2; ++i) {
            Mouse(MOUSEEVENTF_LEFTDOWN);
            Sleep(20);
            Mouse(MOUSEEVENTF_LEFTUP);
            Sleep(40);
        }
        RememberClick(p, false);
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

    bool PrintShownMonth() {
        HWND calendar = NeedShell() ? CalendarWindow(shell) : nullptr;
        if (!calendar) return Fail("no calendar window");
        Print("month " + Utf8FromWide(WindowText(calendar)));
        return true;
    }

    // The keys of a shortcut as typed: the month window first takes the
    // keyboard, as a click on it would give it.
    bool CalendarCtrlKey(const std::string& letter) {
        HWND calendar = NeedShell() ? CalendarWindow(shell) : nullptr;
        if (!calendar) return Fail("no calendar window");
        if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0]))) return Fail("not a letter");
        SetForegroundWindow(calendar);
        if (!WaitFor(10000, [&] { return GetForegroundWindow() == calendar; }))
            return Fail("no keyboard for the month");
        const WORD key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(letter[0])));
        INPUT keys[4] = {};
        for (INPUT& input : keys) input.type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
        keys[1].ki.wVk = keys[2].ki.wVk = key;
        keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
        for (INPUT& input : keys) {
            SendInput(1, &input, sizeof(INPUT));
            Sleep(30);
        }
        return true;
    }

    HWND dialog = nullptr;  // the dialog the control steps act on

    bool WaitDialog(const std::string& caption, int milliseconds) {
        const std::wstring wide = WideFromUtf8(caption);
        if (!WaitFor(milliseconds, [&] { return (dialog = ProgramDialog(&wide, true)) != nullptr; })) {
            return Fail("no dialog " + caption + " among " + ProgramWindowsText());
        }
        Sleep(200);  // let its initialisation finish painting
        Print("dialog " + caption);
        return true;
    }

    // Carries out a request inside the program through the hook; prints the
    // answer's lines for `read`, and any complaint.
    bool Request(const std::string& action, const std::string& a = "", const std::string& b = "") {
        if (!dialog || !IsWindow(dialog)) return Fail("no dialog");
        if (!NeedShell() || !reader.Attach(shell)) return Fail("hook not placed");
        static unsigned sequence = GetTickCount();
        const std::string number = std::to_string(++sequence);
        const std::wstring answerPath = ControlAnswerPath();
        DeleteFileW(answerPath.c_str());
        if (!WriteWhole(ControlRequestPath(), number + "\t" + action + "\t" + a + "\t" + b + "\n")) {
            return Fail("request not written");
        }
        const UINT message = RegisterWindowMessageW(kControlRequestMessageName);
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (attempt % 20 == 0) PostMessageW(dialog, message, 0, 0);
            Sleep(50);
            std::string text;
            if (!ReadFileText(answerPath, text)) continue;
            const size_t firstEnd = text.find('\n');
            if (firstEnd == std::string::npos || text.substr(0, firstEnd) != number) continue;
            bool ok = true;
            std::string line;
            for (size_t i = firstEnd + 1; i < text.size(); ++i) {
                if (text[i] != '\n') {
                    line += text[i];
                    continue;
                }
                if (line.rfind("error", 0) == 0) ok = false;
                if (action == "read" || action == "cut" || action == "lines" || !ok) Print(line);
                line.clear();
            }
            return ok;
        }
        return Fail("no answer to " + action);
    }

    HWND Control(int id) {
        HWND control = dialog ? GetDlgItem(dialog, id) : nullptr;
        if (!control) Fail("no control " + std::to_string(id));
        return control;
    }

    bool SetText(int id, const std::string& text) {
        HWND control = Control(id);
        if (!control) return false;
        const std::wstring wide = WideFromUtf8(text);
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG,
                                   5000, &result) != 0 ||
               Fail("text not set");
    }

    bool Choose(int id, const std::string& text) {
        HWND control = Control(id);
        if (!control) return false;
        const std::wstring wide = WideFromUtf8(text);
        DWORD_PTR index = 0;
        SendMessageTimeoutW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG, 5000, &index);
        if (static_cast<LRESULT>(index) == CB_ERR) return Fail("no item " + text);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(control, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        Command(id, control, CBN_SELCHANGE);
        return true;
    }

    // The control's notification, handled before the next step reads the
    // dialog: sent, not posted, since on a busy machine a posted one may wait
    // longer than any pause. A command that opens a modal window of its own
    // does not return until that closes; the driver goes on after two seconds.
    void Command(int id, HWND control, int code = BN_CLICKED) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control), SMTO_NORMAL,
                            2000, &ignored);
    }

    bool Click(int id) {
        HWND control = Control(id);
        if (!control) return false;
        Command(id, control);
        return true;
    }

    bool Check(int id, bool on) {
        HWND control = Control(id);
        if (!control) return false;
        const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (checked != on) {
            SendMessageW(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
            Command(id, control);
        }
        return true;
    }

    bool State(int id) {
        HWND control = Control(id);
        if (!control) return false;
        std::string line = "state " + std::to_string(id);
        line += IsWindowEnabled(control) ? " enabled" : " disabled";
        line += SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? " checked" : " unchecked";
        line += IsWindowVisible(control) ? " visible" : " hidden";
        Print(line);
        return true;
    }

    bool Rows(int id) {
        HWND list = Control(id);
        if (!list) return false;
        const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
        constexpr size_t kText = 2048;
        RemoteBuffer remote(list, sizeof(LVITEMW) + kText * sizeof(wchar_t));
        if (!remote.ok()) return Fail("no memory in the program");
        for (int row = 0; row < rows; ++row) {
            std::string line = "row " + std::to_string(row);
            for (int column = 0; column < columns; ++column) {
                LVITEMW item{};
                item.iSubItem = column;
                item.pszText = reinterpret_cast<LPWSTR>(remote.address() + sizeof(LVITEMW));
                item.cchTextMax = kText;
                remote.Write(0, &item, sizeof item);
                SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.address()));
                wchar_t text[kText] = {};
                remote.Read(sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t));
                line += "\t" + Utf8FromWide(text);
            }
            Print(line);
        }
        Print("rows " + std::to_string(rows));
        return true;
    }

    bool MessageBoxOfProgram(int milliseconds, const std::string& answer) {
        HWND box = nullptr;
        if (!WaitFor(milliseconds, [&] { return (box = ProgramDialog(nullptr)) != nullptr; })) return Fail("no box");
        wchar_t title[256] = {};
        GetWindowTextW(box, title, 256);
        Print("box " + Utf8FromWide(title) + "|" + Utf8FromWide(TextOfWindow(GetDlgItem(box, kMessageBoxTextId))));
        int button = 0;
        if (answer == "ok") button = IDOK;
        if (answer == "cancel") button = IDCANCEL;
        if (answer == "yes") button = IDYES;
        if (answer == "no") button = IDNO;
        if (!button) return true;
        PostMessageW(box, WM_COMMAND, button, 0);
        return WaitFor(10000, [&] { return !IsWindow(box) || !IsWindowVisible(box); }) || Fail("box stayed open");
    }

    bool Hover(int x, int y) {
        if (!NeedShell() || !CalendarWindow(shell)) return Fail("no calendar window");
        const POINT p = ScreenPoint(x, y);
        MoveTo(p.x - 3, p.y - 3);
        Sleep(100);
        MoveTo(p.x, p.y);
        return true;
    }

    static HWND VisibleBalloon() {
        const DWORD process = ProgramProcess();
        HWND found = nullptr;
        ForEachTopWindow([&](HWND window) {
            wchar_t cls[32] = {};
            GetClassNameW(window, cls, 32);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process && _wcsicmp(cls, L"tooltips_class32") == 0 && IsWindowVisible(window)) {
                found = window;
                return false;
            }
            return true;
        });
        return found;
    }

    // A message box the running program shows over its hidden shell window.
    HWND OwnedMessageBox() {
        if (!shell) shell = ShellWindow();
        if (!shell) return nullptr;
        HWND found = nullptr;
        ForEachTopWindow([&](HWND window) {
            wchar_t cls[16] = {};
            GetClassNameW(window, cls, 16);
            if (GetWindow(window, GW_OWNER) == shell && std::wcscmp(cls, kDialogClass) == 0 &&
                IsWindowVisible(window) && GetDlgItem(window, IDOK) && GetDlgItem(window, IDCANCEL)) {
                found = window;
                return false;
            }
            return true;
        });
        return found;
    }

    bool UpdateBox(int milliseconds, const std::string& answer) {
        HWND box = nullptr;
        if (!WaitFor(milliseconds, [&] { return (box = OwnedMessageBox()) != nullptr; })) {
            return Fail("no update box");
        }
        const MessageBoxText shown = MessageBoxTextOf(box);
        std::wstring text = shown.message;
        for (wchar_t& c : text) {
            if (c == L'\n') c = L'~';
        }
        Print("update-box " + Utf8FromWide(shown.title) + "|" + Utf8FromWide(text));
        PostMessageW(box, WM_COMMAND, answer == "ok" ? IDOK : IDCANCEL, 0);
        return WaitFor(10000, [&] { return !IsWindow(box); }) || Fail("update box stayed open");
    }

    // Waits until the notice is visible and has stopped moving (and, when
    // given, shows `expected`), then prints it.
    bool Notice(int milliseconds, const std::string* expected) {
        HWND notice = nullptr;
        RECT last{}, r{};
        int still = 0;
        const bool rested = WaitFor(milliseconds, [&] {
            notice = NotificationWindow();
            if (!notice || !IsWindowVisible(notice) || !GetWindowRect(notice, &r)) {
                still = 0;
                return false;
            }
            still = EqualRect(&r, &last) ? still + 1 : 0;
            last = r;
            if (expected && Utf8FromWide(WindowText(GetDlgItem(notice, IDC_NOTICE_MESSAGE))) != *expected) return false;
            return still >= 6;  // 300 ms without a move
        });
        if (!rested) {
            if (notice)
                Print("notice " + RectText(r) + "|" + Utf8FromWide(WindowText(GetDlgItem(notice, IDC_NOTICE_MESSAGE))));
            return Fail("no resting notice");
        }
        Print("notice " + RectText(r) + "|" + Utf8FromWide(WindowText(GetDlgItem(notice, IDC_NOTICE_CAPTION))) + "|" +
              Utf8FromWide(WindowText(GetDlgItem(notice, IDC_NOTICE_MESSAGE))));
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        Print("work-area " + RectText(work));
        return true;
    }

    static int ButtonOf(const std::string& which) {
        if (which == "snooze") return IDC_NOTICE_SNOOZE;
        return which == "x" ? IDCANCEL : IDOK;
    }

    bool NoticeClick(const std::string& which) {
        HWND notice = NotificationWindow();
        if (!notice || !IsWindowVisible(notice)) return Fail("no notice");
        // 稍后提醒 opens a menu, which list-menu reads through the hook.
        if (which == "snooze" && !NeedHook()) return false;
        if (!IsWindowVisible(GetDlgItem(notice, ButtonOf(which)))) return Fail("button " + which + " not shown");
        HWND button = GetDlgItem(notice, ButtonOf(which));
        if (!button) return Fail("no button " + which);
        PostMessageW(button, BM_CLICK, 0, 0);
        return true;
    }

    // Presses the button at the first sight of the notice, which then is
    // normally still on its way up.
    bool NoticeSlideClick(const std::string& which) {
        HWND notice = nullptr;
        if (!WaitFor(
                120000, [&] { return (notice = NotificationWindow()) && IsWindowVisible(notice); }, 5)) {
            return Fail("no notice");
        }
        RECT before{}, after{};
        GetWindowRect(notice, &before);
        SendMessageW(GetDlgItem(notice, ButtonOf(which)), BM_CLICK, 0, 0);
        Sleep(20);
        GetWindowRect(notice, &after);
        Print(after.top < before.top ? "clicked sliding" : "clicked resting");
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
                if (std::wcscmp(cls, kDialogClass) == 0 && IsWindowVisible(window) &&
                    std::wcscmp(title, kShellWindowTitle) != 0 && GetWindow(window, GW_OWNER) == nullptr) {
                    box = window;
                    return false;
                }
                return true;
            });
            return box != nullptr;
        };
        if (!WaitFor(milliseconds, find)) return Fail("no message box");
        const MessageBoxText shown = MessageBoxTextOf(box);
        Print("message-box " + Utf8FromWide(shown.title) + "|" + Utf8FromWide(shown.message));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    }

    bool NeedHook() { return NeedShell() && (reader.Attach(shell) || Fail("hook not placed")); }

    bool WaitCalendar(int milliseconds) {
        const bool shown = WaitFor(milliseconds, [&] {
            shell = ShellWindow();
            HWND calendar = shell ? CalendarWindow(shell) : nullptr;
            RECT r{};
            return calendar && IsWindowVisible(calendar) && GetWindowRect(calendar, &r) && r.right - r.left > 0;
        });
        return (shown || Fail("calendar did not appear")) && Settle(milliseconds) && PrintCalendar();
    }

    // Waits until the program has done what it was given and reads its
    // messages again: a message sent to the shell window is answered only then.
    // A command chosen from a menu is carried out before the menu call
    // returns to the loop, so it is done by then, and a dialog or message box
    // it opened reads messages too. A shell window gone meanwhile has nothing
    // more to do.
    bool Settle(int milliseconds) {
        HWND window = ShellWindow();
        DWORD_PTR ignored = 0;
        if (!window || SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, milliseconds, &ignored)) return true;
        return !IsWindow(window) || Fail("the program does not answer");
    }

    static bool BalloonGone(int milliseconds) {
        return WaitFor(milliseconds, [] { return VisibleBalloon() == nullptr; }) || Fail("the balloon stayed");
    }

    bool TrayMenu() {
        if (!NeedHook()) return false;
        // A program still busy with what came before (reading the files a
        // manager saved, say) would open the menu after ListOpenMenu gave up
        // on it, and the menu would then stand in the way of the next step.
        if (!Settle(10000)) return false;
        PostMessageW(shell, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
        return ListOpenMenu();
    }

    // An open sub-menu closes first, then the menu it came from.
    static bool CloseMenu() {
        for (int level = 0; level < 4; ++level) {
            HWND popup = OpenMenuWindow();
            if (!popup) return true;
            PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            WaitFor(3000, [&] { return !IsWindowVisible(popup); });
        }
        return WaitFor(10000, [] { return OpenMenuWindow() == nullptr; }) || Fail("menu stayed open");
    }

    static bool NoMenu(int milliseconds) {
        Sleep(milliseconds);
        if (OpenMenuWindow()) return Fail("a menu opened");
        Print("no menu");
        return true;
    }

    bool NoUpdateBox(int milliseconds) {
        if (WaitFor(milliseconds, [&] { return OwnedMessageBox() != nullptr; })) return Fail("an update box appeared");
        Print("no update box");
        return true;
    }

    static bool WaitGone(int milliseconds) {
        if (!WaitFor(milliseconds, [] { return ShellWindow() == nullptr; })) return Fail("shell window still there");
        Print("gone");
        return true;
    }

    bool Post(const std::string& message, const std::string& wParam, const std::string& lParam) {
        const UINT number = static_cast<UINT>(std::strtoul(message.c_str(), nullptr, 0));
        if (!NeedShell()) return false;
        if (!PostMessageW(shell, number, static_cast<WPARAM>(std::strtoull(wParam.c_str(), nullptr, 0)),
                          static_cast<LPARAM>(std::strtoull(lParam.c_str(), nullptr, 0)))) {
            return Fail("not posted");
        }
        Print("posted " + std::to_string(number));
        return true;
    }

    // As Windows ends a session: the query to every top-level window of the
    // program, then the end to each, which ends it only when every window
    // allowed it and nobody cancelled.
    bool EndSession(bool cancelled) {
        if (!NeedShell()) return false;
        std::vector<HWND> windows;
        const DWORD process = ProgramProcess();
        ForEachTopWindow([&](HWND window) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process) windows.push_back(window);
            return true;
        });
        bool allowed = true;
        for (HWND window : windows) {
            DWORD_PTR answer = 0;
            const bool answered = SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                                      SMTO_ABORTIFHUNG, 5000, &answer) != 0;
            if (!answered && IsWindow(window)) return Fail("no answer to WM_QUERYENDSESSION");
            if (IsWindow(window) && !answer) allowed = false;
        }
        Print(allowed ? "query-end-session allowed" : "query-end-session refused");
        const WPARAM ends = allowed && !cancelled;
        // The program may be gone before every window had its answer.
        for (HWND window : windows) {
            DWORD_PTR ignored = 0;
            if (IsWindow(window)) {
                SendMessageTimeoutW(window, WM_ENDSESSION, ends, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &ignored);
            }
        }
        return true;
    }

    static bool PrintWorkArea() {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        Print("work-area " + RectText(work));
        return true;
    }

    static bool NoticeShown() {
        HWND notice = NotificationWindow();
        return notice && IsWindowVisible(notice);
    }

    static bool NoticeGone(int milliseconds) {
        const bool gone = WaitFor(milliseconds, [] { return NotificationWindow() && !NoticeShown(); });
        if (!gone) return Fail("the notice stayed");
        Print("notice gone");
        return true;
    }

    static bool NoNotice(int milliseconds) {
        if (WaitFor(milliseconds, NoticeShown)) return Fail("a notice appeared");
        Print("no notice");
        return true;
    }

    static bool NoDialog(const std::string& caption, int milliseconds) {
        const std::wstring wide = WideFromUtf8(caption);
        if (WaitFor(milliseconds, [&] { return ProgramDialog(&wide) != nullptr; })) {
            return Fail("dialog " + caption + " opened");
        }
        Print("no dialog " + caption);
        return true;
    }

    static bool DialogGone(const std::string& caption, int milliseconds) {
        const std::wstring wide = WideFromUtf8(caption);
        return WaitFor(milliseconds, [&] { return ProgramDialog(&wide) == nullptr; }) ||
               Fail("dialog " + caption + " stayed");
    }

    static bool NoMessageBox(int milliseconds) {
        if (WaitFor(milliseconds, [] { return ProgramDialog(nullptr) != nullptr; })) return Fail("a box opened");
        Print("no box");
        return true;
    }

    bool CloseDialog() {
        if (!dialog) return Fail("no dialog");
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        Sleep(100);
        return true;
    }

    bool TextOf(int id) {
        HWND control = Control(id);
        if (!control) return false;
        Print("text " + std::to_string(id) + " " + Utf8FromWide(TextOfWindow(control)));
        return true;
    }

    bool PrintDialogSize() {
        RECT r{};
        if (!dialog || !GetWindowRect(dialog, &r)) return Fail("no dialog");
        Print("size " + std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
        return true;
    }

    bool PrintDialogRect() {
        RECT r{};
        if (!dialog || !GetWindowRect(dialog, &r)) return Fail("no dialog");
        Print("dialog-rect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
              " " + std::to_string(r.bottom));
        return true;
    }

    bool Resize(int dw, int dh) {
        RECT r{};
        if (!dialog || !GetWindowRect(dialog, &r)) return Fail("no dialog");
        SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(200);
        return true;
    }

    static bool PrintBalloonShown(int milliseconds) {
        Print(WaitFor(milliseconds, [] { return VisibleBalloon() != nullptr; }) ? "balloon shown" : "no balloon");
        return true;
    }

    static bool PrintBalloonRect() {
        RECT r{};
        const HWND balloon = VisibleBalloon();
        if (!balloon || !GetWindowRect(balloon, &r)) return Fail("no balloon shown");
        Print("balloon " + RectText(r));
        return true;
    }

    ULONGLONG stopwatch = 0;  // when the run's previous stopwatch step ran

    bool Stopwatch() {
        const ULONGLONG now = GetTickCount64();
        Print("stopwatch " + std::to_string(stopwatch ? now - stopwatch : 0));
        stopwatch = now;
        return true;
    }

    static bool PressKey(WORD key) {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = key;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &keys[0], sizeof(INPUT));
        Sleep(30);
        SendInput(1, &keys[1], sizeof(INPUT));
        Sleep(100);
        return true;
    }

    // Keys by the names the steps take: "pagedown", "ctrl+pageup",
    // "shift+f10".
    static bool PressNamedKey(const std::string& name) {
        struct Named {
            const char* name;
            WORD key;
        };
        static const Named keys[] = {{"left", VK_LEFT}, {"right", VK_RIGHT},  {"up", VK_UP},
                                     {"down", VK_DOWN}, {"pageup", VK_PRIOR}, {"pagedown", VK_NEXT},
                                     {"home", VK_HOME}, {"enter", VK_RETURN}, {"escape", VK_ESCAPE},
                                     {"apps", VK_APPS}, {"f10", VK_F10},      {"g", 'G'}};
        std::vector<WORD> held;
        std::string rest = name;
        for (const auto& [prefix, key] : {std::pair<std::string, WORD>{"ctrl+", VK_CONTROL}, {"shift+", VK_SHIFT}}) {
            if (rest.rfind(prefix, 0) == 0) {
                held.push_back(key);
                rest = rest.substr(prefix.size());
            }
        }
        const Named* found = nullptr;
        for (const Named& named : keys) {
            if (rest == named.name) found = &named;
        }
        if (!found) return Fail("no key " + name);
        std::vector<INPUT> inputs;
        const auto add = [&](WORD key, bool up) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        };
        for (WORD key : held) add(key, false);
        add(found->key, false);
        add(found->key, true);
        for (auto key = held.rbegin(); key != held.rend(); ++key) add(*key, true);
        for (INPUT& input : inputs) {
            SendInput(1, &input, sizeof input);
            Sleep(20);
        }
        Sleep(100);
        return true;
    }

    // A turn of the wheel over client point X, Y of the month window, as a
    // wheel of the given resolution reports it: DELTA in steps of STEP.
    bool Wheel(int x, int y, int delta, int step, bool control) {
        if (!NeedShell() || !CalendarWindow(shell)) return Fail("no calendar window");
        const POINT p = ScreenPoint(x, y);
        MoveTo(p.x, p.y);
        Sleep(100);
        if (control) {
            INPUT down{};
            down.type = INPUT_KEYBOARD;
            down.ki.wVk = VK_CONTROL;
            SendInput(1, &down, sizeof down);
        }
        const int sign = delta < 0 ? -1 : 1;
        for (int left = std::abs(delta); left > 0; left -= step) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = MOUSEEVENTF_WHEEL;
            input.mi.mouseData = static_cast<DWORD>(sign * std::min(step, left));
            SendInput(1, &input, sizeof input);
            Sleep(30);
        }
        if (control) {
            INPUT up{};
            up.type = INPUT_KEYBOARD;
            up.ki.wVk = VK_CONTROL;
            up.ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(1, &up, sizeof up);
        }
        Sleep(100);
        return true;
    }

    // COUNT notches of the wheel towards the user over client point X, Y, a
    // month each. Each notch is waited for: the window names the new month
    // before drawing it, and the program answers again once it has drawn it.
    // Prints "flips COUNT wall MS". (Wine gives no process times of another
    // process; tools/bench/flip_bench.sh reads the program's from /proc.)
    bool Flips(int count, int x, int y) {
        if (!NeedShell() || !CalendarWindow(shell)) return Fail("no calendar window");
        const HWND calendar = CalendarWindow(shell);
        const POINT p = ScreenPoint(x, y);
        MoveTo(p.x, p.y);
        if (!Settle(kSettleMilliseconds)) return false;
        const ULONGLONG begun = GetTickCount64();
        for (int i = 0; i < count; ++i) {
            const std::wstring shown = WindowText(calendar);
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = MOUSEEVENTF_WHEEL;
            input.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
            SendInput(1, &input, sizeof input);
            if (!WaitFor(
                    kSettleMilliseconds, [&] { return WindowText(calendar) != shown; }, 1)) {
                return Fail("the month did not change at notch " + std::to_string(i + 1));
            }
            if (!Settle(kSettleMilliseconds)) return false;
        }
        Print("flips " + std::to_string(count) + " wall " + std::to_string(GetTickCount64() - begun));
        return true;
    }

    // The month shown, by the title the window keeps for readers and the
    // task switcher.
    // A click on the tray icon as the notification area reports it.
    bool TrayClick(bool twice) {
        if (!NeedShell()) return false;
        // Sent one by one, so that each has been handled when the step ends:
        // posted, they could still wait behind the answer Settle gets.
        const LPARAM events[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
        for (size_t i = 0; i < (twice ? 4u : 2u); ++i) {
            DWORD_PTR ignored = 0;
            if (!SendMessageTimeoutW(shell, kTrayCallbackMessage, kTrayIconId, events[i], SMTO_NORMAL,
                                     kSettleMilliseconds, &ignored)) {
                return Fail("the program does not answer");
            }
            Sleep(30);
        }
        return true;
    }

    // The month window as a screen reader reads it, through the accessible
    // object it gives Windows: "table NAME", then one line per child,
    // "cell|button<TAB>NAME" with "<TAB>focused" on the focused child.
    bool ReadAccessible() {
        if (!NeedShell()) return false;
        HWND calendar = CalendarWindow(shell);
        if (!calendar) return Fail("no calendar window");
        struct ComApartment {
            ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
            ~ComApartment() { CoUninitialize(); }
        } apartment;  // outlives every object below
        IAccessible* raw = nullptr;
        if (FAILED(AccessibleObjectFromWindow(calendar, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&raw))) ||
            !raw) {
            return Fail("no accessible object");
        }
        ScopedComPointer<IAccessible> table(raw);
        const auto text = [&](BSTR value) {
            std::string utf8 = value ? Utf8FromWide(value) : std::string();
            SysFreeString(value);
            return utf8;
        };
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        table.get()->get_accName(self, &name);
        VARIANT role{};
        table.get()->get_accRole(self, &role);
        Print(std::string(role.vt == VT_I4 && role.lVal == ROLE_SYSTEM_TABLE ? "table " : "not-a-table ") + text(name));
        long count = 0;
        table.get()->get_accChildCount(&count);
        VARIANT focus{};
        table.get()->get_accFocus(&focus);
        for (long i = 1; i <= count; ++i) {
            VARIANT child{};
            child.vt = VT_I4;
            child.lVal = i;
            BSTR childName = nullptr;
            VARIANT childRole{};
            table.get()->get_accName(child, &childName);
            table.get()->get_accRole(child, &childRole);
            const char* kind = childRole.vt != VT_I4                      ? "other"
                               : childRole.lVal == ROLE_SYSTEM_CELL       ? "cell"
                               : childRole.lVal == ROLE_SYSTEM_PUSHBUTTON ? "button"
                                                                          : "other";
            const bool focused = focus.vt == VT_I4 && focus.lVal == i;
            Print(std::string(kind) + "\t" + text(childName) + (focused ? "\tfocused" : ""));
        }
        return true;
    }

    // Windows' apps turned dark (1) or light (0), as the Settings app does
    // it: the value, then the broadcast that says it changed.
    static bool SetDarkMode(bool dark) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                            nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
            return Fail("no Personalize key");
        }
        ScopedRegistryKey personalize(key);
        const DWORD light = dark ? 0 : 1;
        if (RegSetValueExW(key, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&light),
                           sizeof light) != ERROR_SUCCESS) {
            return Fail("AppsUseLightTheme not written");
        }
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                            SMTO_ABORTIFHUNG, 5000, &ignored);
        Print(dark ? "dark mode on" : "dark mode off");
        return true;
    }

    ScopedFileHandle locked;  // the file lock-file holds until unlock-file or the end of the run

    bool LockFile(const std::string& path) {
        locked.reset(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!locked) return Fail("cannot lock the file");
        Print("locked");
        return true;
    }

    bool UnlockFile() {
        locked.reset();
        Print("unlocked");
        return true;
    }
};

// The arguments of one step, as the table names them.
class StepArgs {
public:
    StepArgs(const std::vector<std::string>& all, size_t first) : all_(all), first_(first) {}
    const std::string& Text(size_t n) const { return all_[first_ + n]; }
    int Number(size_t n) const { return std::atoi(Text(n).c_str()); }

private:
    const std::vector<std::string>& all_;
    size_t first_;
};

// Every step: its name, its arguments, what it does and the code that does it.
// The usage text is made from this table, and a run naming a step that is not
// here (or short of its arguments) is refused before anything is done.
struct Step {
    const char* name;
    const char* arguments;  // one word per argument
    const char* does;       // lines after the first start with a newline
    bool (*run)(Driver& driver, const StepArgs& args);
};

const Step kSteps[] = {
    {"wait-calendar", "MS",
     "wait for the shell window and the visible month window, and\nfor the program to have drawn it (see idle)",
     [](Driver& d, const StepArgs& a) { return d.WaitCalendar(a.Number(0)); }},
    {"idle", "MS", "wait until the program has carried out what it was given and\nreads its messages again",
     [](Driver& d, const StepArgs& a) { return d.Settle(a.Number(0)); }},
    {"calendar", "", "\"calendar L T R B visible|hidden\"",
     [](Driver& d, const StepArgs&) { return d.PrintCalendar(); }},
    {"shown-month", "", "\"month TEXT\": the month the month window shows, as it names itself",
     [](Driver& d, const StepArgs&) { return d.PrintShownMonth(); }},
    {"calendar-ctrl-key", "LETTER", "give the month window the keyboard and press Ctrl and the letter",
     [](Driver& d, const StepArgs& a) { return d.CalendarCtrlKey(a.Text(0)); }},
    {"tray", "", "\"tray present|absent\" (the shell's icon)", [](Driver& d, const StepArgs&) { return d.Tray(); }},
    {"tray-menu", "", "right-click the tray icon; lists the menu that opens",
     [](Driver& d, const StepArgs&) { return d.TrayMenu(); }},
    {"left-click", "X Y", "click the month window at client point X, Y",
     [](Driver& d, const StepArgs& a) { return d.NeedHook() && d.Click(a.Number(0), a.Number(1), false); }},
    {"right-click", "X Y", "right-click it there (list-menu lists the menu that opens)",
     [](Driver& d, const StepArgs& a) { return d.NeedHook() && d.Click(a.Number(0), a.Number(1), true); }},
    {"double-click", "X Y", "double-click the month window at client point X, Y",
     [](Driver& d, const StepArgs& a) { return d.DoubleClick(a.Number(0), a.Number(1)); }},
    {"list-menu", "", "list the menu that is open", [](Driver& d, const StepArgs&) { return d.ListOpenMenu(); }},
    {"menu-pick", "TEXT", "choose the item TEXT of the open menu; waits until the program\nhas carried it out",
     [](Driver& d, const StepArgs& a) { return d.PickFromOpenMenu(a.Text(0)); }},
    {"menu-pick-in", "POPUP TEXT", "open the sub-menu POPUP of the open menu and choose its item TEXT",
     [](Driver& d, const StepArgs& a) { return d.PickFromSubMenu(a.Text(0), a.Text(1)); }},
    {"menu-open-in", "POPUP",
     "open the sub-menu POPUP of the open menu and list it (\"submenu TEXT\"),\nleaving it open",
     [](Driver& d, const StepArgs& a) { return d.ListSubMenu(a.Text(0)); }},
    {"menu-close", "", "close the open menu and its open sub-menu",
     [](Driver& d, const StepArgs&) { return d.CloseMenu(); }},
    {"no-menu", "MS", "fail when a menu opens within MS",
     [](Driver& d, const StepArgs& a) { return d.NoMenu(a.Number(0)); }},
    {"drag", "X Y DX DY", "drag from client point X, Y by DX, DY screen pixels",
     [](Driver& d, const StepArgs& a) { return d.Drag(a.Number(0), a.Number(1), a.Number(2), a.Number(3)); }},
    {"message-box", "MS", "wait for a message box of another copy, print it, press OK",
     [](Driver& d, const StepArgs& a) { return d.MessageBoxOfAnotherCopy(a.Number(0)); }},
    {"update-box", "MS ok|cancel", "wait for a message box owned by the shell window, print it, answer it",
     [](Driver& d, const StepArgs& a) { return d.UpdateBox(a.Number(0), a.Text(1)); }},
    {"no-update-box", "MS", "fail when such a box appears within MS",
     [](Driver& d, const StepArgs& a) { return d.NoUpdateBox(a.Number(0)); }},
    {"wait-gone", "MS", "wait for the shell window to go away",
     [](Driver& d, const StepArgs& a) { return d.WaitGone(a.Number(0)); }},
    {"post", "MESSAGE WPARAM LPARAM",
     "post the message to the shell window as another program would\n(numbers in C notation, 0x... for hex)",
     [](Driver& d, const StepArgs& a) { return d.Post(a.Text(0), a.Text(1), a.Text(2)); }},
    {"end-session", "",
     "end the Windows session as Windows does: WM_QUERYENDSESSION\nto every top-level window of the program, then "
     "WM_ENDSESSION\nto each, TRUE when all allowed it (FALSE otherwise); prints\n\"query-end-session "
     "allowed|refused\"",
     [](Driver& d, const StepArgs&) { return d.EndSession(false); }},
    {"cancel-session", "",
     "the same, but another program cancels it: WM_ENDSESSION(FALSE)\nfollows whatever the answers",
     [](Driver& d, const StepArgs&) { return d.EndSession(true); }},
    {"work-area", "", "\"work-area L T R B\" of the primary screen",
     [](Driver& d, const StepArgs&) { return d.PrintWorkArea(); }},
    {"notice", "MS",
     "wait for the notification window to come to rest; prints\n\"notice L T R B|caption|text\" (line breaks as ~) "
     "and\n\"work-area L T R B\"",
     [](Driver& d, const StepArgs& a) { return d.Notice(a.Number(0), nullptr); }},
    {"notice-text", "MS TEXT", "wait until the resting notice shows TEXT (as printed above)",
     [](Driver& d, const StepArgs& a) { return d.Notice(a.Number(0), &a.Text(1)); }},
    {"notice-click", "ok|x|snooze",
     "press 知道了, X or 稍后提醒 (list-menu lists its menu) of the\nnotification window",
     [](Driver& d, const StepArgs& a) { return d.NoticeClick(a.Text(0)); }},
    {"notice-slide-click", "x",
     "as soon as the notice appears, press X while it slides in;\nprints \"clicked sliding\" or \"clicked resting\"",
     [](Driver& d, const StepArgs& a) { return d.NoticeSlideClick(a.Text(0)); }},
    {"notice-gone", "MS", "wait for the notification window to be hidden",
     [](Driver& d, const StepArgs& a) { return d.NoticeGone(a.Number(0)); }},
    {"no-notice", "MS", "fail when the notification window shows within MS",
     [](Driver& d, const StepArgs& a) { return d.NoNotice(a.Number(0)); }},
    // The program's dialogs, found by caption among its visible windows; the
    // steps after `dialog` act on that one.
    {"dialog", "CAPTION MS", "wait for a visible, enabled dialog, print \"dialog CAPTION\"",
     [](Driver& d, const StepArgs& a) { return d.WaitDialog(a.Text(0), a.Number(1)); }},
    {"no-dialog", "CAPTION MS", "fail when it shows within MS",
     [](Driver& d, const StepArgs& a) { return d.NoDialog(a.Text(0), a.Number(1)); }},
    {"dialog-gone", "CAPTION MS", "wait until it is gone",
     [](Driver& d, const StepArgs& a) { return d.DialogGone(a.Text(0), a.Number(1)); }},
    {"set-text", "ID TEXT", "set the text of a control (edit, editable combo)",
     [](Driver& d, const StepArgs& a) { return d.SetText(a.Number(0), a.Text(1)); }},
    {"lines", "ID",
     "the lines a text box shows as it wraps them, \"line ID TEXT\",\nthen \"fits ID yes|no\": all in view without "
     "scrolling",
     [](Driver& d, const StepArgs& a) { return d.Request("lines", a.Text(0)); }},
    {"set-date", "ID YYYY-MM-DD", "set the date of a date picker, as the user would pick it, in the program",
     [](Driver& d, const StepArgs& a) { return d.Request("set-date", a.Text(0), a.Text(1)); }},
    {"pick", "ID TEXT", "choose the item TEXT of a combo box, as the user would",
     [](Driver& d, const StepArgs& a) { return d.Choose(a.Number(0), a.Text(1)); }},
    {"page-pick", "ID TEXT",
     "choose TEXT in the visible combo ID, also one on a page inside the\ndialog, in the program",
     [](Driver& d, const StepArgs& a) { return d.Request("pick", a.Text(0), a.Text(1)); }},
    {"tab", "ID N", "switch the tab control ID to its tab N (from 0), as a click on it would, in the program",
     [](Driver& d, const StepArgs& a) { return d.Request("tab", a.Text(0), a.Text(1)); }},
    {"click", "ID", "press a button", [](Driver& d, const StepArgs& a) { return d.Click(a.Number(0)); }},
    {"check", "ID 0|1", "untick or tick a check box, as the user would",
     [](Driver& d, const StepArgs& a) { return d.Check(a.Number(0), a.Number(1) != 0); }},
    {"close", "", "the close box", [](Driver& d, const StepArgs&) { return d.CloseDialog(); }},
    {"text-of", "ID", "\"text ID VALUE\"", [](Driver& d, const StepArgs& a) { return d.TextOf(a.Number(0)); }},
    {"state", "ID", "\"state ID enabled|disabled checked|unchecked visible|hidden\"",
     [](Driver& d, const StepArgs& a) { return d.State(a.Number(0)); }},
    {"rows", "ID", "the rows of a list view, \"row N<TAB>cell<TAB>cell...\"",
     [](Driver& d, const StepArgs& a) { return d.Rows(a.Number(0)); }},
    {"size", "", "\"size WIDTH HEIGHT\" of the dialog's window",
     [](Driver& d, const StepArgs&) { return d.PrintDialogSize(); }},
    {"dialog-rect", "", "\"dialog-rect L T R B\": where the dialog's window is on the screen",
     [](Driver& d, const StepArgs&) { return d.PrintDialogRect(); }},
    {"resize", "DW DH", "make the dialog DW, DH pixels larger (smaller when negative)",
     [](Driver& d, const StepArgs& a) { return d.Resize(a.Number(0), a.Number(1)); }},
    {"box", "MS ok|cancel|yes|no",
     "wait for a message box of the program, print\n\"box CAPTION|TEXT\" (line breaks as ~), answer it",
     [](Driver& d, const StepArgs& a) { return d.MessageBoxOfProgram(a.Number(0), a.Text(1)); }},
    {"no-box", "MS", "fail when a message box shows within MS",
     [](Driver& d, const StepArgs& a) { return d.NoMessageBox(a.Number(0)); }},
    {"hover", "X Y", "rest the mouse on client point X, Y of the month window",
     [](Driver& d, const StepArgs& a) { return d.Hover(a.Number(0), a.Number(1)); }},
    {"balloon", "MS", "\"balloon shown\" when the balloon shows within MS, else \"no balloon\"",
     [](Driver& d, const StepArgs& a) { return d.PrintBalloonShown(a.Number(0)); }},
    {"balloon-gone", "MS", "wait until no balloon of the program shows",
     [](Driver& d, const StepArgs& a) { return d.BalloonGone(a.Number(0)); }},
    {"balloon-rect", "", "\"balloon L T R B\" of the shown balloon (screen pixels)",
     [](Driver& d, const StepArgs&) { return d.PrintBalloonRect(); }},
    {"read", "",
     "every visible control of the dialog, read inside the program\nby the hook (date pages and list check boxes "
     "included; see\nmenu_hook.h)",
     [](Driver& d, const StepArgs&) { return d.Request("read"); }},
    {"cut", "", "what of the dialog shows cut (list cells, one-line labels), or \"whole\"",
     [](Driver& d, const StepArgs&) { return d.Request("cut"); }},
    {"dialog-idle", "",
     "wait until the dialog has carried out everything given to it\nbefore (a button whose window of its own "
     "let the click step\ngo on answers once that window is up)",
     [](Driver& d, const StepArgs&) { return d.Request("idle"); }},
    {"select-row", "N", "select row N of the dialog's list view (-1: none), in the program",
     [](Driver& d, const StepArgs& a) { return d.Request("select-row", a.Text(0)); }},
    {"check-row", "N 0|1", "untick or tick row N of its list view, in the program",
     [](Driver& d, const StepArgs& a) { return d.Request("check-row", a.Text(0), a.Text(1)); }},
    {"sleep", "MS", "wait MS milliseconds",
     [](Driver&, const StepArgs& a) {
         Sleep(a.Number(0));
         return true;
     }},
    {"stopwatch", "", "\"stopwatch MS\": milliseconds since the run's previous stopwatch (0 the first time)",
     [](Driver& d, const StepArgs&) { return d.Stopwatch(); }},
    {"press-enter", "", "press and release Enter, as typed on the keyboard",
     [](Driver& d, const StepArgs&) { return d.PressKey(VK_RETURN); }},
    {"press-escape", "", "press and release Esc, likewise",
     [](Driver& d, const StepArgs&) { return d.PressKey(VK_ESCAPE); }},
    {"press", "KEY",
     "press a key, as typed: left, right, up, down, pageup, pagedown,\nhome, enter, escape, apps, f10, g, "
     "each with ctrl+ or shift+\nbefore it if wanted",
     [](Driver&, const StepArgs& a) { return Driver::PressNamedKey(a.Text(0)); }},
    {"wheel", "X Y DELTA STEP",
     "turn the wheel over client point X, Y: DELTA (120 a notch,\npositive away from the user) in steps of STEP",
     [](Driver& d, const StepArgs& a) { return d.Wheel(a.Number(0), a.Number(1), a.Number(2), a.Number(3), false); }},
    {"flips", "COUNT X Y",
     "COUNT notches towards the user over client point X, Y, each\nwaited for until drawn; prints \"flips COUNT wall "
     "MS\"",
     [](Driver& d, const StepArgs& a) { return d.Flips(a.Number(0), a.Number(1), a.Number(2)); }},
    {"ctrl-wheel", "X Y DELTA STEP", "the same with Ctrl held",
     [](Driver& d, const StepArgs& a) { return d.Wheel(a.Number(0), a.Number(1), a.Number(2), a.Number(3), true); }},
    {"tray-click", "", "left-click the tray icon", [](Driver& d, const StepArgs&) { return d.TrayClick(false); }},
    {"tray-double-click", "", "double-click it", [](Driver& d, const StepArgs&) { return d.TrayClick(true); }},
    {"accessible", "",
     "the month window as a screen reader reads it: \"table NAME\", then\n\"cell|button<TAB>NAME[<TAB>focused]\" per "
     "child",
     [](Driver& d, const StepArgs&) { return d.ReadAccessible(); }},
    {"dark-mode", "0|1", "turn Windows' apps light or dark and tell every window, as\nWindows' settings do",
     [](Driver&, const StepArgs& a) { return Driver::SetDarkMode(a.Number(0) != 0); }},
    {"lock-file", "PATH",
     "open the file (a Windows path) sharing nothing, so that no\nother program can read or replace it, until "
     "unlock-file or\nthe end of the run",
     [](Driver& d, const StepArgs& a) { return d.LockFile(a.Text(0)); }},
    {"unlock-file", "", "close it again", [](Driver& d, const StepArgs&) { return d.UnlockFile(); }},
};

const Step* FindStep(const std::string& name) {
    for (const Step& step : kSteps) {
        if (name == step.name) return &step;
    }
    return nullptr;
}

size_t ArgumentCount(const Step& step) {
    size_t count = 0;
    bool inWord = false;
    for (const char* c = step.arguments; *c; ++c) {
        if (*c != ' ' && !inWord) ++count;
        inWord = *c != ' ';
    }
    return count;
}

std::string UsageText() {
    std::string text = "usage: solvane-e2e STEP [ARGS] [STEP [ARGS] ...]\n";
    for (const Step& step : kSteps) {
        std::string head = std::string("  ") + step.name + (*step.arguments ? " " : "") + step.arguments;
        head.resize(std::max<size_t>(head.size() + 1, 28), ' ');
        std::string does = step.does;
        for (size_t at = does.find('\n'); at != std::string::npos; at = does.find('\n', at + 1)) {
            does.insert(at + 1, std::string(28, ' '));
        }
        text += head + does + "\n";
    }
    return text;
}

// Whether every step of the run is known and has its arguments; names the
// first that is not.
bool StepsAreKnown(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size();) {
        const Step* step = FindStep(args[i]);
        if (!step) return Fail("unknown step " + args[i]);
        i += 1 + ArgumentCount(*step);
        if (i > args.size()) return Fail(std::string("missing arguments of ") + step->name);
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8FromWide(argv[i]));
    if (args.empty() || !StepsAreKnown(args)) {
        std::fputs(UsageText().c_str(), stderr);
        return 2;
    }
    Driver driver;
    for (size_t i = 0; i < args.size();) {
        const Step& step = *FindStep(args[i]);
        if (!step.run(driver, StepArgs(args, i + 1))) return 1;
        i += 1 + ArgumentCount(step);
    }
    return 0;
}
