#include "view/win/balloon_tooltip.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/win/gbk_text.h"
#include "base/win/rect_win.h"
#include "base/win/screen_dpi.h"
#include "base/win/work_area.h"
#include "base/window_placement.h"
#include "view/balloon_placement.h"
#include "view/balloon_text.h"
#include "view/dpi_scale.h"

namespace {

constexpr int kShowFor = 30000;  // ms
// Pixels at 100 %, scaled to the owner's DPI like the balloon's font.
constexpr int kBalloonTextMargin = 10;    // pixels between the balloon's edge and its text
constexpr int kCustomaryWidth = 260;      // pixels: the narrowest wrapping width balloons have
constexpr int kReadingChars = 36;         // Chinese characters: the widest line read at a glance
constexpr int kBalloonStemAndFrame = 40;  // pixels the stem and borders add to the text's height
// The tooltip control keeps no more of a tool's text than 1 023 characters
// (INFOTIPSIZE less its terminator), and a text cut past them would lose the
// note of the cut; room is left for the padding of PaddedToItsInk.
constexpr std::size_t kMostBalloonCharacters = 1023 - 64;

// The width the system gives one line, in pixels (what sizes the balloon).
int MeasuredWidth(HDC dc, const std::wstring& line) {
    RECT box{0, 0, 0, 0};
    if (!line.empty()) {
        DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &box,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
    }
    return box.right - box.left;
}

// How far the line's ink reaches when drawn, in pixels. Where characters come
// from a fallback font (Chinese text in a Latin user-interface font), some
// systems draw them wider than they measure them, and the balloon, sized by
// the measure, would cut the line's end.
int DrawnWidth(HDC dc, const std::wstring& line, int measured) {
    if (line.empty()) return 0;
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int width = measured + metrics.tmMaxCharWidth * 2 + 16, height = metrics.tmHeight + 2;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const ScopedMemoryDc canvas(CreateCompatibleDC(dc));
    const ScopedBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!canvas || !bitmap || !bits) return measured;
    const ScopedSelection pictured(canvas.get(), bitmap.get());
    const ScopedSelection font(canvas.get(), GetCurrentObject(dc, OBJ_FONT));
    RECT all{0, 0, width, height};
    FillRect(canvas.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(canvas.get(), RGB(0, 0, 0));
    SetBkMode(canvas.get(), TRANSPARENT);
    DrawTextW(canvas.get(), line.c_str(), static_cast<int>(line.size()), &all,
              DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    int reach = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = width - 1; x >= reach; --x) {
            if ((pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF) {
                reach = x + 1;
                break;
            }
        }
    }
    return std::max(measured, reach);
}

// The balloon sizes itself by the measure of its widest line; where that line
// is drawn wider than it measures, it is given trailing no-break spaces (which
// draw as nothing and, unlike spaces, are not dropped where the balloon
// breaks lines) until it measures at least as wide as it draws.
std::wstring PaddedToItsInk(HDC dc, std::wstring text) {
    std::vector<std::pair<size_t, size_t>> lines;  // start, length
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        lines.emplace_back(start, end - start);
        start = end + 1;
    }
    int widest = 0, needed = 0;
    size_t widestLine = 0;
    std::vector<int> measured;
    for (const auto& [start, length] : lines) measured.push_back(MeasuredWidth(dc, text.substr(start, length)));
    for (size_t i = 0; i < lines.size(); ++i) widest = std::max(widest, measured[i]);
    for (size_t i = 0; i < lines.size(); ++i) {
        // Only lines near the widest can reach past the balloon's edge.
        if (measured[i] + 64 < widest) continue;
        const int drawn = DrawnWidth(dc, text.substr(lines[i].first, lines[i].second), measured[i]);
        if (drawn > needed) {
            needed = drawn;
            widestLine = i;
        }
    }
    if (needed <= widest) return text;
    std::wstring line = text.substr(lines[widestLine].first, lines[widestLine].second);
    for (int guard = 0; guard < 64 && MeasuredWidth(dc, line) < needed; ++guard) line += L'\u00A0';
    return text.replace(lines[widestLine].first, lines[widestLine].second, line);
}

RECT WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return RECT{};
    return info.rcWork;
}

int WorkAreaWidth(HWND window) {
    const RECT work = WorkAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    return work.right - work.left;
}

// The lines of text a balloon as tall as the work area holds, 0 when unknown.
std::size_t LinesOnWorkArea(HWND window, HDC dc, unsigned dpi) {
    TEXTMETRICW metrics{};
    if (!dc || !GetTextMetricsW(dc, &metrics) || metrics.tmHeight <= 0) return 0;
    const RECT work = WorkAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    const int room = work.bottom - work.top - ScaleForDpi(2 * kBalloonTextMargin + kBalloonStemAndFrame, dpi);
    return room > 0 ? static_cast<std::size_t>(room / metrics.tmHeight) : 1;
}

COLORREF ToColorRef(const Color& c) { return RGB(c.red, c.green, c.blue); }

}  // namespace

void BalloonTooltip::Reset(HWND owner, const BalloonLook& look, bool active, BalloonTextSource texts) {
    texts_ = std::move(texts);
    const unsigned dpi = WindowDpi(owner);
    if (window_ && owner == owner_ && look.background == look_.background && look.text == look_.text && dpi == dpi_) {
        for (const UINT id : regions_) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = owner_;
            tool.uId = id;
            SendMessageW(window_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    } else {
        window_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                      WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
        owner_ = owner;
        look_ = look;
        dpi_ = dpi;
        const HWND tip = window_.get();
        if (!tip) return;
        SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kShowFor, 0));
        SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(0, 0));
        SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (look.background || look.text) {
            // A themed balloon ignores colours; the template's colours win.
            SetWindowTheme(tip, L"", L"");
            if (look.background) SendMessageW(tip, TTM_SETTIPBKCOLOR, ToColorRef(*look.background), 0);
            if (look.text) SendMessageW(tip, TTM_SETTIPTEXTCOLOR, ToColorRef(*look.text), 0);
        }
    }
    regions_.clear();
    const HWND tip = window_.get();
    if (!tip) return;
    // The text comes laid out in lines (LaidOut), none wider than the work
    // area allows, so this width only makes the balloon show several lines
    // (without any it shows the first alone) and never wraps one itself.
    // The work area may have changed since the last month.
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, std::max(ScaleForDpi(kCustomaryWidth, dpi), WorkAreaWidth(owner)));
    SendMessageW(tip, TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

std::wstring BalloonTooltip::LaidOut(const std::string& gbkText) const {
    const ScopedWindowDc dc(window_.get());
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window_.get(), WM_GETFONT, 0, 0));
    const ScopedSelection selected(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    const unsigned dpi = WindowDpi(owner_);
    const int frame = ScaleForDpi(2 * kBalloonTextMargin + 8, dpi);
    const int available = std::max(0, WorkAreaWidth(owner_) - frame);
    // A line of kReadingChars characters in the balloon's own font.
    const int reading = dc ? MeasuredWidth(dc.get(), std::wstring(kReadingChars, L'\u6C49')) : 0;
    const int widest = reading > 0 ? std::min(reading, available) : available;
    std::wstring text = WideFromGbk(WrapBalloonText(
        gbkText, [&](const std::string& line) { return dc ? MeasuredWidth(dc.get(), WideFromGbk(line)) : 0; },
        std::min(ScaleForDpi(kCustomaryWidth, dpi), widest), widest, LinesOnWorkArea(owner_, dc.get(), dpi),
        kMostBalloonCharacters));
    return dc ? PaddedToItsInk(dc.get(), text) : text;
}

void BalloonTooltip::AddRegion(UINT id, const Rect& region) {
    if (!window_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = 0;
    tool.hwnd = owner_;
    tool.uId = id;
    tool.rect = ToRECT(region);
    tool.hinst = GetModuleHandleW(nullptr);
    tool.lpszText = LPSTR_TEXTCALLBACKW;  // asked for with TTN_GETDISPINFOW when about to show
    if (SendMessageW(window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) regions_.push_back(id);
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

bool BalloonTooltip::OnNotify(NMHDR& header, LRESULT& result) {
    if (!window_ || header.hwndFrom != window_.get()) return false;
    if (header.code == TTN_GETDISPINFOW) {
        auto& asked = reinterpret_cast<NMTTDISPINFOW&>(header);
        given_ = texts_ ? LaidOut(texts_(static_cast<UINT>(header.idFrom))) : std::wstring();
        asked.lpszText = const_cast<wchar_t*>(given_.c_str());
        asked.hinst = nullptr;
        // Kept by the balloon for this region until the next rebuild: asked
        // for once, however often the pointer comes back to the cell.
        asked.uFlags |= TTF_DI_SETITEM;
        result = 0;
        return true;
    }
    if (header.code != TTN_SHOW) return false;
    // The balloon opens where the pointer is; near a screen edge it is moved
    // back onto the work area of the monitor the pointer is on.
    // Wherever that leaves it, it is moved wholly onto the work area, clear of
    // the pointer where there is room (PlaceBalloon).
    RECT shown{};
    POINT pointer{};
    if (!GetWindowRect(window_.get(), &shown) || !GetCursorPos(&pointer)) return false;
    const Rect kept = PlaceBalloon(RectFrom(shown), ScreenPoint{pointer.x, pointer.y},
                                   GetSystemMetrics(SM_CYCURSOR) / 2, DisplayMonitors());
    if (kept == RectFrom(shown)) return false;
    SetWindowPos(window_.get(), nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    result = TRUE;  // the balloon keeps the place given to it
    return true;
}
