#include "view/window_snap.h"

#include <gtest/gtest.h>

namespace {

const Rect kWorkArea{0, 0, 1280, 770};

TEST(SnapLines, StartWithTheScreenOriginAndTheWorkAreaThenOtherWindows) {
    const SnapLines lines = BuildSnapLines(kWorkArea, {{100, 200, 300, 400}});
    EXPECT_EQ(lines.x, (std::vector<int>{0, 1280, 100, 300}));
    EXPECT_EQ(lines.y, (std::vector<int>{0, 770, 200, 400}));
}

TEST(SnapLines, AreTheEdgesOfTheWorkAreaOfTheWindowsMonitor) {
    // A second monitor left of the primary, a task bar on its left edge.
    const SnapLines lines = BuildSnapLines(Rect{-1232, 0, 0, 1024}, {});
    EXPECT_EQ(lines.x, (std::vector<int>{-1232, 0}));
    EXPECT_EQ(lines.y, (std::vector<int>{0, 1024}));
    EXPECT_EQ(DraggedWindowRect(lines, {-1220, 500}, {0, 0}, 360, 500), (Rect{-1232, 500, -872, 1000}));
}

TEST(Dragging, FollowsTheCursorFromTheGrabPoint) {
    const SnapLines lines = BuildSnapLines(kWorkArea, {});
    const Rect r = DraggedWindowRect(lines, {500, 300}, {40, 10}, 360, 500 - 300);
    EXPECT_EQ(r, (Rect{460, 290, 820, 490}));
}

TEST(Dragging, SnapsTheRightEdgeWithin19PixelsOfTheWorkAreaButNotAt20) {
    const SnapLines lines = BuildSnapLines(kWorkArea, {});
    // Right edge 19 pixels short of the work area's right edge.
    Rect r = DraggedWindowRect(lines, {1280 - 19 - 360 + 5, 300}, {5, 5}, 360, 400);
    EXPECT_EQ(r.right, 1280);
    EXPECT_EQ(r.left, 920);
    // 20 pixels short: stays where the cursor put it.
    r = DraggedWindowRect(lines, {1280 - 20 - 360 + 5, 300}, {5, 5}, 360, 400);
    EXPECT_EQ(r.right, 1260);
    // 19 pixels beyond snaps back as well.
    r = DraggedWindowRect(lines, {1280 + 19 - 360 + 5, 300}, {5, 5}, 360, 400);
    EXPECT_EQ(r.right, 1280);
}

TEST(Dragging, SnapsTheTopLeftCornerToTheScreenOrigin) {
    const SnapLines lines = BuildSnapLines(kWorkArea, {});
    const Rect r = DraggedWindowRect(lines, {12, -7}, {0, 0}, 300, 200);
    EXPECT_EQ(r, (Rect{0, 0, 300, 200}));
}

TEST(Dragging, SnapsToTheEdgesOfAnotherWindowOfTheProgram) {
    const SnapLines lines = BuildSnapLines(kWorkArea, {{600, 100, 900, 400}});
    // The window's left edge lands 10 pixels right of the other's right edge.
    const Rect beside = DraggedWindowRect(lines, {910, 150}, {0, 0}, 200, 100);
    EXPECT_EQ(beside.left, 900);
    // Its bottom edge 15 pixels above the other's top edge.
    const Rect above = DraggedWindowRect(lines, {650, 100 - 15 - 100}, {0, 0}, 200, 100);
    EXPECT_EQ(above.bottom, 100);
    EXPECT_EQ(above.top, 0);
}

TEST(Dragging, LetsALaterLineWinOverAnEarlierOne) {
    // Both the screen's left edge and another window's right edge at x = 10
    // are in reach; the later line in the list decides.
    const SnapLines lines = BuildSnapLines(kWorkArea, {{-300, 0, 10, 100}});
    const Rect r = DraggedWindowRect(lines, {5, 300}, {0, 0}, 200, 100);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 210);
}

}  // namespace
