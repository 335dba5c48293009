// Where the program's windows were: section [GADGETS] of the settings file holds
// one checksummed rectangle per numbered window under "RECT_<n>" (the month
// window is number 1). The Win32 layer moves the real windows; the arithmetic
// lives here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/rect.h"

inline constexpr char kPlacementSection[] = "GADGETS";
inline constexpr int kMonthWindowNumber = 1;

// "RECT_<n>".
std::string PlacementKey(int window_number);

// Stores the window's screen rectangle; false when the file cannot be written.
bool StoreWindowRect(const std::filesystem::path& settings_file, int window_number, const Rect& rect);

// The stored rectangle, or nothing when it is absent, damaged (bad checksum or
// length) or no window could have it (empty, or wider or taller than
// kMaxPlacementSide).
std::optional<Rect> StoredWindowRect(const std::filesystem::path& settings_file, int window_number);
inline constexpr int kMaxPlacementSide = 100000;

// Keeps a window on a work area, size unchanged: its top and left are pulled to
// the work area's top and left (a task bar there is respected), then its right
// and bottom edges are pulled back to the work area's right and bottom when
// beyond them, which wins over the first step for a window larger than the
// work area.
Rect ClampToWorkArea(const Rect& window, const Rect& work_area);

// One display: the whole monitor and its work area (without task bars), in
// the coordinates of the virtual screen, where a monitor left of or above the
// primary one has negative coordinates.
struct MonitorArea {
    Rect screen;
    Rect work;
};

// The index of the monitor a window is on: the one whose work area holds the
// largest part of it; when it is on none (its monitor was removed), the one
// nearest to it. 0 for an empty list.
std::size_t MonitorOfWindow(const Rect& window, const std::vector<MonitorArea>& monitors);
// The work area of that monitor; `fallback` for an empty list.
Rect WorkAreaOfWindow(const Rect& window, const std::vector<MonitorArea>& monitors, const Rect& fallback);

// Keeps a window on the monitor it is on (the nearest when its monitor is
// gone), as ClampToWorkArea does with that monitor's work area.
Rect KeepOnMonitors(const Rect& window, const std::vector<MonitorArea>& monitors, const Rect& fallback);

// Where a window goes when its picture gives it a new width and height: a
// window that has a place of its own keeps its top-left corner, one that has
// none yet (nothing was stored) is centred on the work area; either way it is
// then kept on the screen as by ClampToWorkArea.
Rect PlaceResizedWindow(const Rect& window, std::int64_t width, std::int64_t height, bool has_own_place,
                        const Rect& work_area);

// Where a window that works on another opens (a finder that marks days on
// the month window): beside it, `gap` pixels away, tops level, on the right
// when it fits there whole, else on the left; where it fits on neither side,
// against the work area's edge on the side with more room, so that it hides
// as little of the other as it can. Either way kept on the work area, with
// its top-left corner (its caption) on it when it is larger than the area.
Rect PlaceBeside(const Rect& anchor, std::int64_t width, std::int64_t height, std::int64_t gap, const Rect& work_area);

// Where both go when a window opens beside another that must stay in view
// (a finder and the month whose days it marks): as PlaceBeside where the
// window fits beside the other; else the window against the edge with more
// room and the other moved the least that puts it beside the window, on the
// work area. Where the two are wider together than the work area, the other
// ends on the opposite edge, under the window by as little as can be.
struct SideBySide {
    Rect other;
    Rect window;
};
SideBySide PlaceSideBySide(const Rect& other, std::int64_t width, std::int64_t height, std::int64_t gap,
                           const Rect& work_area);

// What restoring a window does: the stored rectangle, kept on the monitor that
// holds it (the nearest when that one is gone); nothing when no usable
// rectangle is stored (the window keeps its initial place).
std::optional<Rect> RestoredWindowRect(const std::filesystem::path& settings_file, int window_number,
                                       const std::vector<MonitorArea>& monitors, const Rect& fallback);
