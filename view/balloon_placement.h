// Where the balloon over a day cell goes on the screen. The system opens it at
// the pointer, which near a screen edge can leave it partly off the screen;
// a balloon over the pointer would take the clicks meant for the day under
// it. Its place is worked out here over plain rectangles, so that every
// arrangement of monitors can be tried without one.
#pragma once

#include <cstdint>
#include <vector>

#include "base/rect.h"
#include "base/window_placement.h"

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The balloon's place, its size unchanged: always wholly on the work area of
// the monitor under the pointer (the nearest when the pointer is on none),
// as it was shown when it is there already and clear of the pointer; else the
// first of below the pointer, above it, right of it and left of it that is
// clear of it once kept on the work area; else kept on the work area over the
// pointer. `pointerHeight` is the height of the pointer's picture, which
// hangs below its hot spot. A balloon larger than the work area keeps its
// top and left edge on it, where its dates are. `shown` unchanged for an
// empty list of monitors.
Rect PlaceBalloon(const Rect& shown, ScreenPoint pointer, std::int32_t pointerHeight,
                  const std::vector<MonitorArea>& monitors);
