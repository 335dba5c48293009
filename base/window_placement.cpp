#include "base/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "base/profile_file.h"

std::string PlacementKey(int window_number) { return "RECT_" + std::to_string(window_number); }

bool StoreWindowRect(const std::string& settings_file, int window_number, const Rect& rect) {
    return ProfilePutRect(kPlacementSection, PlacementKey(window_number), rect, settings_file);
}

std::optional<Rect> StoredWindowRect(const std::string& settings_file, int window_number) {
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
    if (top < 0) top = 0;
    if (left < 0) left = 0;
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

std::optional<Rect> RestoredWindowRect(const std::string& settings_file, int window_number, const Rect& work_area) {
    const std::optional<Rect> stored = StoredWindowRect(settings_file, window_number);
    if (!stored) return std::nullopt;
    return ClampToWorkArea(*stored, work_area);
}
