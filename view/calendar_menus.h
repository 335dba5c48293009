// The pop-up menus of the month window, as plain lists: the year and month
// menus behind the template's navigation hot spots and the menu of a day cell.
// The window turns them into real menus and acts on the chosen command.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/menu_items.h"
#include "base/rect.h"
#include "days/day_info.h"
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
// TODAY, the last, goes back to today's month.
enum class HotSpot { kNone, kYearBack, kYearNext, kMonthBack, kMonthNext, kToday };
struct HotSpots {
    Rect yearBack, yearNext, monthBack, monthNext, today;  // all zero when absent
};
HotSpot HotSpotAt(const HotSpots& spots, int x, int y);

// Commands of the day menu. The festival and solar-term items take the
// numbers 1, 2, ... in menu order.
enum DayMenuCommand {
    kAddSolarFestival = 10001,
    kAddSolarReminder = 10002,
    kAddLunarFestival = 10003,
    kAddLunarReminder = 10004,
    kOffDayItem = 10005,       // the day's 休 / 班 line: shows its holiday's arrangement
    kOpenAlmanacPage = 10006,  // "查看黄历...", after its own separator
    kFindGoodDays = 10007,     // "查吉日..."
    kPlanLeave = 10008,        // "拼假..."
    kGoToDate = 10009,         // "转到日期...", also in the month menu
};

// What closes the day menu: a separator, "查看黄历...", a separator, then
// "查吉日...", "拼假..." and "转到日期...".
std::vector<MenuItem> DayMenuPlanningItems();

// The month menu of the month hot spots: 1月 ... 12月 as commands 1 ... 12,
// a separator and "转到日期..." (kGoToDate).
std::vector<MenuItem> MonthMenuItems();

// Windows' virtual-key codes of the keys the month window answers; the same
// numbers on every Windows, checked against <windows.h> where the window is.
namespace key_code {
inline constexpr int kEnter = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kPageUp = 0x21;
inline constexpr int kPageDown = 0x22;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kApps = 0x5D;  // the menu key
inline constexpr int kF10 = 0x79;
}  // namespace key_code

// What a key pressed in the month window does (the window has no controls:
// every key reaches it). The arrows move the ring by a day or a week,
// PageUp/PageDown by a month (with Ctrl a year), Home goes to today, Enter
// opens the ringed day's 黄历 page, the menu key or Shift+F10 its day menu,
// Esc hides the window; Ctrl+G opens the date dialog. Alt with any of them is
// the system's.
enum class CalendarKeyCommand {
    kNone,
    kGoToDate,
    kPreviousDay,
    kNextDay,
    kPreviousWeek,
    kNextWeek,
    kPreviousMonth,
    kNextMonth,
    kPreviousYear,
    kNextYear,
    kToday,
    kOpenAlmanacPage,
    kDayMenu,
    kHide,
};
CalendarKeyCommand CommandOfKey(int virtualKey, bool control, bool shift, bool alt);

// The four add commands; then, when the day has festivals, a separator and one
// item per festival name; then, when it is a solar term, a separator and the
// term's name; then, on a day of the holiday schedule, a separator and
// its line ("国庆节假期 休").
std::vector<MenuItem> BuildDayMenu(const std::vector<std::string>& festivalNames, const std::string& solarTerm,
                                   const std::string& offDayText = "");

// The day's memos, after everything above: a separator and, per memo, a
// sub-menu named by its time and the start of its text ("08:00 晨会") with
// "编辑备忘..." and "删除备忘...". At most kDayMenuReminders are listed.
inline constexpr int kDayMenuReminders = 20;
void AddDayMenuReminders(std::vector<MenuItem>& menu, const OccurringReminders& reminders);
// Which memo of the day, by its place among them, a command of those
// sub-menus is about, and whether it deletes (else it edits); nothing for
// any other command.
struct DayMenuReminderChoice {
    int reminder = 0;
    bool remove = false;
};
std::optional<DayMenuReminderChoice> ReminderChoiceOf(int command);
