// Day numbers drawn for the pixel grid of a tray icon. At 16 to 32 pixels an
// outlined font is smeared by anti-aliasing and its halo closes small
// counters (the loops of an 8 merge into a blot); digits whose strokes are
// whole pixels stay crisp at every size the notification area asks for.
#pragma once

#include <cstdint>
#include <vector>

struct PixelMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;  // row by row, 1 where the mask is set

    bool At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && ink[static_cast<std::size_t>(y * width + x)] != 0;
    }
};

// The shapes of one icon size: digit cell, stroke widths, gap between the two
// digits of a day and the halo around them, all in pixels.
struct DigitGrid {
    int width, height;     // one digit's cell
    int verticalStroke;    // width of the upright strokes
    int horizontalStroke;  // height of the bars
    int gap;               // between two digits
    int halo;              // ring around the ink when the template asks for one
};

// The grid for an icon `iconSize` pixels square: the largest that leaves room
// for two digits and their halo (16 px: 6 x 9 digits).
DigitGrid DigitGridFor(int iconSize);

// The day's number (1-31, no leading zero) as ink.
PixelMask DayNumberInk(int day, const DigitGrid& grid);

// The pixels within `radius` of the ink (a square neighbourhood) that are not
// ink themselves: the halo drawn behind the number. The mask grows by
// `radius` on every side, the ink sitting at (radius, radius) in it.
PixelMask HaloAround(const PixelMask& ink, int radius);
