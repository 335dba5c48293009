#include "view/balloon_placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Within(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Covers(const Rect& r, ScreenPoint p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

const MonitorArea kLaptop{{0, 0, 1280, 800}, {0, 0, 1280, 800}};
// A task bar along the bottom and a second screen left of the primary one,
// with its task bar along its top.
const MonitorArea kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
const MonitorArea kLeftScreen{{-1280, 0, 0, 1024}, {-1280, 40, 0, 1024}};

TEST(PlaceBalloon, StaysWhollyOnTheWorkAreaOfThePointersMonitorAndClearOfThePointer) {
    struct Case {
        const char* what;
        Rect shown;
        ScreenPoint pointer;
        std::vector<MonitorArea> monitors;
        Rect expected;
    };
    const Case cases[] = {
        {"already on the screen and clear of the pointer",
         {600, 100, 900, 300},
         {620, 320},
         {kLaptop},
         {600, 100, 900, 300}},
        {"over a day low on the screen, opened above the top, goes beside the pointer",
         {605, -49, 910, 362},
         {700, 395},
         {kLaptop},
         {716, 0, 1021, 411}},
        {"opened past the bottom edge goes above the pointer",
         {100, 700, 400, 900},
         {120, 690},
         {kLaptop},
         {100, 488, 400, 688}},
        {"opened past the right edge is pulled back",
         {1200, 100, 1500, 300},
         {1190, 320},
         {kLaptop},
         {980, 100, 1280, 300}},
        {"on a screen left of the primary one, under its task bar",
         {-300, 10, 100, 210},
         {-200, 300},
         {kPrimary, kLeftScreen},
         {-400, 40, 0, 240}},
        {"with the pointer over a task bar, on that monitor's work area",
         {-600, 0, -300, 200},
         {-500, 20},
         {kPrimary, kLeftScreen},
         {-600, 40, -300, 240}},
        {"with no monitor known, as shown", {605, -49, 910, 362}, {700, 395}, {}, {605, -49, 910, 362}},
    };
    for (const Case& c : cases) {
        const Rect placed = PlaceBalloon(c.shown, c.pointer, 16, c.monitors);
        EXPECT_EQ(placed, c.expected) << c.what << ": " << placed.left << " " << placed.top << " " << placed.right
                                      << " " << placed.bottom;
        if (c.monitors.empty()) continue;
        EXPECT_EQ(placed.Width(), c.shown.Width()) << c.what;
        EXPECT_EQ(placed.Height(), c.shown.Height()) << c.what;
        EXPECT_FALSE(Covers(placed, c.pointer)) << c.what;
    }
}

TEST(PlaceBalloon, WithNoRoomBesideThePointerItStillStaysOnTheWorkArea) {
    const struct {
        const char* what;
        Rect shown;
        Rect expected;
    } cases[] = {
        {"nearly as large as the screen", {0, -100, 1270, 690}, {0, 0, 1270, 790}},
        {"taller than the screen: its top, with the dates, stays on it", {10, -400, 300, 900}, {10, 0, 300, 1300}},
    };
    for (const auto& c : cases) {
        const Rect placed = PlaceBalloon(c.shown, ScreenPoint{640, 400}, 16, {kLaptop});
        EXPECT_EQ(placed, c.expected) << c.what;
        if (c.shown.Height() <= 800) {
            EXPECT_TRUE(Within(placed, kLaptop.work)) << c.what;
        }
    }
}

}  // namespace
