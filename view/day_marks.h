// What the planning dialogs mark on the month while they are open: the days
// a good-day search found, the run of a chosen leave plan with its leave
// days, and the day the user went to, ringed. Marks belong to dates, not to
// the month shown, so they follow the user from month to month.
#pragma once

#include <map>
#include <optional>

#include "calendar/date.h"
#include "view/template_values.h"

enum class DayMark {
    kGoodDay,     // found by the good-day search: a 吉 badge on a green band
    kLeaveDay,    // a day of leave of the chosen plan: a 假 badge on a blue band
    kPlanDayOff,  // a day off inside the plan's run: the blue band, lighter
};

struct DayMarks {
    std::map<Date, DayMark> days;
    // The day gone to, or the day the keyboard is on: one ring, in the
    // template's FOCUS_RING_COLOR.
    std::optional<Date> ringed;

    bool empty() const { return days.empty() && !ringed; }
    const DayMark* Find(const Date& date) const {
        const auto found = days.find(date);
        return found == days.end() ? nullptr : &found->second;
    }
};

// The band behind a marked cell; translucent, so the template's own picture
// and the day's texts stay readable on light and dark skins alike.
Color DayMarkBandColor(DayMark mark);
// The badge's text and fill: "吉" green, "假" blue; "" for a plan's day off,
// which the band alone shows (a 休 day keeps its own badge).
const char* DayMarkBadgeText(DayMark mark);
Color DayMarkBadgeColor(DayMark mark);
