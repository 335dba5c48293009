#include "view/window_snap.h"

#include <cstdlib>

SnapLines BuildSnapLines(const Rect& workArea, const std::vector<Rect>& otherWindows) {
    SnapLines lines;
    lines.x = {workArea.left, workArea.right};
    lines.y = {workArea.top, workArea.bottom};
    for (const Rect& window : otherWindows) {
        lines.x.push_back(window.left);
        lines.x.push_back(window.right);
        lines.y.push_back(window.top);
        lines.y.push_back(window.bottom);
    }
    return lines;
}

namespace {

// One axis: the low edge snaps first, then the high edge, line by line, so a
// later line can take the window from an earlier one.
void SnapAxis(const std::vector<int>& lines, int distance, int size, std::int32_t& low, std::int32_t& high) {
    for (int line : lines) {
        if (std::abs(low - line) < distance) {
            low = line;
            high = line + size;
        }
        if (std::abs(high - line) < distance) {
            high = line;
            low = line - size;
        }
    }
}

}  // namespace

Rect DraggedWindowRect(const SnapLines& lines, Point cursor, Point grab, int width, int height) {
    Rect rect;
    rect.left = cursor.x - grab.x;
    rect.top = cursor.y - grab.y;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    SnapAxis(lines.x, lines.distance, width, rect.left, rect.right);
    SnapAxis(lines.y, lines.distance, height, rect.top, rect.bottom);
    return rect;
}
