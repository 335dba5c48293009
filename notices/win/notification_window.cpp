#include "notices/win/notification_window.h"

#include <commctrl.h>

#include "base/data_paths.h"
#include "base/sound_path.h"
#include "base/win/gbk_text.h"
#include "base/win/popup_menu.h"
#include "base/win/rect_win.h"
#include "base/win/screen_dpi.h"
#include "base/win/work_area.h"
#include "notices/notice_slide.h"
#include "notices/notice_text_fit.h"
#include "resources/resource_ids.h"

namespace {

constexpr UINT kSlidePeriod = 10;  // ms per step
constexpr COLORREF kBackgroundColor = RGB(250, 250, 150);
constexpr COLORREF kTitleBandColor = RGB(255, 81, 0);
constexpr COLORREF kCaptionColor = RGB(255, 255, 255);
// Pixels at 100 %, scaled to the window's DPI as the layout below is (the
// dialog's font Windows scales itself).
constexpr int kTitleBandHeight = 30;
constexpr int kBellSize = 48;
constexpr int kBellGap = 4;  // between the bell and the text

// The window's layout at 100 %: what Windows makes of the dialog template
// with its 9-point Tahoma at 96 DPI. Laid out from these pixels at the
// monitor's DPI, the notice grows exactly as its font does; the template's
// units follow the font's rounded average width instead, and came out 1.43
// times as wide but 1.57 times as high at 150 %.
constexpr SIZE kWindowSize{235, 144};
struct ControlBox {
    int id;
    RECT box;
};
constexpr ControlBox kLayout[] = {
    {IDC_NOTICE_CAPTION, {4, 5, 205, 26}},     {IDCANCEL, {210, 4, 231, 25}},
    {IDC_NOTICE_MESSAGE, {7, 28, 231, 105}},   {IDOK, {74, 112, 161, 137}},
    {IDC_NOTICE_SNOOZE, {121, 112, 208, 137}},
};
// 知道了 beside 稍后提醒, the two centred together.
constexpr RECT kOkBesideSnooze{27, 112, 114, 137};
// DT_END_ELLIPSIS marks only a single word too wide for a line; text running
// off the bottom is cut by FitNoticeText.
constexpr UINT kMessageFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr int kTipLineWidth = 320;  // pixels
constexpr int kTipShowFor = 30000;  // ms: long enough to read a long memo

Rect WorkArea() { return RectFrom(PrimaryWorkArea()); }

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

void MoveTo(HWND window, const NoticePosition& at) {
    SetWindowPos(window, nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

NotificationWindow::NotificationWindow(std::unique_ptr<NoticeSound> sound)
    : sound_(sound ? std::move(sound) : std::make_unique<WaveFileSound>()) {}

NotificationWindow::~NotificationWindow() { Destroy(); }

bool NotificationWindow::Create(SoundSwitch playSound, const std::filesystem::path& moduleFolder) {
    playSound_ = std::move(playSound);
    moduleFolder_ = moduleFolder;
    return CreateModeless(IDD_NOTIFICATION_WINDOW, nullptr, nullptr);
}

void NotificationWindow::SetMessage(const std::string& text) {
    if (!hwnd()) return;
    SetDlgItemTextW(hwnd(), IDC_NOTICE_MESSAGE, WideFromGbk(text).c_str());
    FitMessage(text);
}

int NotificationWindow::Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

RECT NotificationWindow::MessageTextBox() const {
    RECT box{};
    GetClientRect(Item(IDC_NOTICE_MESSAGE), &box);
    box.left += Scaled(kBellSize) + Scaled(kBellGap);
    return box;
}

void NotificationWindow::FitMessage(const std::string& message) {
    const HWND label = Item(IDC_NOTICE_MESSAGE);
    const RECT box = MessageTextBox();
    ScopedWindowDc dc(label);
    if (!dc) {
        shownText_ = WideFromGbk(message);
        return;
    }
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    ScopedSelection selected(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    const auto heightOf = [&](const std::string& text) {
        const std::wstring wide = WideFromGbk(text);
        RECT needed{0, 0, box.right - box.left, 0};
        DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &needed, kMessageFormat | DT_CALCRECT);
        return static_cast<int>(needed.bottom - needed.top);
    };
    const FittedNoticeText fitted = FitNoticeText(message, box.bottom - box.top, heightOf);
    shownText_ = WideFromGbk(fitted.text);
    InvalidateRect(label, nullptr, FALSE);

    if (!messageTip_) return;
    std::wstring whole = WideFromGbk(message);
    whole.erase(0, whole.find_first_not_of(L"\r\n"));
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd();
    tool.uId = IDC_NOTICE_MESSAGE;
    tool.lpszText = &whole[0];
    SendMessageW(messageTip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(messageTip_.get(), TTM_ACTIVATE, fitted.cut ? TRUE : FALSE, 0);
}

// The label lets the mouse through to the window, so the tip's tool is the
// label's place in the window rather than the label itself. The tip has no
// owner: an owned window would take the notice's place at the top when the
// notice is made topmost, and Wine then drops the notice from the topmost band.
void NotificationWindow::CreateMessageTip() {
    messageTip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
    if (!messageTip_) return;  // a cut message then stays cut
    RECT place{};
    const HWND label = Item(IDC_NOTICE_MESSAGE);
    GetWindowRect(label, &place);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
    wchar_t none[] = L"";
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = IDC_NOTICE_MESSAGE;
    tool.rect = place;
    tool.lpszText = none;
    SendMessageW(messageTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(messageTip_.get(), TTM_SETMAXTIPWIDTH, 0, Scaled(kTipLineWidth));
    SendMessageW(messageTip_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kTipShowFor, 0));
    SendMessageW(messageTip_.get(), TTM_ACTIVATE, FALSE, 0);
}

void NotificationWindow::SetSoundFile(const std::string& soundFile) { soundFile_ = soundFile; }

void NotificationWindow::Show() {
    if (!hwnd() || slidingIn_ || slidingOut_ || IsWindowVisible(hwnd())) return;
    slidingIn_ = true;
    const RECT r = WindowRect(hwnd());
    MoveTo(hwnd(), NoticeStartPosition(WorkArea(), GetSystemMetrics(SM_CYSCREEN), r.right - r.left,
                                       Scaled(kNoticeRightMargin)));
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetTimer(hwnd(), kSlideInTimer, kSlidePeriod, nullptr);
}

bool NotificationWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND:
            OnEraseBackground(reinterpret_cast<HDC>(wParam));
            result = TRUE;
            return true;
        case WM_CTLCOLORSTATIC:
            result = reinterpret_cast<LRESULT>(
                OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
            return true;
        case WM_DRAWITEM:
            if (wParam != IDC_NOTICE_MESSAGE) return false;
            OnDrawMessage(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_TIMER:
            OnTimer(wParam);
            return true;
        case WM_CLOSE:
            OnDismiss();
            return true;
        case WM_DESTROY:
            OnDestroy();
            return true;
        case WM_DPICHANGED:
            // Windows scales the dialog to the new DPI (its controls in
            // proportion, and its font); the pixels drawn here follow.
            dpi_ = HIWORD(wParam);
            LoadBell();
            return false;
        default:
            return false;
    }
}

bool NotificationWindow::OnCommand(int id, int) {
    if (id == IDC_NOTICE_SNOOZE) {
        OnSnooze();
        return true;
    }
    if (id != IDOK && id != IDCANCEL) return false;
    OnDismiss();
    return true;
}

void NotificationWindow::SetSnoozable(bool snoozable) {
    snoozable_ = snoozable;
    if (hwnd()) LayOut();
}

void NotificationWindow::OnSnooze() {
    if (!snoozable_ || slidingIn_ || slidingOut_ || !IsWindowVisible(hwnd())) return;
    std::vector<MenuItem> items;
    const std::vector<SnoozeChoice>& choices = SnoozeChoices();
    for (std::size_t i = 0; i < choices.size(); ++i) {
        items.push_back(MenuItem::Command(static_cast<int>(i) + 1, choices[i].text));
    }
    // Below the button, as a drop-down.
    RECT button{};
    GetWindowRect(Item(IDC_NOTICE_SNOOZE), &button);
    const POINT at{button.left, button.bottom};
    const int chosen = ChooseFromMenu(hwnd(), items, TPM_LEFTALIGN | TPM_TOPALIGN, &at);
    if (chosen < 1 || chosen > static_cast<int>(choices.size())) return;
    if (onSnooze_) onSnooze_(choices[static_cast<std::size_t>(chosen) - 1].length);
    OnDismiss();
}

bool NotificationWindow::OnInitDialog() {
    SetWindowTextW(hwnd(), kNotificationWindowTitle);
    background_.reset(CreateSolidBrush(kBackgroundColor));
    titleBand_.reset(CreateSolidBrush(kTitleBandColor));
    dpi_ = WindowDpi(hwnd());
    LayOut();
    LoadBell();
    CreateMessageTip();
    return false;  // shown without taking the focus
}

void NotificationWindow::LayOut() {
    for (const ControlBox& control : kLayout) {
        const RECT& r = control.id == IDOK && snoozable_ ? kOkBesideSnooze : control.box;
        SetWindowPos(Item(control.id), nullptr, Scaled(r.left), Scaled(r.top), Scaled(r.right) - Scaled(r.left),
                     Scaled(r.bottom) - Scaled(r.top), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(hwnd(), nullptr, 0, 0, Scaled(kWindowSize.cx), Scaled(kWindowSize.cy),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Item(IDC_NOTICE_SNOOZE), snoozable_ ? SW_SHOWNA : SW_HIDE);
}

void NotificationWindow::LoadBell() {
    // The icon's own picture of that size where it has one, not a stretched one.
    const int size = Scaled(kBellSize);
    bell_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_NOTICE_BELL), IMAGE_ICON, size, size, 0)));
}

void NotificationWindow::OnEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, background_.get());
    RECT band{client.left, client.top, client.right, client.top + Scaled(kTitleBandHeight)};
    InflateRect(&band, -1, -1);
    FillRect(dc, &band, titleBand_.get());
}

HBRUSH NotificationWindow::OnControlColor(HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    if (GetDlgCtrlID(control) == IDC_NOTICE_CAPTION) {
        // Drawn straight onto the title band.
        SetTextColor(dc, kCaptionColor);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, kBackgroundColor);
    return background_.get();
}

void NotificationWindow::OnDrawMessage(const DRAWITEMSTRUCT& item) {
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, background_.get());
    const int bellSize = Scaled(kBellSize);
    const int iconTop = box.top + ((box.bottom - box.top) - bellSize) / 2;
    if (bell_) DrawIconEx(item.hDC, box.left, iconTop, bell_.get(), bellSize, bellSize, 0, nullptr, DI_NORMAL);

    RECT textBox{box.left + bellSize + Scaled(kBellGap), box.top, box.right, box.bottom};
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    ScopedSelection selected(item.hDC, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    DrawTextW(item.hDC, shownText_.c_str(), static_cast<int>(shownText_.size()), &textBox, kMessageFormat);
}

void NotificationWindow::OnTimer(UINT_PTR id) {
    if (id == kSlideInTimer) SlideInStep();
    if (id == kSlideOutTimer) SlideOutStep();
}

void NotificationWindow::SlideInStep() {
    const RECT r = WindowRect(hwnd());
    const std::int32_t top = NoticeSlideInTop(r.top, r.bottom - r.top, WorkArea().bottom, Scaled(kNoticeSlideStep));
    if (top != r.top) {
        MoveTo(hwnd(), NoticePosition{r.left, top});
        return;
    }
    slidingIn_ = false;
    KillTimer(hwnd(), kSlideInTimer);
    PlayArrivalSound();
}

void NotificationWindow::Chime() {
    if (hwnd() && IsWindowVisible(hwnd()) && !slidingIn_ && !slidingOut_) PlayArrivalSound();
}

void NotificationWindow::PlayArrivalSound() {
    if (playSound_ && !playSound_()) return;
    // Never a share or a device: the window would stall, and the share would
    // learn the user's network credentials.
    // The files are looked at off this thread: the window never waits for a disk.
    sound_->Play(
        {ResolveSoundFile(moduleFolder_, soundFile_).native(), SoundFilePath(moduleFolder_, "提醒.wav").native()});
}

void NotificationWindow::OnDismiss() {
    if (slidingIn_ || slidingOut_ || !IsWindowVisible(hwnd())) return;
    slidingOut_ = true;
    const RECT r = WindowRect(hwnd());
    MoveTo(hwnd(), NoticeRestingPosition(WorkArea(), r.right - r.left, r.bottom - r.top, Scaled(kNoticeRightMargin)));
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetTimer(hwnd(), kSlideOutTimer, kSlidePeriod, nullptr);
}

void NotificationWindow::SlideOutStep() {
    const RECT r = WindowRect(hwnd());
    const std::int32_t top = NoticeSlideOutTop(r.top, GetSystemMetrics(SM_CYSCREEN), Scaled(kNoticeSlideStep));
    if (top != r.top) {
        MoveTo(hwnd(), NoticePosition{r.left, top});
        return;
    }
    slidingOut_ = false;
    KillTimer(hwnd(), kSlideOutTimer);
    ShowWindow(hwnd(), SW_HIDE);
    sound_->Stop();
    if (onHidden_) onHidden_();
}

void NotificationWindow::OnDestroy() {
    messageTip_.reset();
    KillTimer(hwnd(), kSlideInTimer);
    KillTimer(hwnd(), kSlideOutTimer);
    slidingIn_ = slidingOut_ = false;
    sound_->Stop();
}
