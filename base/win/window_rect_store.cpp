#include "base/win/window_rect_store.h"

#include "base/win/rect_win.h"
#include "base/win/work_area.h"
#include "base/window_placement.h"

bool RestorePlacement(HWND window, int number, const std::filesystem::path& settingsFile) {
    const std::optional<Rect> stored = StoredWindowRect(settingsFile, number);
    if (!stored) return false;
    MoveWindow(window, stored->left, stored->top, stored->right - stored->left, stored->bottom - stored->top, TRUE);
    ClampToWorkArea(window);  // also kept on screen when the screen shrank since
    return true;
}

void SavePlacement(HWND window, int number, const std::filesystem::path& settingsFile) {
    RECT current{};
    if (GetWindowRect(window, &current)) StoreWindowRect(settingsFile, number, RectFrom(current));
}
