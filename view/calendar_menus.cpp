#include "view/calendar_menus.h"

#include <algorithm>
#include <cstdio>

#include "base/gbk_scan.h"
#include "calendar/lunar_calendar.h"

namespace {

std::vector<MenuChoice> YearRange(int first, int last) {
    std::vector<MenuChoice> choices;
    for (int year = first; year <= last; ++year) {
        char text[16];
        std::snprintf(text, sizeof text, "%04d年", year);
        choices.push_back({year, text});
    }
    return choices;
}

bool Contains(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

std::vector<MenuChoice> EarlierYearsMenu(int shownYear) {
    return YearRange(std::max(shownYear - kYearMenuSpan, kFirstLunarYear), shownYear);
}

std::vector<MenuChoice> LaterYearsMenu(int shownYear) {
    return YearRange(shownYear, std::min(shownYear + kYearMenuSpan, kLastLunarYear));
}

std::vector<MenuChoice> MonthsMenu() {
    std::vector<MenuChoice> choices;
    for (int month = 1; month <= 12; ++month) {
        char text[16];
        std::snprintf(text, sizeof text, "%d月", month);
        choices.push_back({month, text});
    }
    return choices;
}

HotSpot HotSpotAt(const HotSpots& spots, int x, int y) {
    if (Contains(spots.yearBack, x, y)) return HotSpot::kYearBack;
    if (Contains(spots.yearNext, x, y)) return HotSpot::kYearNext;
    if (Contains(spots.monthBack, x, y)) return HotSpot::kMonthBack;
    if (Contains(spots.monthNext, x, y)) return HotSpot::kMonthNext;
    return HotSpot::kNone;
}

std::vector<MenuItem> BuildDayMenu(const std::vector<std::string>& festivalNames, const std::string& solarTerm,
                                   const std::string& offDayText) {
    std::vector<MenuItem> items = {
        MenuItem::Command(kAddSolarFestival, "添加阳历节日..."),
        MenuItem::Command(kAddLunarFestival, "添加旧历节日..."),
        MenuItem::Command(kAddSolarMemo, "添加阳历备忘..."),
        MenuItem::Command(kAddLunarMemo, "添加旧历备忘..."),
    };
    int next = 1;
    if (!festivalNames.empty()) {
        items.push_back(MenuItem::Separator());
        for (const std::string& name : festivalNames) items.push_back(MenuItem::Command(next++, name));
    }
    if (!solarTerm.empty()) {
        items.push_back(MenuItem::Separator());
        items.push_back(MenuItem::Command(next, solarTerm));
    }
    if (!offDayText.empty()) {
        items.push_back(MenuItem::Separator());
        items.push_back(MenuItem::Command(kOffDayItem, offDayText));
    }
    return items;
}
