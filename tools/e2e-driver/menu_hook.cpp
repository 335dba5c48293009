#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <string>
#include <vector>

#include "base/win/gbk_text.h"
#include "base/win/scoped_win.h"
#include "menu_hook.h"
#include "tools/e2e-driver/file_exchange.h"

namespace {

// An item's text as the menu shows it: "&&" is one '&', a single '&' only
// underlines the letter after it.
std::wstring Displayed(const wchar_t* text) {
    std::wstring shown;
    for (const wchar_t* c = text; *c; ++c) {
        if (*c == L'&' && *++c == L'\0') break;
        shown += *c;
    }
    return shown;
}

// Where the item is on the screen, for the driver's pointer: "@L,T,R,B".
std::string ItemPlace(HMENU menu, int index) {
    RECT r{};
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &r)) return "@0,0,0,0";
    return "@" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::string Describe(HMENU menu) {
    std::string out;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.fType & MFT_SEPARATOR)
            out += "separator\n";
        else if (info.hSubMenu)
            out += "popup\t" + Utf8FromWide(Displayed(text)) + "\t" + ItemPlace(menu, i) + "\n";
        else
            out += "item\t" + std::to_string(info.wID) + "\t" + Utf8FromWide(Displayed(text)) + "\t" +
                   ItemPlace(menu, i) + "\n";
    }
    return out;
}

void Dump(HWND popup) {
    const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
    if (!menu) return;
    const std::string text = Describe(menu);
    WriteFileWhole(MenuDumpPath(), text);
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

BOOL CALLBACK CollectVisible(HWND child, LPARAM context) {
    if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
    return TRUE;
}

// Every visible descendant, the date pages' controls included.
std::vector<HWND> VisibleControls(HWND dialog) {
    std::vector<HWND> controls;
    EnumChildWindows(dialog, &CollectVisible, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

HWND VisibleControl(HWND dialog, int id) {
    for (HWND control : VisibleControls(dialog)) {
        if (GetDlgCtrlID(control) == id && ClassOf(GetParent(control)) == L"#32770") return control;
    }
    return nullptr;
}

HWND ListViewOf(HWND dialog) {
    for (HWND control : VisibleControls(dialog)) {
        if (_wcsicmp(ClassOf(control).c_str(), WC_LISTVIEWW) == 0) return control;
    }
    return nullptr;
}

std::wstring WideCell(HWND list, int row, int column) {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::string Cell(HWND list, int row, int column) { return Utf8FromWide(WideCell(list, row, column)); }

int ColumnCount(HWND list) {
    HWND header = ListView_GetHeader(list);
    return header ? Header_GetItemCount(header) : 1;
}

std::string ReadDialog(HWND dialog) {
    std::string out;
    for (HWND control : VisibleControls(dialog)) {
        const std::wstring cls = ClassOf(control);
        const int id = GetDlgCtrlID(control);
        if (_wcsicmp(cls.c_str(), WC_LISTVIEWW) == 0) {
            const int columns = ColumnCount(control);
            const int rows = ListView_GetItemCount(control);
            for (int row = 0; row < rows; ++row) {
                out += "row\t" + std::to_string(row) + "\t" + (ListView_GetCheckState(control, row) ? "1" : "0") +
                       "\t" + ((ListView_GetItemState(control, row, LVIS_SELECTED) & LVIS_SELECTED) ? "1" : "0") + "\t";
                for (int column = 0; column < columns; ++column)
                    out += (column ? "|" : "") + Cell(control, row, column);
                out += "\n";
            }
        } else if (_wcsicmp(cls.c_str(), L"ListBox") == 0) {
            const int count = static_cast<int>(SendMessageW(control, LB_GETCOUNT, 0, 0));
            for (int item = 0; item < count; ++item) {
                wchar_t text[512] = {};
                if (SendMessageW(control, LB_GETTEXTLEN, item, 0) < 512)
                    SendMessageW(control, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text));
                out += "item\t" + std::to_string(id) + "\t" + Utf8FromWide(text) + "\n";
            }
        } else if (_wcsicmp(cls.c_str(), DATETIMEPICK_CLASSW) == 0) {
            SYSTEMTIME time{};
            char date[16] = "none";
            if (DateTime_GetSystemtime(control, &time) == GDT_VALID)
                std::snprintf(date, sizeof date, "%04d-%02d-%02d", time.wYear, time.wMonth, time.wDay);
            out += "date\t" + std::to_string(id) + "\t" + date + "\n";
        } else if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) {
            out += "combo\t" + std::to_string(id) + "\t" + Utf8FromWide(TextOf(control)) + "\n";
        } else if (_wcsicmp(cls.c_str(), L"Edit") == 0 &&
                   _wcsicmp(ClassOf(GetParent(control)).c_str(), L"ComboBox") == 0) {
            continue;  // the edit box inside a combo
        } else {
            out += "control\t" + std::to_string(id) + "\t" + Utf8FromWide(cls) + "\t" + Utf8FromWide(TextOf(control));
            const LONG style = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
            if (_wcsicmp(cls.c_str(), L"Button") == 0 && (style == BS_AUTOCHECKBOX || style == BS_CHECKBOX)) {
                out += std::string("\t") + (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
            }
            out += "\n";
        }
    }
    return out;
}

// Lets `measure` use a DC of the control with the control's own font in it,
// the one its text is drawn in; nothing when the control gives no DC.
template <typename Measure>
void InControlFont(HWND control, Measure measure) {
    const ScopedWindowDc dc(control);
    if (!dc) return;
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ old = font ? SelectObject(dc.get(), font) : nullptr;
    measure(dc.get());
    if (old) SelectObject(dc.get(), old);
}

// How wide a text is drawn in a control's own font, in pixels.
int TextWidth(HWND control, const std::wstring& text) {
    RECT box{0, 0, 0, 0};
    InControlFont(control, [&](HDC dc) {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    });
    return box.right - box.left;
}

TEXTMETRICW FontMetricsOf(HWND control) {
    TEXTMETRICW metrics{};
    InControlFont(control, [&](HDC dc) { GetTextMetricsW(dc, &metrics); });
    return metrics;
}

// What the user cannot read whole: list cells wider than their column, and
// one-line labels wider than themselves or reaching past the dialog's edge.
std::string CutTexts(HWND dialog) {
    std::string out;
    RECT client{};
    GetClientRect(dialog, &client);
    for (HWND control : VisibleControls(dialog)) {
        const std::wstring cls = ClassOf(control);
        const int id = GetDlgCtrlID(control);
        if (_wcsicmp(cls.c_str(), WC_LISTVIEWW) == 0) {
            for (int row = 0; row < ListView_GetItemCount(control); ++row) {
                for (int column = 0; column < ColumnCount(control); ++column) {
                    const std::wstring text = WideCell(control, row, column);
                    // The list's own padding: about 6 pixels each side of a cell.
                    const int needed = static_cast<int>(SendMessageW(control, LVM_GETSTRINGWIDTHW, 0,
                                                                     reinterpret_cast<LPARAM>(text.c_str()))) +
                                       12;
                    if (needed > ListView_GetColumnWidth(control, column)) {
                        out += "cut\t" + std::to_string(id) + "\t" + std::to_string(row) + "," +
                               std::to_string(column) + "\t" + Utf8FromWide(text) + "\n";
                    }
                }
            }
            continue;
        }
        if (_wcsicmp(cls.c_str(), L"Static") != 0 || GetParent(control) != dialog) continue;
        const std::wstring text = TextOf(control);
        if (text.empty()) continue;
        RECT box{};
        GetWindowRect(control, &box);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
        const TEXTMETRICW metrics = FontMetricsOf(control);
        const bool oneLine = box.bottom - box.top < 2 * metrics.tmHeight;
        const int width = TextWidth(control, text);
        if ((oneLine && width > box.right - box.left) ||
            box.left + std::min<LONG>(width, box.right - box.left) > client.right) {
            out += "cut\t" + std::to_string(id) + "\tlabel\t" + Utf8FromWide(text) + "\n";
        }
    }
    return out.empty() ? "whole\n" : out;
}

std::string Act(HWND dialog, const std::vector<std::string>& request) {
    const std::string& action = request.size() > 1 ? request[1] : std::string();
    const std::string a = request.size() > 2 ? request[2] : std::string();
    const std::string b = request.size() > 3 ? request[3] : std::string();
    if (action == "read") return ReadDialog(dialog);
    if (action == "cut") return CutTexts(dialog);
    if (action == "idle") return "done\n";  // answered only after what was posted before it
    if (action == "set-text" || action == "pick" || action == "check") {
        HWND control = VisibleControl(dialog, std::atoi(a.c_str()));
        if (!control) return "error no visible control " + a + "\n";
        if (action == "set-text") {
            SetWindowTextW(control, WideFromUtf8(b).c_str());
        } else if (action == "check") {
            SendMessageW(control, BM_SETCHECK, b == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
        } else {
            const LRESULT index = SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(WideFromUtf8(b).c_str()));
            if (index == CB_ERR) return "error no entry " + b + "\n";
            SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(control));
        }
        return "done\n";
    }
    if (action == "lines") {
        // The lines a text box shows as it wraps them, and whether all of
        // them are in view without scrolling.
        HWND box = VisibleControl(dialog, std::atoi(a.c_str()));
        if (!box) return "error no visible control " + a + "\n";
        std::string out;
        const int count = static_cast<int>(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
        for (int line = 0; line < count; ++line) {
            wchar_t text[1024] = {};
            text[0] = static_cast<wchar_t>(1023);  // EM_GETLINE's size, in the buffer's first word
            const LRESULT length = SendMessageW(box, EM_GETLINE, line, reinterpret_cast<LPARAM>(text));
            out += "line\t" + a + "\t" + Utf8FromWide(std::wstring(text, static_cast<size_t>(length))) + "\n";
        }
        RECT client{};
        GetClientRect(box, &client);
        const TEXTMETRICW metrics = FontMetricsOf(box);
        const LRESULT lastStart = SendMessageW(box, EM_LINEINDEX, count - 1, 0);
        const LRESULT position = SendMessageW(box, EM_POSFROMCHAR, lastStart, 0);
        const int lastTop = static_cast<short>(HIWORD(position));
        const bool fits = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0) == 0 && position != -1 &&
                          lastTop + metrics.tmHeight <= client.bottom;
        return out + "fits\t" + a + "\t" + (fits ? "yes" : "no") + "\n";
    }
    if (action == "set-date") {
        HWND picker = VisibleControl(dialog, std::atoi(a.c_str()));
        if (!picker) return "error no visible control " + a + "\n";
        SYSTEMTIME time{};
        int year = 0, month = 0, day = 0;
        if (std::sscanf(b.c_str(), "%d-%d-%d", &year, &month, &day) != 3) return "error not a date " + b + "\n";
        time.wYear = static_cast<WORD>(year);
        time.wMonth = static_cast<WORD>(month);
        time.wDay = static_cast<WORD>(day);
        if (!DateTime_SetSystemtime(picker, GDT_VALID, &time)) return "error date refused " + b + "\n";
        // What the picker tells its dialog when the user picks a date.
        NMDATETIMECHANGE change{};
        change.nmhdr.hwndFrom = picker;
        change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(picker));
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.dwFlags = GDT_VALID;
        DateTime_GetSystemtime(picker, &change.st);
        SendMessageW(GetParent(picker), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
        return "done\n";
    }
    if (action == "tab") {
        // What the tab control tells its dialog when the user clicks a tab.
        HWND tabs = VisibleControl(dialog, std::atoi(a.c_str()));
        if (!tabs) return "error no visible control " + a + "\n";
        const int index = std::atoi(b.c_str());
        if (index < 0 || index >= TabCtrl_GetItemCount(tabs)) return "error no tab " + b + "\n";
        TabCtrl_SetCurSel(tabs, index);
        NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
        return "done\n";
    }
    if (action == "select-row" || action == "check-row") {
        HWND list = ListViewOf(dialog);
        if (!list) return "error no list\n";
        const int row = std::atoi(a.c_str());
        if (action == "check-row") {
            ListView_SetCheckState(list, row, b == "1");
        } else {
            ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
            if (row >= 0) {
                ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                ListView_EnsureVisible(list, row, FALSE);
            }
        }
        return "done\n";
    }
    return "error unknown action " + action + "\n";
}

void AnswerRequest(HWND dialog) {
    static std::string lastSequence, lastAnswer;
    std::string text;
    if (!ReadFileText(ControlRequestPath(), text)) return;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const std::vector<std::string> request = SplitTabs(text);
    // A request posted again while its answer was on its way is not carried
    // out twice; the answer is written again.
    if (request[0] != lastSequence) {
        lastSequence = request[0];
        lastAnswer = request[0] + "\n" + Act(dialog, request);
    }
    WriteFileWhole(ControlAnswerPath(), lastAnswer);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK SolvaneE2EGetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT dump = RegisterWindowMessageW(kDumpMenuMessageName);
    if (code == HC_ACTION) {
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        if (message->message == dump && message->hwnd) Dump(message->hwnd);
        static const UINT request = RegisterWindowMessageW(kControlRequestMessageName);
        if (message->message == request && message->hwnd) AnswerRequest(message->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
