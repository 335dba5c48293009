// The finished picture of one month as a plain list of drawing operations, in
// the order they are painted over the template's background picture. Built
// without any window (layout is portable and tested natively) and painted by
// the Windows renderer; nothing in it knows about GDI+.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "base/rect.h"
#include "view/skin_template.h"
#include "view/template_values.h"

// Boxes are pixels in the window, origin at the top-left corner of the
// background picture. Texts are centred vertically in their boxes.

// What a text is, for those who read a layout rather than look at it.
enum class TextRole {
    kYear,
    kMonth,
    kWeekday,
    kDayNumber,
    kTodayNumber,   // the day number in today's style
    kLunarDay,      // second line: lunar day, or the month's name on its first day
    kFestival,      // second line: the day's first festival
    kSolarTerm,     // second line: the day's solar term
    kListItem,      // a line of the upcoming-events list
    kOffDayBadge,   // 休 or 班 in the cell of a day of the holiday schedule
    kScheduleNote,  // the year's holiday schedule is not published yet
    kMarkBadge,     // 吉 or 假 in the cell of a day a planning dialog marks
};

// One outlined text: halo strokes and an opaque fill of its glyph outline.
struct DisplayText {
    std::string text;  // GBK
    Rect box;
    TextStyle style;
    HorizontalAlignment alignment = HorizontalAlignment::kCenter;
    TextRole role = TextRole::kDayNumber;
    // The template's size of a text drawn smaller to fit its box; 0 when it
    // is drawn at the template's size.
    int templateSize = 0;
};

// An unfilled ellipse inscribed in `box` (today's ring).
struct DisplayEllipse {
    Rect box;
    Color color;
    int penWidth = 4;
};

// A filled circle inscribed in `box` (the memo dot).
struct DisplayDot {
    Rect box;
    Color color;
};

// A filled rectangle, drawn under the texts of its cell (the band of a
// marked day).
struct DisplayBand {
    Rect box;
    Color color;
};

using DisplayItem = std::variant<DisplayText, DisplayEllipse, DisplayDot, DisplayBand>;

struct DisplayList {
    // Picture drawn first, at (0, 0) and at its own size; that size is the
    // size of the window.
    std::filesystem::path backgroundPath;
    // The screen's DPI the items are scaled for; the picture is drawn at
    // its size scaled the same way (see view/dpi_scale.h).
    int dpi = 96;
    std::vector<DisplayItem> items;
};
