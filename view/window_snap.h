// Dragging the month window with its edges snapping to the work area and to
// the program's other windows. Screen coordinates throughout.
#pragma once

#include <vector>

#include "base/rect.h"

inline constexpr int kSnapDistance = 20;

// Lines the window's edges are drawn to during one drag: x gets the left and
// right edges of the work area of the window's monitor, y its top and bottom
// edges (a task bar on any side counted), then the left and right
// (top and bottom) edges of every other window, in the order given.
struct SnapLines {
    std::vector<int> x;
    std::vector<int> y;
    int distance = kSnapDistance;  // in the screen's pixels
};
SnapLines BuildSnapLines(const Rect& workArea, const std::vector<Rect>& otherWindows);

// Where the window goes when the cursor is at `cursor` and was grabbed at
// `grab` (client coordinates at button-down): left/top follow the cursor, then
// for each line in order an edge closer than kSnapDistance jumps onto it (the
// left or top edge first, then the right or bottom edge). Size unchanged.
struct Point {
    int x = 0;
    int y = 0;
};
Rect DraggedWindowRect(const SnapLines& lines, Point cursor, Point grab, int width, int height);
