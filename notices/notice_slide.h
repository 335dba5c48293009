// Where the notification window travels: up from below the screen to rest in
// the corner of the work area, and back down out of sight. Pure geometry, so
// that any taskbar position can be checked without a screen.
#pragma once

#include <cstdint>

#include "base/rect.h"

// At 100 %; the window passes them scaled to its monitor's DPI.
inline constexpr std::int32_t kNoticeSlideStep = 10;   // pixels per tick
inline constexpr std::int32_t kNoticeRightMargin = 5;  // from the work area's right edge

struct NoticePosition {
    std::int32_t left = 0;
    std::int32_t top = 0;
};

// Just below the bottom of the screen, already in its resting column.
NoticePosition NoticeStartPosition(const Rect& workArea, std::int32_t screenHeight, std::int32_t width,
                                   std::int32_t margin = kNoticeRightMargin);

// `margin` (5 pixels at 100 %) left of the work area's right edge, bottom on
// the work area's bottom, wherever the taskbar is.
NoticePosition NoticeRestingPosition(const Rect& workArea, std::int32_t width, std::int32_t height,
                                     std::int32_t margin = kNoticeRightMargin);

// The next top edge while sliding in, or the same top once the bottom edge
// has reached the work area's bottom. The last step is shortened so that the
// window comes to rest exactly on that bottom.
std::int32_t NoticeSlideInTop(std::int32_t top, std::int32_t height, std::int32_t workAreaBottom,
                              std::int32_t step = kNoticeSlideStep);

// The next top edge while sliding out, or the same top once the whole window
// is below the screen.
std::int32_t NoticeSlideOutTop(std::int32_t top, std::int32_t screenHeight, std::int32_t step = kNoticeSlideStep);
