#include "base/win/dialog_kit.h"

#include <algorithm>

#include "base/win/gbk_text.h"
#include "base/win/rect_win.h"
#include "base/win/version_info.h"
#include "base/window_placement.h"

namespace {

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

std::wstring WindowTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

BOOL CALLBACK TakeFirstIconId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    if (!IS_INTRESOURCE(name)) return TRUE;
    *reinterpret_cast<int*>(found) = static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
    return FALSE;
}

}  // namespace

void CenterOverOwner(HWND dialog, HWND owner) {
    RECT self{};
    GetWindowRect(dialog, &self);
    const RECT area = WorkAreaOf(owner && IsWindowVisible(owner) && !IsIconic(owner) ? owner : dialog);
    RECT anchor = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &anchor);

    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    int left = anchor.left + ((anchor.right - anchor.left) - width) / 2;
    int top = anchor.top + ((anchor.bottom - anchor.top) - height) / 2;
    // Inside the work area, and with the caption reachable when the dialog is
    // larger than the area.
    left = std::max(static_cast<int>(area.left), std::min(left, static_cast<int>(area.right) - width));
    top = std::max(static_cast<int>(area.top), std::min(top, static_cast<int>(area.bottom) - height));
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<OwnerMove> PlaceBesideOwner(HWND dialog, HWND owner) {
    if (!owner || !IsWindowVisible(owner) || IsIconic(owner)) {
        CenterOverOwner(dialog, owner);
        return std::nullopt;
    }
    RECT self{}, anchor{};
    GetWindowRect(dialog, &self);
    GetWindowRect(owner, &anchor);
    RECT gap{0, 0, 4, 0};  // dialog units: it grows with the font and the DPI
    MapDialogRect(dialog, &gap);
    const SideBySide placed = PlaceSideBySide(RectFrom(anchor), self.right - self.left, self.bottom - self.top,
                                              gap.right, RectFrom(WorkAreaOf(owner)));
    SetWindowPos(dialog, nullptr, placed.window.left, placed.window.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (placed.other.left == anchor.left && placed.other.top == anchor.top) return std::nullopt;
    SetWindowPos(owner, nullptr, placed.other.left, placed.other.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT moved{};
    GetWindowRect(owner, &moved);
    return OwnerMove{anchor, moved};
}

void ShowInTaskbarWhenAlone(HWND dialog) {
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner && IsWindowVisible(owner)) return;
    SetWindowLongPtrW(dialog, GWL_EXSTYLE, GetWindowLongPtrW(dialog, GWL_EXSTYLE) | WS_EX_APPWINDOW);
}

int ShowMessage(HWND owner, const std::string& gbkText, UINT flags) {
    return MessageBoxW(owner, WideFromGbk(gbkText).c_str(), ProductName().c_str(), flags);
}

int ShowMessage(HWND owner, const std::string& gbkText, const std::string& gbkCaption, UINT flags) {
    return MessageBoxW(owner, WideFromGbk(gbkText).c_str(), WideFromGbk(gbkCaption).c_str(), flags);
}

int ShowMessage(HWND owner, const std::wstring& text, UINT flags) {
    return MessageBoxW(owner, text.c_str(), ProductName().c_str(), flags);
}

std::wstring TextNamingFile(std::string_view gbkBefore, const std::filesystem::path& file, std::string_view gbkAfter) {
    return WideFromGbk(gbkBefore) + file.native() + WideFromGbk(gbkAfter);
}

std::wstring DialogItemWideText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }

std::string DialogItemText(HWND dialog, int id) { return GbkFromWide(WindowTextOf(GetDlgItem(dialog, id))); }

std::string DialogItemText(HWND dialog, int id, bool& lostCharacters) {
    return GbkFromWide(WindowTextOf(GetDlgItem(dialog, id)), lostCharacters);
}

void SetDialogItemText(HWND dialog, int id, const std::string& gbk) {
    SetDlgItemTextW(dialog, id, WideFromGbk(gbk).c_str());
}

// ------------------------------------------------------------------ resizer

void DialogResizer::Attach(HWND dialog) {
    dialog_ = dialog;
    RECT window{};
    GetWindowRect(dialog, &window);
    minimum_ = {window.right - window.left, window.bottom - window.top};
    RECT client{};
    GetClientRect(dialog, &client);
    startClient_ = {client.right, client.bottom};

    const int gripWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int gripHeight = GetSystemMetrics(SM_CYHSCROLL);
    grip_ = CreateWindowExW(0, L"SCROLLBAR", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                            client.right - gripWidth, client.bottom - gripHeight, gripWidth, gripHeight, dialog,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    if (grip_) SetWindowPos(grip_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void DialogResizer::Attach(HWND dialog, std::initializer_list<Anchoring> anchorings) {
    Attach(dialog);
    for (const Anchoring& anchoring : anchorings) Anchor(anchoring.controlId, anchoring.anchors);
}

void DialogResizer::Anchor(int controlId, unsigned anchors) {
    const HWND control = GetDlgItem(dialog_, controlId);
    if (!control) return;
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    placements_.push_back({control, rect, anchors});
}

bool DialogResizer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!dialog_) return false;
    if (message == WM_GETMINMAXINFO) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {minimum_.cx, minimum_.cy};
        result = 0;
        return true;
    }
    if (message == WM_SIZE && wParam != SIZE_MINIMIZED) {
        if (grip_) ShowWindow(grip_, wParam == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
        Layout(LOWORD(lParam), HIWORD(lParam));
        result = 0;
        return true;
    }
    return false;
}

void DialogResizer::Layout(int width, int height) {
    const int dx = width - startClient_.cx;
    const int dy = height - startClient_.cy;
    HDWP positions = BeginDeferWindowPos(static_cast<int>(placements_.size()) + 1);
    for (const Placement& placement : placements_) {
        RECT rect = placement.start;
        if (placement.anchors & kMoveRight) OffsetRect(&rect, dx, 0);
        if (placement.anchors & kMoveDown) OffsetRect(&rect, 0, dy);
        if (placement.anchors & kGrowRight) rect.right += dx;
        if (placement.anchors & kGrowDown) rect.bottom += dy;
        if (positions) {
            positions = DeferWindowPos(positions, placement.control, nullptr, rect.left, rect.top,
                                       rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (grip_ && positions) {
        const int gripWidth = GetSystemMetrics(SM_CXVSCROLL);
        const int gripHeight = GetSystemMetrics(SM_CYHSCROLL);
        positions = DeferWindowPos(positions, grip_, HWND_TOP, width - gripWidth, height - gripHeight, gripWidth,
                                   gripHeight, SWP_NOACTIVATE);
    }
    if (positions) EndDeferWindowPos(positions);
    InvalidateRect(dialog_, nullptr, TRUE);
}

// -------------------------------------------------------------------- icons

HICON DialogIcons::Load(int iconId, int size) {
    const HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (icon) icons_.emplace_back(icon);
    return icon;
}

void DialogIcons::SetButtonIcon(HWND dialog, int buttonId, int iconId, int size) {
    const HWND button = GetDlgItem(dialog, buttonId);
    if (!button) return;
    const HICON icon = Load(iconId, size);
    if (!icon) return;
    // Buttons without text (UP, DOWN) show the icon alone; the others beside
    // their text, which common controls 6 lays out for us.
    if (GetWindowTextLengthW(button) == 0) {
        SetWindowLongPtrW(button, GWL_STYLE, GetWindowLongPtrW(button, GWL_STYLE) | BS_ICON);
    }
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void DialogIcons::SetWindowIcons(HWND dialog, int iconId) {
    if (const HICON big = Load(iconId, GetSystemMetrics(SM_CXICON))) {
        SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (const HICON small = Load(iconId, GetSystemMetrics(SM_CXSMICON))) {
        SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

void DialogIcons::SetProgramIcons(HWND dialog) {
    int iconId = 0;
    EnumResourceNamesW(GetModuleHandleW(nullptr), RT_GROUP_ICON, &TakeFirstIconId, reinterpret_cast<LONG_PTR>(&iconId));
    if (iconId != 0) SetWindowIcons(dialog, iconId);
}

// ---------------------------------------------------------------- list view

namespace list_view {

void Setup(HWND list, const std::vector<Column>& columns, bool checkBoxes, HICON rowIcon) {
    DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP;
    if (checkBoxes) extended |= LVS_EX_CHECKBOXES;
    ListView_SetExtendedListViewStyleEx(list, extended, extended);
    for (size_t i = 0; i < columns.size(); ++i) {
        std::wstring title = WideFromGbk(columns[i].title);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = &title[0];
        column.cx = columns[i].width;
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    if (rowIcon) {
        // The list view destroys its small image list with itself unless told
        // it is shared, which it is not.
        const int size = GetSystemMetrics(SM_CXSMICON);
        const HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
        if (images) {
            ImageList_AddIcon(images, rowIcon);
            ListView_SetImageList(list, images, LVSIL_SMALL);
        }
    }
}

int Count(HWND list) { return ListView_GetItemCount(list); }

int Selected(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void Select(HWND list, int row) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row < 0 || row >= Count(list)) return;
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

bool EnterOnSelectedRow(HWND list) {
    return GetFocus() == list && Selected(list) >= 0 && (GetKeyState(VK_RETURN) & 0x8000) != 0;
}

void FocusList(HWND list) {
    // Through the dialog, so that the default button's frame goes back to
    // 保存并关闭 rather than staying on the button that had the focus.
    SendMessageW(GetParent(list), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
}

int Insert(HWND list, int row, const std::vector<std::string>& cells, LPARAM data) {
    std::wstring first = WideFromGbk(cells.empty() ? std::string() : cells[0]);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = std::max(0, std::min(row, Count(list)));
    item.pszText = &first[0];
    item.lParam = data;
    item.iImage = 0;
    const int index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0) SetCells(list, index, cells);
    return index;
}

void SetCells(HWND list, int row, const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        std::wstring text = WideFromGbk(cells[i]);
        LVITEMW item{};
        item.iSubItem = static_cast<int>(i);
        item.pszText = &text[0];
        SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
}

std::string Cell(HWND list, int row, int column) {
    std::wstring text(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = &text[0];
    item.cchTextMax = static_cast<int>(text.size());
    const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    return GbkFromWide(text);
}

int FitColumns(HWND list) {
    const HWND header = ListView_GetHeader(list);
    const int columns = header ? Header_GetItemCount(header) : 0;
    const auto textWidth = [list](const std::wstring& text) {
        return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
    };
    // The list's padding of a cell, on both sides together, and a little more.
    const int padding = 16;
    int total = 0;
    for (int column = 0; column < columns; ++column) {
        std::wstring title(256, L'\0');
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT;
        item.pszText = &title[0];
        item.cchTextMax = static_cast<int>(title.size());
        SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
        int widest = textWidth(title.c_str());
        for (int row = 0; row < Count(list); ++row)
            widest = std::max(widest, textWidth(WideFromGbk(Cell(list, row, column))));
        int width = ListView_GetColumnWidth(list, column);
        if (width > 0 && width < widest + padding) {
            width = widest + padding;
            ListView_SetColumnWidth(list, column, width);
        }
        total += width;
    }
    return total;
}

LPARAM Data(HWND list, int row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

void SetData(HWND list, int row, LPARAM data) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void Delete(HWND list, int row) { ListView_DeleteItem(list, row); }

bool Checked(HWND list, int row) { return ListView_GetCheckState(list, row) != FALSE; }

void SetChecked(HWND list, int row, bool checked) { ListView_SetCheckState(list, row, checked ? TRUE : FALSE); }

}  // namespace list_view

// -------------------------------------------------------------------- combo

namespace combo {

void Fill(HWND combo, const std::vector<Item>& items) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const Item& item : items) {
        const std::wstring text = WideFromGbk(item.text);
        const LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), item.code);
    }
}

bool SelectCode(HWND combo, int code) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == code) {
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return true;
        }
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return false;
}

int SelectedCode(HWND combo, int fallback) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return fallback;
    return static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

bool CodeOfText(HWND combo, int& code) {
    const std::wstring text = WindowTextOf(combo);
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length == CB_ERR) continue;
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item[0]));
        item.resize(static_cast<size_t>(length));
        if (item == text) {
            code = static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
            return true;
        }
    }
    return false;
}

std::string Text(HWND combo) { return GbkFromWide(WindowTextOf(combo)); }

void SetText(HWND combo, const std::string& gbk) { SetWindowTextW(combo, WideFromGbk(gbk).c_str()); }

}  // namespace combo
