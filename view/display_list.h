// The finished picture of one month as a plain list of drawing operations, in
// the order they are painted over the template's background picture. Built
// without any window (layout is portable and tested natively) and painted by
// the Windows renderer; nothing in it knows about GDI+.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "view/text_style.h"

// Pixels in the window, origin at the top-left corner of the background picture.
struct DisplayRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool Contains(std::int32_t x, std::int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool operator==(const DisplayRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const DisplayRect& o) const { return !(*this == o); }
};

// Horizontal placement of a text in its box; the numbers are those of the
// template's LISTITEM_STRING_Alignment key. Texts are always centred vertically.
enum class TextAlignment { Left = 0, Center = 1, Right = 2 };

// One outlined text: halo strokes and an opaque fill of its glyph outline.
struct DisplayText {
    std::string text;  // GBK
    DisplayRect box;
    TextStyle style;
    TextAlignment alignment = TextAlignment::Center;
};

// An unfilled ellipse inscribed in `box` (today's ring).
struct DisplayEllipse {
    DisplayRect box;
    Color color;
    int penWidth = 4;
};

// A filled circle inscribed in `box` (the memo dot).
struct DisplayDot {
    DisplayRect box;
    Color color;
};

using DisplayItem = std::variant<DisplayText, DisplayEllipse, DisplayDot>;

struct DisplayList {
    // Picture drawn first, at (0, 0) and at its own size; that size is the
    // size of the window. GBK path.
    std::string backgroundPath;
    std::vector<DisplayItem> items;
};
