#include "view/win/balloon_tooltip.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "base/win/rect_win.h"

namespace {

constexpr int kMaxLineWidth = 260;
constexpr int kShowFor = 30000;  // ms

COLORREF ToColorRef(const Color& c) { return RGB(c.red, c.green, c.blue); }

}  // namespace

void BalloonTooltip::Recreate(HWND owner, const BalloonLook& look, bool active) {
    window_.reset();
    owner_ = owner;
    window_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    const HWND tip = window_.get();
    if (!tip) return;
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, kMaxLineWidth);
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kShowFor, 0));
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(0, 0));
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (look.background || look.text) {
        // A themed balloon ignores colours; the template's colours win.
        SetWindowTheme(tip, L"", L"");
        if (look.background) SendMessageW(tip, TTM_SETTIPBKCOLOR, ToColorRef(*look.background), 0);
        if (look.text) SendMessageW(tip, TTM_SETTIPTEXTCOLOR, ToColorRef(*look.text), 0);
    }
    SendMessageW(tip, TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

void BalloonTooltip::AddRegion(UINT id, const Rect& region, const std::wstring& text) {
    if (!window_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = 0;
    tool.hwnd = owner_;
    tool.uId = id;
    tool.rect = ToRECT(region);
    tool.hinst = GetModuleHandleW(nullptr);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());  // the balloon keeps its own copy
    SendMessageW(window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void BalloonTooltip::Relay(HWND owner, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) return;
    MSG relayed{};
    relayed.hwnd = owner;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = GetMessageTime();
    const DWORD position = GetMessagePos();
    relayed.pt = POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    SendMessageW(window_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
