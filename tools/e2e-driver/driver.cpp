// solvane-e2e STEP [ARGS] [STEP [ARGS] ...]
//
// Drives a running Solvane.exe the way a user would and prints what it finds,
// one line per fact, UTF-8. Steps run in order; the first that fails ends the
// run with exit code 1. The steps, their arguments and what they do are the
// table kSteps below; run the driver without arguments for the list.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "base/win/gbk_text.h"
#include "menu_hook.h"
#include "tools/e2e-driver/file_exchange.h"

namespace {

constexpr UINT kTrayIconId = 128;
constexpr UINT kTrayCallbackMessage = 10991;


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
        if (owner == process && std::wcscmp(title, L"Tavro日历提醒你") == 0) {
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
        if (GetWindow(window, GW_OWNER) == shell && std::wcscmp(cls, L"#32770") == 0 && !GetDlgItem(window, IDOK)) {
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

bool IsMessageBox(HWND window) { return GetDlgItem(window, 0xFFFF) != nullptr; }

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
        if (owner != process || std::wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(window)) return true;
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

    // Keyboard again: down to the sub-menu, right to open it (its first item
    // is then selected), down to the item, Enter.
    bool PickFromSubMenu(const std::string& parent, const std::string& child) {
        HWND popup = OpenMenuWindow();
        if (!popup) return Fail("no menu open");
        int index = 0;
        bool found = false;
        for (const std::string& line : menu) {
            if (line == "separator") continue;
            ++index;
            if (line == "popup\t" + parent) {
                found = true;
                break;
            }
        }
        if (!found) return Fail("no sub-menu " + parent);
        for (int i = 0; i < index; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
        HWND sub = nullptr;
        const bool opened = WaitFor(3000, [&] {
            ForEachTopWindow([&](HWND window) {
                wchar_t cls[16] = {};
                GetClassNameW(window, cls, 16);
                if (window != popup && std::wcscmp(cls, L"#32768") == 0 && IsWindowVisible(window)) {
                    sub = window;
                    return false;
                }
                return true;
            });
            return sub != nullptr;
        });
        if (!opened) return Fail("sub-menu " + parent + " did not open");
        std::vector<std::string> items;
        if (!reader.Read(sub, items)) return Fail("sub-menu not readable");
        int position = 0;
        for (const std::string& line : items) {
            if (line == "separator") continue;
            ++position;
            if (line.substr(line.find_last_of('\t') + 1) == child) {
                // The sub-menu opens with its first item selected.
                for (int i = 1; i < position; ++i) PostMessageW(sub, WM_KEYDOWN, VK_DOWN, 0);
                PostMessageW(sub, WM_KEYDOWN, VK_RETURN, 0);
                return WaitFor(3000, [] { return OpenMenuWindow() == nullptr; }) || Fail("menu stayed open");
            }
        }
        return Fail("no menu item " + child);
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

    bool DoubleClick(int x, int y) {
        if (!NeedShell() || !CalendarWindow(shell)) return Fail("no calendar window");
        const POINT p = ScreenPoint(x, y);
        MoveTo(p.x, p.y);
        Sleep(100);
        for (int i = 0; i < 2; ++i) {
            Mouse(MOUSEEVENTF_LEFTDOWN);
            Sleep(20);
            Mouse(MOUSEEVENTF_LEFTUP);
            Sleep(40);
        }
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


    HWND dialog = nullptr;  // the dialog the control steps act on

    bool WaitDialog(const std::string& caption, int milliseconds) {
        const std::wstring wide = WideFromUtf8(caption);
        if (!WaitFor(milliseconds, [&] { return (dialog = ProgramDialog(&wide, true)) != nullptr; })) {
            return Fail("no dialog " + caption);
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
                if (action == "read" || !ok) Print(line);
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
        SendMessageTimeoutW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()),
                            SMTO_ABORTIFHUNG, 5000, &index);
        if (static_cast<LRESULT>(index) == CB_ERR) return Fail("no item " + text);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(control, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
        Sleep(100);
        return true;
    }

    bool Click(int id) {
        HWND control = Control(id);
        if (!control) return false;
        // Posted: the button may open a modal window of its own.
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        Sleep(100);
        return true;
    }

    bool Check(int id, bool on) {
        HWND control = Control(id);
        if (!control) return false;
        const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (checked != on) {
            SendMessageW(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
            Sleep(100);
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
        Print("box " + Utf8FromWide(title) + "|" + Utf8FromWide(TextOfWindow(GetDlgItem(box, 0xFFFF))));
        int button = 0;
        if (answer == "ok") button = IDOK;
        if (answer == "cancel") button = IDCANCEL;
        if (answer == "yes") button = IDYES;
        if (answer == "no") button = IDNO;
        if (!button) return true;
        PostMessageW(box, WM_COMMAND, button, 0);
        return WaitFor(5000, [&] { return !IsWindow(box) || !IsWindowVisible(box); }) || Fail("box stayed open");
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
            if (GetWindow(window, GW_OWNER) == shell && std::wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window) &&
                GetDlgItem(window, IDOK) && GetDlgItem(window, IDCANCEL)) {
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
        wchar_t title[128] = {};
        GetWindowTextW(box, title, 128);
        std::wstring text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[32] = {}, value[512] = {};
            GetClassNameW(child, cls, 32);
            GetWindowTextW(child, value, 512);
            if (_wcsicmp(cls, L"Static") == 0 && value[0]) text = value;
        }
        for (wchar_t& c : text) {
            if (c == L'\n') c = L'~';
        }
        Print("update-box " + Utf8FromWide(title) + "|" + Utf8FromWide(text));
        PostMessageW(box, WM_COMMAND, answer == "ok" ? IDOK : IDCANCEL, 0);
        return WaitFor(5000, [&] { return !IsWindow(box); }) || Fail("update box stayed open");
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
            if (expected && Utf8FromWide(WindowText(GetDlgItem(notice, 1033))) != *expected) return false;
            return still >= 6;  // 300 ms without a move
        });
        if (!rested) {
            if (notice) Print("notice " + RectText(r) + "|" + Utf8FromWide(WindowText(GetDlgItem(notice, 1033))));
            return Fail("no resting notice");
        }
        Print("notice " + RectText(r) + "|" + Utf8FromWide(WindowText(GetDlgItem(notice, 1035))) + "|" +
              Utf8FromWide(WindowText(GetDlgItem(notice, 1033))));
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        Print("work-area " + RectText(work));
        return true;
    }

    static int ButtonOf(const std::string& which) { return which == "x" ? IDCANCEL : IDOK; }

    bool NoticeClick(const std::string& which) {
        HWND notice = NotificationWindow();
        if (!notice || !IsWindowVisible(notice)) return Fail("no notice");
        HWND button = GetDlgItem(notice, ButtonOf(which));
        if (!button) return Fail("no button " + which);
        PostMessageW(button, BM_CLICK, 0, 0);
        return true;
    }

    // Presses the button at the first sight of the notice, which then is
    // normally still on its way up.
    bool NoticeSlideClick(const std::string& which) {
        HWND notice = nullptr;
        if (!WaitFor(120000, [&] { return (notice = NotificationWindow()) && IsWindowVisible(notice); }, 5)) {
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
        Print("message-box " + Utf8FromWide(title) + "|" + Utf8FromWide(text));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    }
};


// Every step: its name, its arguments and what it does. The usage text is made
// from this table, and a run naming a step that is not here (or short of its
// arguments) is refused before anything is done.
struct StepHelp {
    const char* name;
    const char* arguments;  // one word per argument
    const char* does;       // lines after the first start with a newline
};

constexpr StepHelp kSteps[] = {
    {"wait-calendar", "MS", "wait for the shell window and the visible month window"},
    {"calendar", "", "\"calendar L T R B visible|hidden\""},
    {"tray", "", "\"tray present|absent\" (the shell's icon 128)"},
    {"tray-menu", "", "right-click the tray icon; lists the menu that opens"},
    {"left-click", "X Y", "click the month window at client point X, Y"},
    {"right-click", "X Y", "right-click it there; lists the menu that opens"},
    {"double-click", "X Y", "double-click the month window at client point X, Y"},
    {"list-menu", "", "list the menu that is open"},
    {"menu-pick", "TEXT", "choose the item TEXT of the open menu"},
    {"menu-pick-in", "POPUP TEXT", "open the sub-menu POPUP of the open menu and choose its item TEXT"},
    {"menu-close", "", "close the open menu"},
    {"no-menu", "MS", "fail when a menu opens within MS"},
    {"drag", "X Y DX DY", "drag from client point X, Y by DX, DY screen pixels"},
    {"message-box", "MS", "wait for a message box of another copy, print it, press OK"},
    {"update-box", "MS ok|cancel", "wait for a message box owned by the shell window, print it, answer it"},
    {"no-update-box", "MS", "fail when such a box appears within MS"},
    {"wait-gone", "MS", "wait for the shell window to go away"},
    {"post", "MESSAGE WPARAM LPARAM",
     "post the message to the shell window as another program would\n(numbers in C notation, 0x... for hex)"},
    {"end-session", "",
     "end the Windows session as Windows does: WM_QUERYENDSESSION\nto every top-level window of the program, then "
     "WM_ENDSESSION\nto each, TRUE when all allowed it (FALSE otherwise); prints\n\"query-end-session "
     "allowed|refused\""},
    {"cancel-session", "", "the same, but another program cancels it: WM_ENDSESSION(FALSE)\nfollows whatever the answers"},
    {"work-area", "", "\"work-area L T R B\" of the primary screen"},
    {"notice", "MS",
     "wait for the notification window to come to rest; prints\n\"notice L T R B|caption|text\" (line breaks as ~) "
     "and\n\"work-area L T R B\""},
    {"notice-text", "MS TEXT", "wait until the resting notice shows TEXT (as printed above)"},
    {"notice-click", "ok|x", "press 知道了 or X of the notification window"},
    {"notice-slide-click", "x",
     "as soon as the notice appears, press X while it slides in;\nprints \"clicked sliding\" or \"clicked resting\""},
    {"notice-gone", "MS", "wait for the notification window to be hidden"},
    {"no-notice", "MS", "fail when the notification window shows within MS"},
    // The program's dialogs, found by caption among its visible windows; the
    // steps after `dialog` act on that one.
    {"dialog", "CAPTION MS", "wait for a visible, enabled dialog, print \"dialog CAPTION\""},
    {"no-dialog", "CAPTION MS", "fail when it shows within MS"},
    {"dialog-gone", "CAPTION MS", "wait until it is gone"},
    {"set-text", "ID TEXT", "set the text of a control (edit, editable combo)"},
    {"pick", "ID TEXT", "choose the item TEXT of a combo box, as the user would"},
    {"click", "ID", "press a button"},
    {"check", "ID 0|1", "untick or tick a check box, as the user would"},
    {"close", "", "the close box"},
    {"text-of", "ID", "\"text ID VALUE\""},
    {"state", "ID", "\"state ID enabled|disabled checked|unchecked visible|hidden\""},
    {"rows", "ID", "the rows of a list view, \"row N<TAB>cell<TAB>cell...\""},
    {"size", "", "\"size WIDTH HEIGHT\" of the dialog's window"},
    {"resize", "DW DH", "make the dialog DW, DH pixels larger (smaller when negative)"},
    {"box", "MS ok|cancel|yes|no",
     "wait for a message box of the program, print\n\"box CAPTION|TEXT\" (line breaks as ~), answer it"},
    {"no-box", "MS", "fail when a message box shows within MS"},
    {"hover", "X Y", "rest the mouse on client point X, Y of the month window"},
    {"balloon", "MS", "\"balloon shown\" when the balloon shows within MS, else \"no balloon\""},
    {"balloon-rect", "", "\"balloon L T R B\" of the shown balloon (screen pixels)"},
    {"read", "",
     "every visible control of the dialog, read inside the program\nby the hook (date pages and list check boxes "
     "included; see\nmenu_hook.h)"},
    {"select-row", "N", "select row N of the dialog's list view (-1: none), in the program"},
    {"check-row", "N 0|1", "untick or tick row N of its list view, in the program"},
    {"sleep", "MS", "wait MS milliseconds"},
    {"stopwatch", "", "\"stopwatch MS\": milliseconds since the run's previous stopwatch (0 the first time)"},
    {"press-enter", "", "press and release Enter, as typed on the keyboard"},
    {"press-escape", "", "press and release Esc, likewise"},
    {"lock-file", "PATH",
     "open the file (a Windows path) sharing nothing, so that no\nother program can read or replace it, until "
     "unlock-file or\nthe end of the run"},
    {"unlock-file", "", "close it again"},
};

const StepHelp* FindStep(const std::string& name) {
    for (const StepHelp& step : kSteps) {
        if (name == step.name) return &step;
    }
    return nullptr;
}

size_t ArgumentCount(const StepHelp& step) {
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
    for (const StepHelp& step : kSteps) {
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
        const StepHelp* step = FindStep(args[i]);
        if (!step) return Fail("unknown step " + args[i]);
        i += 1 + ArgumentCount(*step);
        if (i > args.size()) return Fail(std::string("missing arguments of ") + step->name);
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Driver driver;
    ScopedFileHandle locked;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8FromWide(argv[i]));
    if (args.empty() || !StepsAreKnown(args)) {
        std::fputs(UsageText().c_str(), stderr);
        return 2;
    }
    size_t i = 0;
    ULONGLONG stopwatch = 0;
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
        } else if (step == "double-click") {
            const int x = number(), y = number();
            ok = driver.DoubleClick(x, y);
        } else if (step == "list-menu") {
            ok = driver.ListOpenMenu();
        } else if (step == "menu-pick") {
            ok = driver.PickFromOpenMenu(text());
        } else if (step == "menu-pick-in") {
            const std::string popup = text();
            ok = driver.PickFromSubMenu(popup, text());
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
        } else if (step == "update-box") {
            const int ms = number();
            ok = driver.UpdateBox(ms, text());
        } else if (step == "no-update-box") {
            const int ms = number();
            ok = !WaitFor(ms, [&] { return driver.OwnedMessageBox() != nullptr; }) || Fail("an update box appeared");
            if (ok) Print("no update box");
        } else if (step == "end-session" || step == "cancel-session") {
            ok = driver.NeedShell();
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
                if (!ok) break;
                ok = SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                                         &answer) != 0 ||
                     !IsWindow(window) || Fail("no answer to WM_QUERYENDSESSION");
                if (ok && IsWindow(window) && !answer) allowed = false;
            }
            if (ok) {
                Print(allowed ? "query-end-session allowed" : "query-end-session refused");
                const WPARAM ends = allowed && step == "end-session";
                // The program may be gone before every window had its answer.
                for (HWND window : windows) {
                    DWORD_PTR ignored = 0;
                    if (IsWindow(window))
                        SendMessageTimeoutW(window, WM_ENDSESSION, ends, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                                            &ignored);
                }
            }
        } else if (step == "stopwatch") {
            const ULONGLONG now = GetTickCount64();
            Print("stopwatch " + std::to_string(stopwatch ? now - stopwatch : 0));
            stopwatch = now;
        } else if (step == "post") {
            const UINT message = static_cast<UINT>(std::strtoul(text().c_str(), nullptr, 0));
            const auto wParam = static_cast<WPARAM>(std::strtoull(text().c_str(), nullptr, 0));
            const auto lParam = static_cast<LPARAM>(std::strtoull(text().c_str(), nullptr, 0));
            ok = driver.NeedShell() && (PostMessageW(driver.shell, message, wParam, lParam) || Fail("not posted"));
            if (ok) Print("posted " + std::to_string(message));
        } else if (step == "work-area") {
            RECT work{};
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            Print("work-area " + RectText(work));
        } else if (step == "wait-gone") {
            ok = WaitFor(number(), [] { return ShellWindow() == nullptr; }) || Fail("shell window still there");
            if (ok) Print("gone");
        } else if (step == "dialog") {
            const std::string caption = text();
            ok = driver.WaitDialog(caption, number());
        } else if (step == "no-dialog") {
            const std::string caption = text();
            const std::wstring wide = WideFromUtf8(caption);
            ok = !WaitFor(number(), [&] { return ProgramDialog(&wide) != nullptr; }) || Fail("dialog " + caption + " opened");
            if (ok) Print("no dialog " + caption);
        } else if (step == "dialog-gone") {
            const std::string caption = text();
            const std::wstring wide = WideFromUtf8(caption);
            ok = WaitFor(number(), [&] { return ProgramDialog(&wide) == nullptr; }) || Fail("dialog " + caption + " stayed");
        } else if (step == "set-text") {
            const int id = number();
            ok = driver.SetText(id, text());
        } else if (step == "pick") {
            const int id = number();
            ok = driver.Choose(id, text());
        } else if (step == "click") {
            ok = driver.Click(number());
        } else if (step == "check") {
            const int id = number();
            ok = driver.Check(id, number() != 0);
        } else if (step == "close") {
            ok = driver.dialog != nullptr || Fail("no dialog");
            if (ok) PostMessageW(driver.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            Sleep(100);
        } else if (step == "text-of") {
            const int id = number();
            HWND control = driver.Control(id);
            ok = control != nullptr;
            if (ok) Print("text " + std::to_string(id) + " " + Utf8FromWide(TextOfWindow(control)));
        } else if (step == "state") {
            ok = driver.State(number());
        } else if (step == "read") {
            ok = driver.Request("read");
        } else if (step == "select-row") {
            ok = driver.Request(step, text());
        } else if (step == "check-row") {
            const std::string row = text();
            ok = driver.Request(step, row, text());
        } else if (step == "rows") {
            ok = driver.Rows(number());
        } else if (step == "size") {
            RECT r{};
            ok = (driver.dialog && GetWindowRect(driver.dialog, &r)) || Fail("no dialog");
            if (ok) Print("size " + std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
        } else if (step == "resize") {
            const int dw = number(), dh = number();
            RECT r{};
            ok = (driver.dialog && GetWindowRect(driver.dialog, &r)) || Fail("no dialog");
            if (ok) {
                SetWindowPos(driver.dialog, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                Sleep(200);
            }
        } else if (step == "box") {
            const int ms = number();
            ok = driver.MessageBoxOfProgram(ms, text());
        } else if (step == "no-box") {
            ok = !WaitFor(number(), [] { return ProgramDialog(nullptr) != nullptr; }) || Fail("a box opened");
            if (ok) Print("no box");
        } else if (step == "hover") {
            const int x = number(), y = number();
            ok = driver.Hover(x, y);
        } else if (step == "balloon") {
            Print(WaitFor(number(), [] { return Driver::VisibleBalloon() != nullptr; }) ? "balloon shown"
                                                                                       : "no balloon");
        } else if (step == "balloon-rect") {
            RECT r{};
            const HWND balloon = Driver::VisibleBalloon();
            ok = (balloon && GetWindowRect(balloon, &r)) || Fail("no balloon shown");
            if (ok) {
                Print("balloon " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                      std::to_string(r.right) + " " + std::to_string(r.bottom));
            }
        } else if (step == "notice") {
            ok = driver.Notice(number(), nullptr);
        } else if (step == "notice-text") {
            const int ms = number();
            const std::string expected = text();
            ok = driver.Notice(ms, &expected);
        } else if (step == "notice-click") {
            ok = driver.NoticeClick(text());
        } else if (step == "notice-slide-click") {
            ok = driver.NoticeSlideClick(text());
        } else if (step == "notice-gone") {
            ok = WaitFor(number(),
                         [] {
                             HWND notice = NotificationWindow();
                             return notice && !IsWindowVisible(notice);
                         }) ||
                 Fail("the notice stayed");
            if (ok) Print("notice gone");
        } else if (step == "no-notice") {
            ok = !WaitFor(number(),
                          [] {
                              HWND notice = NotificationWindow();
                              return notice && IsWindowVisible(notice);
                          }) ||
                 Fail("a notice appeared");
            if (ok) Print("no notice");
        } else if (step == "sleep") {
            Sleep(number());
        } else if (step == "press-enter" || step == "press-escape") {
            INPUT keys[2] = {};
            keys[0].type = keys[1].type = INPUT_KEYBOARD;
            keys[0].ki.wVk = keys[1].ki.wVk = step == "press-enter" ? VK_RETURN : VK_ESCAPE;
            keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(1, &keys[0], sizeof(INPUT));
            Sleep(30);
            SendInput(1, &keys[1], sizeof(INPUT));
            Sleep(100);
        } else if (step == "lock-file") {
            locked.reset(CreateFileW(WideFromUtf8(text()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            ok = locked || Fail("cannot lock the file");
            if (ok) Print("locked");
        } else if (step == "unlock-file") {
            locked.reset();
            Print("unlocked");
        } else {
            ok = Fail("unknown step " + step);
        }
        if (!ok) return 1;
    }
    return 0;
}
