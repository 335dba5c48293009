#include "view/win/calendar_window.h"

#include <windowsx.h>

#include <utility>

#include "base/data_paths.h"
#include "base/win/gbk_text.h"
#include "base/win/popup_menu.h"
#include "base/win/rect_win.h"
#include "base/win/scoped_win.h"
#include "base/win/screen_dpi.h"
#include "base/win/window_rect_store.h"
#include "calendar/lunar_calendar.h"
#include "calendar/win/system_time.h"
#include "festivals/win/open_festival_help.h"
#include "resources/resource_ids.h"
#include "view/dpi_scale.h"
#include "view/win/almanac_page_dialog.h"
#include "view/win/display_list_renderer.h"
#include "view/win/font_families.h"

namespace {

// Opens a menu of choices at the cursor; the chosen value, or 0.
int PickFromMenu(HWND owner, const std::vector<MenuChoice>& choices) {
    std::vector<MenuItem> items;
    for (size_t i = 0; i < choices.size(); ++i) items.push_back(MenuItem::Command(static_cast<int>(i) + 1, choices[i].text));
    const int picked = ChooseFromMenu(owner, items);
    return picked > 0 && static_cast<size_t>(picked) <= choices.size() ? choices[picked - 1].value : 0;
}

POINT ClientPointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool IsMouseMessage(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return true;
        default:
            return false;
    }
}

}  // namespace

CalendarWindow::CalendarWindow(std::string settingsFile, std::string moduleFolder,
                               NotificationWindow::SoundSwitch playNoticeSound)
    : settingsFile_(std::move(settingsFile)),
      moduleFolder_(std::move(moduleFolder)),
      playNoticeSound_(std::move(playNoticeSound)),
      monthView_(sources_, InstalledFontFamilies(), LocalToday) {}

bool CalendarWindow::Create(HWND shell, MessageLoop& loop) { return CreateModeless(IDD_CALENDAR_WINDOW, shell, &loop); }
bool CalendarWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (IsMouseMessage(message)) balloon_.Relay(hwnd(), message, wParam, lParam);
    switch (message) {
        case WM_INITDIALOG:
            result = OnInitDialog();
            return true;
        case WM_DESTROY:
            OnDestroy();
            return true;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return true;
        case WM_DISPLAYCHANGE:
            // A monitor removed or its resolution changed: kept on the one it is
            // on, or the nearest.
            ClampToWorkArea(hwnd());
            return true;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA) ClampToWorkArea(hwnd());  // a task bar moved or grew
            return false;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(ClientPointOf(lParam));
            return true;
        case WM_MOUSEMOVE:
            OnMouseMove((wParam & MK_LBUTTON) != 0);
            return true;
        case WM_LBUTTONUP:
            OnLeftButtonUp();
            return true;
        case WM_RBUTTONDOWN:
            OnRightButtonDown(ClientPointOf(lParam));
            return true;
        case WM_LBUTTONDBLCLK:
            OnLeftDoubleClick(ClientPointOf(lParam));
            return true;
        case WM_SETCURSOR:
            if (!OnSetCursor()) return false;
            result = TRUE;
            return true;
        case WM_COMMAND:
            // Enter and Esc reach a dialog as IDOK and IDCANCEL; this window
            // is closed only through the tray menu.
            return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
        default:
            return false;
    }
}

bool CalendarWindow::OnInitDialog() {
    hasOwnPlace_ = RestorePlacement(hwnd(), kPlacementNumber, settingsFile_);
    dpi_ = WindowDpi(hwnd());
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
    notification_.Create(playNoticeSound_, moduleFolder_);
    sources_.LoadFolder(moduleFolder_);
    monthView_.offDays = &sources_.offDays();
    handCursor_ = LoadCursorW(nullptr, IDC_HAND);
    helpCursor_ = LoadCursorW(nullptr, IDC_HELP);
    return false;  // the window takes no focus
}

void CalendarWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    // Moved onto a monitor of another scale: drawn anew at the new one, where
    // Windows suggests, and still under the cursor while it is dragged.
    if (dragging_) grab_ = Point{ScaleForDpi(UnscaleForDpi(grab_.x, dpi_), dpi), ScaleForDpi(UnscaleForDpi(grab_.y, dpi_), dpi)};
    snapLines_.distance = ScaleForDpi(kSnapDistance, dpi);
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Rebuild(year(), month());
}

void CalendarWindow::OnDestroy() {
    SavePlacement(hwnd(), kPlacementNumber, settingsFile_);
    sources_.Close();
    balloon_.Destroy();
    notification_.Destroy();
}

void CalendarWindow::Rebuild(int year, int month) {
    MonthOptions shown = optionsSource_();
    shown.dpi = dpi_;
    monthView_.Rebuild(shown, year, month);
    if (!hwnd()) return;

    const SkinTemplate& skin = monthView_.skin();
    balloon_.Recreate(hwnd(), BalloonLook{skin.tooltipBackground, skin.tooltipText}, options().showBalloon != 0);
    for (const auto& [day, cell] : monthView_.cells()) {
        const auto text = monthView_.balloonTexts().find(day);
        balloon_.AddRegion(static_cast<UINT>(day), cell,
                           text == monthView_.balloonTexts().end() ? std::string() : text->second);
    }
    Present();
}

void CalendarWindow::Redraw() {
    if (hwnd()) Present();
}

void CalendarWindow::Present() {
    const LayeredSurface picture = RenderDisplayList(monthView_.display(), &textPictures_);
    // Without a background picture the window keeps what it showed.
    if (picture.empty()) return;
    RECT current{};
    if (!GetWindowRect(hwnd(), &current)) return;
    const Rect window{current.left, current.top, current.right, current.bottom};
    POINT corner{current.left, current.top};
    // The picture sets the window's size: the dialog's first guess on the
    // first showing, a stored size from another template, or the size before a
    // template change.
    if (!hasOwnPlace_ || window.Width() != picture.width() || window.Height() != picture.height()) {
        // A window without its own place yet is centred on the primary monitor.
        const RECT work = hasOwnPlace_ ? WorkAreaFor(current) : PrimaryWorkArea();
        const Rect placed = PlaceResizedWindow(window, picture.width(), picture.height(), hasOwnPlace_,
                                               RectFrom(work));
        corner = POINT{placed.left, placed.top};
    }
    if (PresentLayered(hwnd(), picture, &corner)) hasOwnPlace_ = true;
}

HotSpots CalendarWindow::NavigationSpots() const {
    return HotSpots{monthView_.yearBack(), monthView_.yearNext(), monthView_.monthBack(), monthView_.monthNext()};
}

void CalendarWindow::ApplyWindowStyle(WindowStyle style) {
    if (style == WindowStyle::kUnchanged || !hwnd()) return;
    LONG_PTR exStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    if (style == WindowStyle::kEmbedded)
        exStyle |= WS_EX_TRANSPARENT;
    else
        exStyle &= ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT);
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle);
}

void CalendarWindow::ReloadFestivals() {
    sources_.ReloadFestivals();
    Rebuild(year(), month());
}

void CalendarWindow::ReloadReminders() {
    sources_.ReloadReminders();
    Rebuild(year(), month());
}

void CalendarWindow::ReloadOffDays() {
    sources_.ReloadOffDays();
    Rebuild(year(), month());
}

bool CalendarWindow::HandleHotSpot(POINT client) {
    const HotSpot spot = HotSpotAt(NavigationSpots(), client.x, client.y);
    if (spot == HotSpot::kNone) return false;
    const int shownYear = this->year(), shownMonth = this->month();
    int year = shownYear, month = shownMonth;
    switch (spot) {
        case HotSpot::kYearBack:
            if (const int picked = PickFromMenu(hwnd(), EarlierYearsMenu(shownYear))) year = picked;
            break;
        case HotSpot::kYearNext:
            if (const int picked = PickFromMenu(hwnd(), LaterYearsMenu(shownYear))) year = picked;
            break;
        case HotSpot::kMonthBack:
        case HotSpot::kMonthNext:
            if (const int picked = PickFromMenu(hwnd(), MonthsMenu())) month = picked;
            break;
        case HotSpot::kNone:
            break;
    }
    if (year != shownYear || month != shownMonth) Rebuild(year, month);
    return true;
}

void CalendarWindow::OnLeftButtonDown(POINT client) {
    if (HandleHotSpot(client)) return;
    if (options().lockLocation) return;
    BeginDrag(client);
}

namespace {

struct WindowSearch {
    HWND self;
    HWND balloon;
    std::vector<Rect> rects;
};

BOOL CALLBACK CollectOtherVisibleWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    RECT r{};
    if (window != search->self && window != search->balloon && IsWindowVisible(window) &&
        GetWindowRect(window, &r)) {
        search->rects.push_back(RectFrom(r));
    }
    return TRUE;
}

}  // namespace

std::vector<Rect> CalendarWindow::OtherVisibleWindows() const {
    WindowSearch search{hwnd(), balloon_.hwnd(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &CollectOtherVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.rects;
}

void CalendarWindow::BeginDrag(POINT client) {
    SetCapture(hwnd());
    dragging_ = true;
    grab_ = Point{client.x, client.y};
    RECT current{};
    GetWindowRect(hwnd(), &current);
    snapLines_ = BuildSnapLines(RectFrom(WorkAreaFor(current)), OtherVisibleWindows());
    snapLines_.distance = ScaleForDpi(kSnapDistance, dpi_);
}

void CalendarWindow::OnMouseMove(bool leftButtonDown) {
    if (!dragging_) return;
    // The button went up where this window did not see it: the drag is over.
    if (!leftButtonDown) {
        OnLeftButtonUp();
        return;
    }
    // Activation can take the capture away at the start of a drag; the drag
    // goes on as long as the button is held.
    if (GetCapture() != hwnd()) SetCapture(hwnd());
    POINT cursor{};
    RECT current{};
    if (!GetCursorPos(&cursor) || !GetWindowRect(hwnd(), &current)) return;
    const Rect moved = DraggedWindowRect(snapLines_, Point{cursor.x, cursor.y}, grab_, current.right - current.left,
                                         current.bottom - current.top);
    SetWindowPos(hwnd(), nullptr, moved.left, moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CalendarWindow::OnLeftButtonUp() {
    if (GetCapture() == hwnd()) ReleaseCapture();
    dragging_ = false;
}

void CalendarWindow::OnRightButtonDown(POINT client) {
    if (HandleHotSpot(client)) return;
    ShowDayMenu(client);
}

void CalendarWindow::OnLeftDoubleClick(POINT client) {
    // The first click of the pair began a drag that went nowhere.
    OnLeftButtonUp();
    if (HotSpotAt(NavigationSpots(), client.x, client.y) != HotSpot::kNone) return;
    const int day = monthView_.DayAt(client.x, client.y);
    if (day != 0) ShowAlmanacPage(hwnd(), year(), month(), day);
}

void CalendarWindow::ShowDayMenu(POINT client) {
    const int day = monthView_.DayAt(client.x, client.y);
    if (day == 0) return;
    const auto info = monthView_.days().find(day);
    if (info == monthView_.days().end()) return;
    std::vector<std::string> festivalNames;
    for (const FestivalRule& festival : info->second.festivals) festivalNames.push_back(festival.name);
    const auto offDay = monthView_.offDayCells().find(day);
    const std::vector<MenuItem> items =
        BuildDayMenu(festivalNames, info->second.SolarTerm,
                     offDay == monthView_.offDayCells().end() ? std::string() : OffDayBalloonText(offDay->second));
    const int year = this->year(), month = this->month();

    // The day's 黄历 page closes the menu, after its own separator.
    std::vector<MenuItem> shown = items;
    shown.push_back(MenuItem::Separator());
    shown.push_back(MenuItem::Command(kOpenAlmanacPage, "查看黄历..."));
    const int command = ChooseFromMenu(hwnd(), shown);
    if (command <= 0 || command == kOffDayItem) return;
    if (command == kOpenAlmanacPage) {
        ShowAlmanacPage(hwnd(), year, month, day);
        return;
    }

    const HWND shell = GetWindow(hwnd(), GW_OWNER);
    if (command == kAddSolarFestival || command == kAddSolarMemo) {
        SendMessageW(shell, command == kAddSolarFestival ? kAddFestivalForDateMessage : kAddReminderForDateMessage,
                     DayMessageDate(year, month, day), 0);
        return;
    }
    if (command == kAddLunarFestival || command == kAddLunarMemo) {
        const LunarDate lunar = SolarToLunar(year, month, day);
        // A lunar date in the record's fields: only year, month and day count.
        SendMessageW(shell, command == kAddLunarFestival ? kAddFestivalForDateMessage : kAddReminderForDateMessage,
                     DayMessageDate(lunar.year, lunar.month, lunar.day), 1);
        return;
    }
    // The help is looked up by the real name, not by the menu's label.
    for (const MenuItem& item : items) {
        if (item.command == command) OpenFestivalHelp(item.text);
    }
}

bool CalendarWindow::OnSetCursor() {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return false;
    ScreenToClient(hwnd(), &cursor);
    if (HotSpotAt(NavigationSpots(), cursor.x, cursor.y) != HotSpot::kNone) {
        SetCursor(handCursor_);
        return true;
    }
    if (options().showBalloon && monthView_.DayAt(cursor.x, cursor.y) != 0) {
        SetCursor(helpCursor_);
        return true;
    }
    return false;
}
