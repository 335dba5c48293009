#include "view/win/calendar_window.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "base/win/dialog_kit.h"
#include "base/win/gbk_text.h"
#include "base/win/popup_menu.h"
#include "base/win/rect_win.h"
#include "base/win/scoped_win.h"
#include "base/win/screen_dpi.h"
#include "base/win/work_area.h"
#include "base/window_placement.h"
#include "calendar/lunar_calendar.h"
#include "calendar/win/system_time.h"
#include "festivals/win/open_festival_help.h"
#include "holidays/holiday_schedule_texts.h"
#include "resources/resource_ids.h"
#include "view/accessible_month.h"
#include "view/dpi_scale.h"
#include "view/win/almanac_page_dialog.h"
#include "view/win/display_list_renderer.h"
#include "view/win/font_families.h"

namespace {

size_t TextCount(const DisplayList& list) {
    return static_cast<size_t>(std::count_if(list.items.begin(), list.items.end(), [](const DisplayItem& item) {
        return std::holds_alternative<DisplayText>(item);
    }));
}

// Opens a menu of choices at the cursor; the chosen value, or 0.
int PickFromMenu(HWND owner, const std::vector<MenuChoice>& choices) {
    std::vector<MenuItem> items;
    for (size_t i = 0; i < choices.size(); ++i)
        items.push_back(MenuItem::Command(static_cast<int>(i) + 1, choices[i].text));
    const int picked = ChooseFromMenu(owner, items);
    return picked > 0 && static_cast<size_t>(picked) <= choices.size() ? choices[picked - 1].value : 0;
}

POINT ClientPointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

static_assert(key_code::kEnter == VK_RETURN && key_code::kEscape == VK_ESCAPE && key_code::kPageUp == VK_PRIOR &&
                  key_code::kPageDown == VK_NEXT && key_code::kHome == VK_HOME && key_code::kLeft == VK_LEFT &&
                  key_code::kUp == VK_UP && key_code::kRight == VK_RIGHT && key_code::kDown == VK_DOWN &&
                  key_code::kApps == VK_APPS && key_code::kF10 == VK_F10,
              "the key map's codes are Windows' virtual keys");

// In high contrast the balloon keeps the system's colours, whatever the
// template says: the user chose those colours to be able to read at all.
bool HighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool MovedFarEnoughToDrag(POINT from, POINT to) {
    return std::abs(to.x - from.x) > GetSystemMetrics(SM_CXDRAG) ||
           std::abs(to.y - from.y) > GetSystemMetrics(SM_CYDRAG);
}

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

CalendarWindow::CalendarWindow(DayInfoSource& days, const HolidaySchedule& offDays)
    : offDays_(offDays),
      monthView_(days, FontFamilies(), LocalToday),
      planning_(days, offDays, marks_,
                PlanningWindows::Host{LocalToday, [this](const Date& date, bool ring) { GoTo(date, ring); },
                                      [this] { Rebuild(month()); }, [this] { return month(); }}) {
    monthView_.offDays = &offDays_;
    monthView_.marks = &marks_;
}

bool CalendarWindow::Create(HWND shell, MessageLoop& loop, GdiplusSession& graphics) {
    loop_ = &loop;
    graphics_ = &graphics;
    return CreateModeless(IDD_CALENDAR_WINDOW, shell, &loop);
}
bool CalendarWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (IsMouseMessage(message)) balloon_.Relay(hwnd(), message, wParam, lParam);
    switch (message) {
        case WM_DESTROY:
            OnDestroy();
            return true;
        case WM_DPICHANGED:
            // Only Windows sends it with a rectangle; anyone may send it.
            if (const RECT* suggested = reinterpret_cast<const RECT*>(lParam)) {
                const Rect place{suggested->left, suggested->top, suggested->right, suggested->bottom};
                if (IsUsableDpiChange(HIWORD(wParam), &place)) OnDpiChanged(HIWORD(wParam), *suggested);
            }
            return true;
        case WM_DISPLAYCHANGE:
            // A monitor removed or its resolution changed: kept on the one it is
            // on, or the nearest.
            ClampToWorkArea(hwnd());
            return true;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA) ClampToWorkArea(hwnd());  // a task bar moved or grew
            if (wParam == SPI_SETHIGHCONTRAST) Rebuild(month());     // the balloon's colours
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
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // F10 comes as a system key; Shift+F10 opens the day menu.
            if (message == WM_SYSKEYDOWN && wParam != VK_F10) return false;
            OnKeyDown(wParam);
            return true;
        case WM_NOTIFY:
            return balloon_.OnNotify(*reinterpret_cast<NMHDR*>(lParam), result);
        case WM_GETDLGCODE:
            // The window has no controls: the arrows, Enter and Esc are its
            // own, not the dialog manager's.
            result = DLGC_WANTALLKEYS | DLGC_WANTARROWS;
            return true;
        case WM_MOUSEWHEEL:
            OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0);
            return true;
        case WM_KILLFOCUS:
            wheel_.Reset();
            return false;
        case WM_ACTIVATE:
            // A dialog gives the keyboard to its first control; this one has
            // none and takes it itself.
            if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd());
            return false;
        case WM_GETOBJECT:
            result = accessible_.Answer(hwnd(), wParam, lParam, [this] { return DescribeForReaders(); });
            return result != 0;
        case WM_SETCURSOR:
            if (!OnSetCursor()) return false;
            result = TRUE;
            return true;
        default:
            return false;
    }
}

// Enter and Esc reach a dialog as IDOK and IDCANCEL; this window is closed
// only through the tray menu.
bool CalendarWindow::OnCommand(int id, int) { return id == IDOK || id == IDCANCEL; }

bool CalendarWindow::OnInitDialog() {
    dpi_ = WindowDpi(hwnd());
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
    handCursor_ = LoadCursorW(nullptr, IDC_HAND);
    helpCursor_ = LoadCursorW(nullptr, IDC_HELP);
    return false;  // the window takes no focus
}

void CalendarWindow::Placed(bool stored) {
    hasOwnPlace_ = stored;
    dpi_ = WindowDpi(hwnd());  // of the monitor it was put on
}

void CalendarWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    // Moved onto a monitor of another scale: drawn anew at the new one, where
    // Windows suggests, and still under the cursor while it is dragged.
    if (dragging_)
        grab_ = Point{ScaleForDpi(UnscaleForDpi(grab_.x, dpi_), dpi), ScaleForDpi(UnscaleForDpi(grab_.y, dpi_), dpi)};
    snapLines_.distance = ScaleForDpi(kSnapDistance, dpi);
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Rebuild(month());
}

void CalendarWindow::OnDestroy() {
    accessible_.Disconnect();
    balloon_.Destroy();
}

void CalendarWindow::Rebuild(const YearMonth& month) {
    // The ring shows the day gone to while its month is shown.
    if (marks_.ringed && !month.Holds(*marks_.ringed)) marks_.ringed.reset();
    MonthOptions shown = options_;
    shown.dpi = dpi_;
    monthView_.Rebuild(shown, month);
    if (!hwnd()) return;

    // The window has no caption to show it, but screen readers and the
    // task switcher name it by the month it shows.
    SetWindowTextW(hwnd(),
                   WideFromGbk(std::to_string(month.year()) + "年" + std::to_string(month.month()) + "月").c_str());
    Present();
    if (balloonStarted_) ResetBalloon();
}

void CalendarWindow::StartBalloon() {
    balloonStarted_ = true;
    if (hwnd()) ResetBalloon();
}

void CalendarWindow::ResetBalloon() {
    const SkinTemplate& skin = monthView_.skin();
    balloon_.Reset(hwnd(), HighContrastOn() ? BalloonLook{} : BalloonLook{skin.tooltipBackground, skin.tooltipText},
                   options().showBalloon, [this](UINT day) { return monthView_.BalloonTextOf(static_cast<int>(day)); });
    for (const auto& [day, cell] : monthView_.cells()) balloon_.AddRegion(static_cast<UINT>(day), cell);
}

void CalendarWindow::Redraw() {
    if (hwnd()) Present();
}

void CalendarWindow::GoTo(const Date& date, bool ring) {
    if (ring) {
        marks_.ringed = date;
    } else {
        marks_.ringed.reset();
    }
    Rebuild(YearMonth::Of(date));
}

void CalendarWindow::OpenGoodDays(const Date& from) { planning_.OpenGoodDays(hwnd(), loop_, from); }

void CalendarWindow::OpenLeavePlanner(const Date& from) {
    planning_.OpenLeavePlanner(hwnd(), loop_, YearToPlan(offDays_, from));
}

void CalendarWindow::OpenGoToDate(const Date& start) { planning_.GoToDate(hwnd(), start); }

void CalendarWindow::ShowAndFocus() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(hwnd());
}

void CalendarWindow::GoToToday() {
    const Date today = LocalToday();
    GoTo(today, marks_.ringed.has_value());
    if (marks_.ringed) AnnounceRing();
}

void CalendarWindow::OnKeyDown(WPARAM key) {
    const CalendarKeyCommand command = CommandOfKey(static_cast<int>(key), GetKeyState(VK_CONTROL) < 0,
                                                    GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0);
    // The ring shows from the first key on: a mouse user never sees it.
    const Date today = LocalToday();
    const Date ringed = marks_.ringed.value_or(RingStart(month(), today));
    switch (command) {
        case CalendarKeyCommand::kNone:
            return;
        case CalendarKeyCommand::kGoToDate:
            OpenGoToDate(marks_.ringed.value_or(month().FirstDay()));
            return;
        case CalendarKeyCommand::kHide:
            Hide();
            return;
        case CalendarKeyCommand::kOpenAlmanacPage:
            MoveRing(ringed);
            ShowAlmanacPage(hwnd(), ringed);
            return;
        case CalendarKeyCommand::kDayMenu:
            MoveRing(ringed);
            ShowDayMenuAtRing();
            return;
        default:
            if (const std::optional<Date> target = RingTarget(command, ringed, today)) MoveRing(*target);
            return;
    }
}

void CalendarWindow::MoveRing(const Date& date) {
    if (marks_.ringed == date) return;
    GoTo(date, true);
    AnnounceRing();
}

void CalendarWindow::AnnounceRing() {
    if (!marks_.ringed || GetFocus() != hwnd()) return;
    const AccessibleMonthView view = DescribeForReaders();
    for (size_t i = 0; i < view.children.size(); ++i) {
        if (view.children[i].focused) AccessibleMonth::AnnounceFocus(hwnd(), static_cast<int>(i + 1));
    }
}

void CalendarWindow::ShowDayMenuAtRing() {
    const auto cell = monthView_.cells().find(marks_.ringed ? marks_.ringed->day() : 0);
    if (cell == monthView_.cells().end()) return;
    const Rect& box = cell->second;
    const POINT middle{box.left + box.Width() / 2, box.top + box.Height() / 2};
    // At the ring, wherever the pointer is.
    POINT screen = middle;
    ClientToScreen(hwnd(), &screen);
    ShowDayMenu(middle, &screen);
}

void CalendarWindow::OnMouseWheel(int delta, bool control) {
    const int months = MonthsForWheel(wheel_.Add(delta), control);
    if (months == 0) return;
    const YearMonth shown = StepMonths(month(), months);
    if (shown == month()) return;
    if (!marks_.ringed) {
        Rebuild(shown);
        return;
    }
    // The ring goes along, on the same day or the month's last.
    MoveRing(*shown.Day(std::min(marks_.ringed->day(), shown.DayCount())));
}

AccessibleMonthView CalendarWindow::DescribeForReaders() const {
    AccessibleMonthView view;
    view.name = AccessibleMonthName(month());
    const HotSpots spots = NavigationSpots();
    const std::pair<HotSpot, Rect> buttons[] = {{HotSpot::kYearBack, spots.yearBack},
                                                {HotSpot::kYearNext, spots.yearNext},
                                                {HotSpot::kMonthBack, spots.monthBack},
                                                {HotSpot::kMonthNext, spots.monthNext},
                                                {HotSpot::kToday, spots.today}};
    for (const auto& [spot, box] : buttons) {
        if (box.Width() > 0 && box.Height() > 0)
            view.children.push_back({ROLE_SYSTEM_PUSHBUTTON, AccessibleSpotName(spot), "", box, false});
    }
    const Date today = LocalToday();
    for (const auto& [day, cell] : monthView_.cells()) {
        const auto info = monthView_.days().find(day);
        if (info == monthView_.days().end()) continue;
        const auto offDay = monthView_.offDayCells().find(day);
        view.children.push_back(
            {ROLE_SYSTEM_CELL,
             AccessibleDayName(info->second, today,
                               offDay == monthView_.offDayCells().end() ? nullptr : &offDay->second),
             monthView_.BalloonTextOf(day), cell, marks_.ringed == info->second.date});
    }
    return view;
}

bool CalendarWindow::FontFamilyInstalled(const std::string& family) {
    const auto known = fontFamilies_.find(family);
    if (known != fontFamilies_.end()) return known->second;
    if (graphics_) graphics_->Start();
    return fontFamilies_[family] = IsFontFamilyInstalled(family);
}

void CalendarWindow::FontsChanged() {
    fontFamilies_.clear();
    textPictures_ = TextPictures();
}

void CalendarWindow::KeepEarlierDrawing(KeptDrawing drawing) {
    fontFamilies_.insert(drawing.families.begin(), drawing.families.end());
    for (KeptBackground& background : drawing.backgrounds) backgrounds_.KeepEarlier(std::move(background));
    for (auto& [key, picture] : drawing.texts) textPictures_.KeepEarlier(key, std::move(picture));
}

void CalendarWindow::DrawAhead(const Date& day) {
    if (day.year() > kLastLunarYear) return;
    const DisplayList ahead = monthView_.DisplayOn(YearMonth::Of(day), day);
    const int drawnBefore = textPictures_.drawn();
    DrawTextPicturesOf(ahead, textPictures_, graphics_);
    drewAhead_ = drewAhead_ || textPictures_.drawn() > drawnBefore;
    textsAhead_ = TextCount(ahead);
}

KeptDrawingRefs CalendarWindow::ShownDrawing() const {
    KeptDrawingRefs shown;
    shown.families.assign(fontFamilies_.begin(), fontFamilies_.end());
    if (const KeptBackground* background = backgrounds_.Latest()) shown.backgrounds.push_back(background);
    // The month just laid and the texts drawn ahead used their pictures
    // last: they come first.
    textPictures_.VisitRecent(
        TextCount(monthView_.display()) + textsAhead_,
        [&](const TextPictureKey& key, const TextPicture& picture) { shown.texts.emplace_back(&key, &picture); });
    return shown;
}

void CalendarWindow::Present() {
    LayeredSurface picture = RenderDisplayList(monthView_.display(), &textPictures_, &backgrounds_, graphics_);
    // Without a background picture the window keeps what it showed.
    if (picture.empty()) return;
    RECT current{};
    if (GetWindowRect(hwnd(), &current)) PresentAt(current, picture);
    backgrounds_.GiveBack(std::move(picture));
}

void CalendarWindow::PresentAt(const RECT& current, const LayeredSurface& picture) {
    const Rect window{current.left, current.top, current.right, current.bottom};
    POINT corner{current.left, current.top};
    // The picture sets the window's size: the dialog's first guess on the
    // first showing, a stored size from another template, or the size before a
    // template change.
    if (!hasOwnPlace_ || window.Width() != picture.width() || window.Height() != picture.height()) {
        // A window without its own place yet is centred on the primary monitor.
        const RECT work = hasOwnPlace_ ? WorkAreaFor(current) : PrimaryWorkArea();
        const Rect placed = PlaceResizedWindow(window, picture.width(), picture.height(), hasOwnPlace_, RectFrom(work));
        corner = POINT{placed.left, placed.top};
    }
    if (PresentLayered(hwnd(), picture, &corner)) hasOwnPlace_ = true;
}

HotSpots CalendarWindow::NavigationSpots() const {
    return HotSpots{monthView_.yearBack(), monthView_.yearNext(), monthView_.monthBack(), monthView_.monthNext(),
                    monthView_.todaySpot()};
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

bool CalendarWindow::HandleHotSpot(POINT client) {
    const HotSpot spot = HotSpotAt(NavigationSpots(), client.x, client.y);
    if (spot == HotSpot::kNone) return false;
    const int shownYear = month().year(), shownMonth = month().month();
    int year = shownYear, monthNumber = shownMonth;
    switch (spot) {
        case HotSpot::kYearBack:
            if (const int picked = PickFromMenu(hwnd(), EarlierYearsMenu(shownYear))) year = picked;
            break;
        case HotSpot::kYearNext:
            if (const int picked = PickFromMenu(hwnd(), LaterYearsMenu(shownYear))) year = picked;
            break;
        case HotSpot::kMonthBack:
        case HotSpot::kMonthNext: {
            const int picked = ChooseFromMenu(hwnd(), MonthMenuItems());
            if (picked == kGoToDate) {
                OpenGoToDate(month().FirstDay());
                return true;
            }
            if (picked >= 1 && picked <= 12) monthNumber = picked;
            break;
        }
        case HotSpot::kToday:
            GoToToday();
            return true;
        case HotSpot::kNone:
            break;
    }
    const std::optional<YearMonth> picked = YearMonth::From(year, monthNumber);
    if (picked && *picked != month()) Rebuild(*picked);
    return true;
}

void CalendarWindow::OnLeftButtonDown(POINT client) {
    // A click gives the window the keyboard, even where Windows activates
    // nothing (an owned pop-up of an inactive program).
    SetFocus(hwnd());
    if (HandleHotSpot(client)) return;
    // The header's year and month bring today back, on release: a press
    // there may still be the start of a drag.
    pressedOnHeader_ = monthView_.HeaderTextAt(client.x, client.y);
    GetCursorPos(&pressedAt_);
    if (options().lockLocation) {
        if (pressedOnHeader_) SetCapture(hwnd());
        return;
    }
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
    if (window != search->self && window != search->balloon && IsWindowVisible(window) && GetWindowRect(window, &r)) {
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
    if (!pressedOnHeader_) return;
    pressedOnHeader_ = false;
    // On the screen: the window moves with a dragging pointer, which stays
    // where it was in the window.
    POINT released{};
    GetCursorPos(&released);
    if (!MovedFarEnoughToDrag(pressedAt_, released)) GoToToday();
}

void CalendarWindow::OnRightButtonDown(POINT client) {
    if (HandleHotSpot(client)) return;
    ShowDayMenu(client);
}

void CalendarWindow::OnLeftDoubleClick(POINT client) {
    // The first click of the pair began a drag that went nowhere.
    pressedOnHeader_ = false;
    OnLeftButtonUp();
    if (HotSpotAt(NavigationSpots(), client.x, client.y) != HotSpot::kNone) return;
    const int day = monthView_.DayAt(client.x, client.y);
    if (const std::optional<Date> date = month().Day(day)) ShowAlmanacPage(hwnd(), *date);
}

void CalendarWindow::ShowDayMenu(POINT client, const POINT* menuAt) {
    const int day = monthView_.DayAt(client.x, client.y);
    if (day == 0) return;
    const auto info = monthView_.days().find(day);
    if (info == monthView_.days().end()) return;
    std::vector<std::string> festivalNames;
    for (const FestivalRule& festival : info->second.festivals) festivalNames.push_back(festival.name);
    const auto offDay = monthView_.offDayCells().find(day);
    std::vector<MenuItem> items =
        BuildDayMenu(festivalNames, info->second.solarTerm,
                     offDay == monthView_.offDayCells().end() ? std::string() : OffDayBalloonText(offDay->second));
    AddDayMenuReminders(items, info->second.reminders);
    const Date date = info->second.date;

    // The day's 黄历 page and the planning commands close the menu.
    std::vector<MenuItem> shown = items;
    for (MenuItem& item : DayMenuPlanningItems()) shown.push_back(std::move(item));
    const int command = ChooseFromMenu(hwnd(), shown, 0, menuAt);
    if (command <= 0) return;
    switch (command) {
        case kOffDayItem: {
            const std::string arrangement = HolidayArrangementText(offDays_, date);
            if (!arrangement.empty()) ShowMessage(hwnd(), arrangement, MB_OK | MB_ICONINFORMATION);
            return;
        }
        case kOpenAlmanacPage:
            ShowAlmanacPage(hwnd(), date);
            return;
        case kFindGoodDays:
            OpenGoodDays(std::max(date, LocalToday()));
            return;
        case kPlanLeave:
            OpenLeavePlanner(date);
            return;
        case kGoToDate:
            OpenGoToDate(date);
            return;
        default:
            break;
    }

    const HWND shell = GetWindow(hwnd(), GW_OWNER);
    if (const std::optional<DayMenuReminderChoice> reminder = ReminderChoiceOf(command)) {
        SendMessageW(shell, reminder->remove ? kDeleteReminderOfDayMessage : kEditReminderOfDayMessage,
                     DayMessageDate(date.year(), date.month(), date.day()), reminder->reminder);
        return;
    }
    if (command == kAddSolarFestival || command == kAddSolarReminder) {
        SendMessageW(shell, command == kAddSolarFestival ? kAddFestivalForDateMessage : kAddReminderForDateMessage,
                     DayMessageDate(date.year(), date.month(), date.day()), 0);
        return;
    }
    if (command == kAddLunarFestival || command == kAddLunarReminder) {
        const LunarDate& lunar = info->second.lunar;
        // A lunar date in the record's fields, with whether its month is the
        // leap one: 闰二月初十 is not 二月初十.
        SendMessageW(shell, command == kAddLunarFestival ? kAddFestivalForDateMessage : kAddReminderForDateMessage,
                     DayMessageDate(lunar.year, lunar.month, lunar.day), lunar.isLeap ? kLeapMonthDate : kLunarDate);
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
