// The tray icon's day numbers, drawn for the pixel grid at every size the
// notification area asks for: all 31 fit with their halo, every digit keeps
// its loops open or closed as it should and no two digits look alike.
#include "view/tray_digits.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kIconSizes[] = {16, 20, 24, 32};

// Enclosed areas of background (the counters of 0, 6, 8, 9): background
// pixels that no 4-connected path of background joins to the mask's border.
int Counters(const PixelMask& ink) {
    const int w = ink.width + 2, h = ink.height + 2;
    std::vector<int> seen(static_cast<std::size_t>(w * h), 0);
    const auto background = [&](int x, int y) { return !ink.At(x - 1, y - 1); };
    int regions = 0;
    for (int start = 0; start < w * h; ++start) {
        if (seen[static_cast<std::size_t>(start)] || !background(start % w, start / w)) continue;
        ++regions;
        std::vector<int> stack{start};
        seen[static_cast<std::size_t>(start)] = 1;
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            const int x = at % w, y = at / w;
            const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h) continue;
                const int i = n[1] * w + n[0];
                if (seen[static_cast<std::size_t>(i)] || !background(n[0], n[1])) continue;
                seen[static_cast<std::size_t>(i)] = 1;
                stack.push_back(i);
            }
        }
    }
    return regions - 1;  // the outside, reached from the padded border
}

TEST(TrayDigits, EveryDayFitsTheIconWithItsHaloAtEverySize) {
    for (const int size : kIconSizes) {
        const DigitGrid grid = DigitGridFor(size);
        for (int day = 1; day <= 31; ++day) {
            const PixelMask halo = HaloAround(DayNumberInk(day, grid), grid.halo);
            EXPECT_LE(halo.width, size) << size << " px, day " << day;
            EXPECT_LE(halo.height, size) << size << " px, day " << day;
        }
        // The digits fill most of the icon's height: readable, not tiny.
        EXPECT_GE(grid.height * 2, size) << size;
    }
}

TEST(TrayDigits, LoopsStayClosedAndOpenDigitsStayOpen) {
    // 0 6 9 one counter each, 8 two, the rest none.
    const int kCounters[10] = {1, 0, 0, 0, 0, 0, 1, 0, 2, 1};
    for (const int size : kIconSizes) {
        for (int digit = 0; digit <= 9; ++digit) {
            EXPECT_EQ(Counters(DayNumberInk(digit, DigitGridFor(size))), kCounters[digit])
                << size << " px, digit " << digit;
        }
        EXPECT_EQ(Counters(DayNumberInk(28, DigitGridFor(size))), 2) << size;
    }
}

TEST(TrayDigits, NoTwoDigitsLookAlikeAndTwoDigitsKeepTheirGap) {
    for (const int size : kIconSizes) {
        const DigitGrid grid = DigitGridFor(size);
        std::set<std::vector<std::uint8_t>> shapes;
        for (int digit = 0; digit <= 9; ++digit) {
            const PixelMask ink = DayNumberInk(digit, grid);
            EXPECT_EQ(ink.width, grid.width);
            shapes.insert(ink.ink);
        }
        EXPECT_EQ(shapes.size(), 10u) << size;
        // Two digits keep their gap: 11 is two strokes, not one block.
        const PixelMask eleven = DayNumberInk(11, grid);
        EXPECT_EQ(eleven.width, 2 * grid.width + grid.gap);
    }
}

TEST(TrayDigits, TheHaloRingsTheInkWithoutCoveringIt) {
    const PixelMask ink = DayNumberInk(8, DigitGridFor(16));
    const PixelMask halo = HaloAround(ink, 1);
    ASSERT_EQ(halo.width, ink.width + 2);
    ASSERT_EQ(halo.height, ink.height + 2);
    for (int y = 0; y < ink.height; ++y) {
        for (int x = 0; x < ink.width; ++x) EXPECT_FALSE(ink.At(x, y) && halo.At(x + 1, y + 1));
    }
    // A ring on every side, the corners included, not a shadow on one.
    EXPECT_TRUE(halo.At(0, 0) && halo.At(halo.width - 1, 0));
    EXPECT_TRUE(halo.At(0, halo.height - 1) && halo.At(halo.width - 1, halo.height - 1));
}

}  // namespace
