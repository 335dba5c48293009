#include "view/tray_digits.h"

#include <algorithm>
#include <string>

namespace {

// The seven strokes of a digit: a top bar, b upper right, c lower right,
// d bottom bar, e lower left, f upper left, g middle bar. Every digit but 1
// is made of them; a 1 is one upright in the middle of its cell.
enum Stroke : unsigned { kA = 1, kB = 2, kC = 4, kD = 8, kE = 16, kF = 32, kG = 64 };

constexpr unsigned kDigitStrokes[10] = {
    kA | kB | kC | kD | kE | kF,       // 0
    0,                                 // 1
    kA | kB | kG | kE | kD,            // 2
    kA | kB | kG | kC | kD,            // 3
    kF | kG | kB | kC,                 // 4
    kA | kF | kG | kC | kD,            // 5
    kA | kF | kG | kE | kD | kC,       // 6
    kA | kB | kC,                      // 7
    kA | kB | kC | kD | kE | kF | kG,  // 8
    kA | kB | kC | kD | kF | kG,       // 9
};

void Fill(PixelMask& mask, int left, int top, int right, int bottom) {
    for (int y = std::max(top, 0); y < std::min(bottom, mask.height); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, mask.width); ++x) {
            mask.ink[static_cast<std::size_t>(y * mask.width + x)] = 1;
        }
    }
}

void DrawDigit(PixelMask& mask, int digit, int left, const DigitGrid& g) {
    const int w = g.width, h = g.height, sx = g.verticalStroke, sy = g.horizontalStroke;
    // The middle bar sits on the middle row; an odd leftover goes to the
    // lower half, which reads as steadier.
    const int middle = (h - sy) / 2;
    if (digit == 1) {
        const int x = left + (w - sx + 1) / 2;
        Fill(mask, x, 0, x + sx, h);
        // The flag at its top, one stroke long, keeps it from reading as an l.
        Fill(mask, x - sx, sy, x, 2 * sy);
        return;
    }
    const unsigned s = kDigitStrokes[digit];
    if (s & kA) Fill(mask, left, 0, left + w, sy);
    if (s & kG) Fill(mask, left, middle, left + w, middle + sy);
    if (s & kD) Fill(mask, left, h - sy, left + w, h);
    if (s & kF) Fill(mask, left, 0, left + sx, middle + sy);
    if (s & kB) Fill(mask, left + w - sx, 0, left + w, middle + sy);
    if (s & kE) Fill(mask, left, middle, left + sx, h);
    if (s & kC) Fill(mask, left + w - sx, middle, left + w, h);
}

}  // namespace

DigitGrid DigitGridFor(int iconSize) {
    if (iconSize >= 32) return {11, 19, 3, 3, 2, 1};
    if (iconSize >= 24) return {8, 14, 2, 2, 2, 1};
    if (iconSize >= 20) return {7, 12, 2, 2, 1, 1};
    return {6, 9, 2, 1, 1, 1};
}

PixelMask DayNumberInk(int day, const DigitGrid& grid) {
    const std::string digits = std::to_string(std::clamp(day, 0, 99));
    PixelMask mask;
    mask.width = static_cast<int>(digits.size()) * grid.width + (static_cast<int>(digits.size()) - 1) * grid.gap;
    mask.height = grid.height;
    mask.ink.assign(static_cast<std::size_t>(mask.width * mask.height), 0);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        DrawDigit(mask, digits[i] - '0', static_cast<int>(i) * (grid.width + grid.gap), grid);
    }
    return mask;
}

PixelMask HaloAround(const PixelMask& ink, int radius) {
    radius = std::max(radius, 0);
    PixelMask halo;
    halo.width = ink.width + 2 * radius;
    halo.height = ink.height + 2 * radius;
    halo.ink.assign(static_cast<std::size_t>(halo.width * halo.height), 0);
    for (int y = 0; y < halo.height; ++y) {
        for (int x = 0; x < halo.width; ++x) {
            if (ink.At(x - radius, y - radius)) continue;
            bool near = false;
            for (int dy = -radius; dy <= radius && !near; ++dy) {
                for (int dx = -radius; dx <= radius && !near; ++dx) near = ink.At(x - radius + dx, y - radius + dy);
            }
            halo.ink[static_cast<std::size_t>(y * halo.width + x)] = near ? 1 : 0;
        }
    }
    return halo;
}
