#include "base/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "base/profile_file.h"

std::string PlacementKey(int window_number) { return "RECT_" + std::to_string(window_number); }

bool StoreWindowRect(const std::filesystem::path& settings_file, int window_number, const Rect& rect) {
    return ProfilePutRect(kPlacementSection, PlacementKey(window_number), rect, settings_file);
}

std::optional<Rect> StoredWindowRect(const std::filesystem::path& settings_file, int window_number) {
    const std::optional<Rect> rect = ProfileGetRect(kPlacementSection, PlacementKey(window_number), settings_file);
    if (!rect || rect->IsEmpty() || rect->Width() > kMaxPlacementSide || rect->Height() > kMaxPlacementSide)
        return std::nullopt;
    return rect;
}

namespace {

std::int32_t Saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

Rect ClampToWorkArea(const Rect& window, const Rect& work_area) {
    const std::int64_t width = window.Width(), height = window.Height();
    std::int64_t left = window.left, top = window.top;
    if (top < work_area.top) top = work_area.top;
    if (left < work_area.left) left = work_area.left;
    if (left + width > work_area.right) left = work_area.right - width;
    if (top + height > work_area.bottom) top = work_area.bottom - height;
    return Rect{Saturated(left), Saturated(top), Saturated(left + width), Saturated(top + height)};
}

Rect PlaceResizedWindow(const Rect& window, std::int64_t width, std::int64_t height, bool has_own_place,
                        const Rect& work_area) {
    std::int64_t left = window.left, top = window.top;
    if (!has_own_place) {
        left = work_area.left + (work_area.Width() - width) / 2;
        top = work_area.top + (work_area.Height() - height) / 2;
    }
    return ClampToWorkArea(Rect{Saturated(left), Saturated(top), Saturated(left + width), Saturated(top + height)},
                           work_area);
}

Rect PlaceBeside(const Rect& anchor, std::int64_t width, std::int64_t height, std::int64_t gap, const Rect& work_area) {
    const std::int64_t roomRight = std::int64_t{work_area.right} - anchor.right - gap;
    const std::int64_t roomLeft = std::int64_t{anchor.left} - work_area.left - gap;
    std::int64_t left = 0;
    if (roomRight >= width) {
        left = std::int64_t{anchor.right} + gap;
    } else if (roomLeft >= width) {
        left = std::int64_t{anchor.left} - gap - width;
    } else {
        left = roomRight >= roomLeft ? work_area.right - width : work_area.left;
    }
    left = std::max<std::int64_t>(work_area.left, std::min<std::int64_t>(left, work_area.right - width));
    const std::int64_t top =
        std::max<std::int64_t>(work_area.top, std::min<std::int64_t>(anchor.top, work_area.bottom - height));
    return Rect{Saturated(left), Saturated(top), Saturated(left + width), Saturated(top + height)};
}

namespace {

std::int64_t Overlap(const Rect& a, const Rect& b) {
    const std::int64_t width = std::min<std::int64_t>(a.right, b.right) - std::max<std::int64_t>(a.left, b.left);
    const std::int64_t height = std::min<std::int64_t>(a.bottom, b.bottom) - std::max<std::int64_t>(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

SideBySide PlaceSideBySide(const Rect& other, std::int64_t width, std::int64_t height, std::int64_t gap,
                           const Rect& work_area) {
    const Rect window = PlaceBeside(other, width, height, gap, work_area);
    if (Overlap(window, other) == 0) return {other, window};
    // PlaceBeside has put the window against the edge with more room.
    const std::int64_t otherWidth = other.Width();
    std::int64_t left = other.left;
    if (window.left > work_area.left || window.right < work_area.right) {
        const bool onRight = window.right == work_area.right;
        left = onRight ? std::min<std::int64_t>(other.left, std::int64_t{window.left} - gap - otherWidth)
                       : std::max<std::int64_t>(other.left, std::int64_t{window.right} + gap);
        left = std::max<std::int64_t>(work_area.left, std::min<std::int64_t>(left, work_area.right - otherWidth));
    }
    const Rect moved{Saturated(left), other.top, Saturated(left + otherWidth), other.bottom};
    return {moved, window};
}

namespace {

// Squared distance from the window's centre to the nearest point of `area`.
std::int64_t DistanceSquared(const Rect& window, const Rect& area) {
    const std::int64_t x = (std::int64_t{window.left} + window.right) / 2;
    const std::int64_t y = (std::int64_t{window.top} + window.bottom) / 2;
    const std::int64_t dx = x < area.left ? area.left - x : x >= area.right ? x - (area.right - 1) : 0;
    const std::int64_t dy = y < area.top ? area.top - y : y >= area.bottom ? y - (area.bottom - 1) : 0;
    return dx * dx + dy * dy;
}

}  // namespace

std::size_t MonitorOfWindow(const Rect& window, const std::vector<MonitorArea>& monitors) {
    std::size_t best = 0;
    std::int64_t bestOverlap = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::int64_t overlap = Overlap(window, monitors[i].work);
        if (overlap > bestOverlap) {
            best = i;
            bestOverlap = overlap;
        }
    }
    if (bestOverlap > 0) return best;
    for (std::size_t i = 1; i < monitors.size(); ++i) {
        if (DistanceSquared(window, monitors[i].work) < DistanceSquared(window, monitors[best].work)) best = i;
    }
    return best;
}

Rect WorkAreaOfWindow(const Rect& window, const std::vector<MonitorArea>& monitors, const Rect& fallback) {
    return monitors.empty() ? fallback : monitors[MonitorOfWindow(window, monitors)].work;
}

Rect KeepOnMonitors(const Rect& window, const std::vector<MonitorArea>& monitors, const Rect& fallback) {
    return ClampToWorkArea(window, WorkAreaOfWindow(window, monitors, fallback));
}

std::optional<Rect> RestoredWindowRect(const std::filesystem::path& settings_file, int window_number,
                                       const std::vector<MonitorArea>& monitors, const Rect& fallback) {
    const std::optional<Rect> stored = StoredWindowRect(settings_file, window_number);
    if (!stored) return std::nullopt;
    return KeepOnMonitors(*stored, monitors, fallback);
}
