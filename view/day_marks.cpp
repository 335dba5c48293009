#include "view/day_marks.h"

namespace {

// How each mark looks, in the order of DayMark.
struct MarkLook {
    Color band;
    const char* badge;  // "" for none
    Color badgeColor;
};
constexpr MarkLook kLooks[] = {
    {Color{70, 40, 170, 80}, "吉", Color{255, 20, 140, 60}},    // kGoodDay
    {Color{90, 30, 110, 220}, "假", Color{255, 30, 100, 210}},  // kLeaveDay
    {Color{45, 30, 110, 220}, "", Color{255, 30, 100, 210}},    // kPlanDayOff
};

const MarkLook& LookOf(DayMark mark) { return kLooks[static_cast<int>(mark)]; }

}  // namespace

Color DayMarkBandColor(DayMark mark) { return LookOf(mark).band; }

const char* DayMarkBadgeText(DayMark mark) { return LookOf(mark).badge; }

Color DayMarkBadgeColor(DayMark mark) { return LookOf(mark).badgeColor; }
