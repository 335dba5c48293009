// The pop-up menus of the month window, as plain lists: the year and month
// menus behind the template's navigation hot spots and the menu of a day cell.
// The window turns them into real menus and acts on the chosen command.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/menu_items.h"
#include "base/rect.h"
// How many years the year menus reach back or ahead of the shown year.
inline constexpr int kYearMenuSpan = 30;

struct MenuChoice {
    int value;         // the year or month it stands for
    std::string text;  // GBK: "2013年", "7月"
};

// y - 30 ... y ascending, without years before 1901 (the lunar tables' range).
std::vector<MenuChoice> EarlierYearsMenu(int shownYear);
// y ... y + 30 ascending, without years after 2099.
std::vector<MenuChoice> LaterYearsMenu(int shownYear);
// 1月 ... 12月.
std::vector<MenuChoice> MonthsMenu();

// The template's navigation rectangles, tested in this order; a point on an
// edge shared by two belongs to the first.
enum class HotSpot { kNone, kYearBack, kYearNext, kMonthBack, kMonthNext };
struct HotSpots {
    Rect yearBack, yearNext, monthBack, monthNext;  // all zero when absent
};
HotSpot HotSpotAt(const HotSpots& spots, int x, int y);

// Commands of the day menu. The festival and solar-term items take the
// numbers 1, 2, ... in menu order.
enum DayMenuCommand {
    kAddSolarFestival = 10001,
    kAddSolarMemo = 10002,
    kAddLunarFestival = 10003,
    kAddLunarMemo = 10004,
    kOffDayItem = 10005,  // the day's 休 / 班 line: shown, does nothing
    kOpenAlmanacPage = 10006,  // "查看黄历...", the last item, after its own separator
};

// The four add commands; then, when the day has festivals, a separator and one
// item per festival name; then, when it is a solar term, a separator and the
// term's name; then, on a day of the public-holiday schedule, a separator and
// its line ("国庆节假期 休").
std::vector<MenuItem> BuildDayMenu(const std::vector<std::string>& festivalNames, const std::string& solarTerm,
                                   const std::string& offDayText = "");
