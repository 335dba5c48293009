// The 休 / 班 badge in the cell of a day that the holiday schedule
// makes a day off or a make-up working day. A template may place and style it
// in a section of its own, [OffDays] of config.ini:
//
//   CORNER=1            0 top left, 1 top right, 2 bottom left, 3 bottom right
//   OFFSET=1,0          pixels right and down from that corner
//   FONT_FAMILY=...     FONT_SIZE, FONT_BOLD, FONT_SHADOW_HEIGHT as for texts
//   OFF_COLOR=r,g,b     OFF_SHADOW: the 休 badge's fill and halo
//   WORK_COLOR=r,g,b    WORK_SHADOW: the 班 badge's
//   STATUTORY_COLOR=r,g,b  STATUTORY_SHADOW: the 休 of a day that only the
//                       holiday law fixes, in a year whose schedule is not
//                       published yet
//
// Every key is optional: the defaults come from the template's own styles
// (the festival colours for 休, the day numbers' for 班, the second line's
// font), so templates without the section get badges that match them. The
// law's 休 is by default the festival colour halfway to the second line's, a
// quieter 休 that is not taken for the published arrangement.
#pragma once

#include "base/rect.h"
#include "view/template_values.h"

inline constexpr char kOffDaySection[] = "OffDays";

enum class BadgeCorner { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };

struct OffDayBadgeStyle {
    BadgeCorner corner = BadgeCorner::kTopRight;
    // Right up to the cell's edge, clear of a two-digit day number.
    int offsetX = 1;
    int offsetY = 0;
    TextStyle offStyle;        // 休
    TextStyle workStyle;       // 班
    TextStyle statutoryStyle;  // 休 of the holiday law alone
};

struct SkinTemplate;

// The section read over defaults taken from the template's other styles.
OffDayBadgeStyle ReadOffDayBadgeStyle(const ProfileDocument& config, const SkinTemplate& skin,
                                      const FontFamilyQuery& family_exists);

// The badge's box in a day cell: a square a little larger than the font,
// in the chosen corner, moved by the offset.
Rect OffDayBadgeBox(const Rect& cell, const OffDayBadgeStyle& style);
