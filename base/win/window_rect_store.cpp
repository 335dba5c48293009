#include "base/win/window_rect_store.h"

#include "base/win/rect_win.h"
#include "base/window_placement.h"

namespace {

void MoveTo(HWND window, const Rect& r) {
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

}  // namespace

RECT PrimaryWorkArea() {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return work;
}

void ClampToWorkArea(HWND window) {
    RECT current{};
    if (!GetWindowRect(window, &current)) return;
    MoveTo(window, ClampToWorkArea(RectFrom(current), RectFrom(PrimaryWorkArea())));
}

bool RestorePlacement(HWND window, int number, const std::string& settingsFile) {
    const std::optional<Rect> stored = StoredWindowRect(settingsFile, number);
    if (!stored) return false;
    MoveTo(window, *stored);
    ClampToWorkArea(window);  // also kept on screen when the screen shrank since
    return true;
}

void SavePlacement(HWND window, int number, const std::string& settingsFile) {
    RECT current{};
    if (GetWindowRect(window, &current)) StoreWindowRect(settingsFile, number, RectFrom(current));
}
