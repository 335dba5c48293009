#include "view/balloon_placement.h"

#include <algorithm>

namespace {

// Pixels between the pointer and a balloon placed beside it.
constexpr std::int64_t kPointerGap = 2;

// Moved, not resized, onto the work area; where it cannot fit, its top and
// left edge stay on it.
Rect KeptOn(const Rect& work, std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
    left = std::max<std::int64_t>(std::min<std::int64_t>(left, work.right - width), work.left);
    top = std::max<std::int64_t>(std::min<std::int64_t>(top, work.bottom - height), work.top);
    return Rect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                static_cast<std::int32_t>(left + width), static_cast<std::int32_t>(top + height)};
}

bool Covers(const Rect& r, ScreenPoint p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

Rect PlaceBalloon(const Rect& shown, ScreenPoint pointer, std::int32_t pointerHeight,
                  const std::vector<MonitorArea>& monitors) {
    if (monitors.empty()) return shown;
    // The monitor the pointer is on, over its task bar too; off every
    // monitor, the nearest.
    const Rect at{pointer.x, pointer.y, pointer.x + 1, pointer.y + 1};
    std::size_t monitor = MonitorOfWindow(at, monitors);
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (Covers(monitors[i].screen, pointer)) monitor = i;
    }
    const Rect work = monitors[monitor].work;
    const std::int64_t width = shown.Width(), height = shown.Height();
    const std::int64_t x = pointer.x, y = pointer.y;
    const Rect candidates[] = {
        KeptOn(work, shown.left, shown.top, width, height),
        KeptOn(work, shown.left, y + pointerHeight, width, height),
        KeptOn(work, shown.left, y - kPointerGap - height, width, height),
        KeptOn(work, x + pointerHeight, shown.top, width, height),
        KeptOn(work, x - kPointerGap - width, shown.top, width, height),
    };
    for (const Rect& place : candidates) {
        if (!Covers(place, pointer)) return place;
    }
    return candidates[0];
}
