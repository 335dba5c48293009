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
    if (Contains(spots.today, x, y)) return HotSpot::kToday;
    return HotSpot::kNone;
}

std::vector<MenuItem> BuildDayMenu(const std::vector<std::string>& festivalNames, const std::string& solarTerm,
                                   const std::string& offDayText) {
    std::vector<MenuItem> items = {
        MenuItem::Command(kAddSolarFestival, "添加阳历节日..."),
        MenuItem::Command(kAddLunarFestival, "添加旧历节日..."),
        MenuItem::Command(kAddSolarReminder, "添加阳历备忘..."),
        MenuItem::Command(kAddLunarReminder, "添加旧历备忘..."),
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

namespace {

// Clear of the numbers above: festivals count up from 1, the fixed commands
// sit at 10001 on.
constexpr int kFirstReminderCommand = 11000;
constexpr std::size_t kReminderLabelCharacters = 16;

// "08:00 " and the start of the text.
std::string ReminderLabel(const Reminder& reminder) {
    char time[16];
    std::snprintf(time, sizeof time, "%02u:%02u ", reminder.start.hour, reminder.start.minute);
    return time + ReminderHeadline(reminder, kReminderLabelCharacters);
}

}  // namespace

void AddDayMenuReminders(std::vector<MenuItem>& menu, const OccurringReminders& reminders) {
    if (reminders.empty()) return;
    menu.push_back(MenuItem::Separator());
    const int count = std::min(static_cast<int>(reminders.size()), kDayMenuReminders);
    for (int i = 0; i < count; ++i) {
        menu.push_back(MenuItem::SubMenu(ReminderLabel(reminders[static_cast<std::size_t>(i)]),
                                         {MenuItem::Command(kFirstReminderCommand + 2 * i, "编辑备忘..."),
                                          MenuItem::Command(kFirstReminderCommand + 2 * i + 1, "删除备忘...")}));
    }
}

std::optional<DayMenuReminderChoice> ReminderChoiceOf(int command) {
    const int offset = command - kFirstReminderCommand;
    if (offset < 0 || offset >= 2 * kDayMenuReminders) return std::nullopt;
    return DayMenuReminderChoice{offset / 2, offset % 2 == 1};
}

std::vector<MenuItem> DayMenuPlanningItems() {
    return {
        MenuItem::Separator(),
        MenuItem::Command(kOpenAlmanacPage, "查看黄历..."),
        MenuItem::Separator(),
        MenuItem::Command(kFindGoodDays, "查吉日..."),
        MenuItem::Command(kPlanLeave, "拼假..."),
        MenuItem::Command(kGoToDate, "转到日期..."),
    };
}

std::vector<MenuItem> MonthMenuItems() {
    std::vector<MenuItem> items;
    for (const MenuChoice& month : MonthsMenu()) items.push_back(MenuItem::Command(month.value, month.text));
    items.push_back(MenuItem::Separator());
    items.push_back(MenuItem::Command(kGoToDate, "转到日期..."));
    return items;
}

namespace {

// The month window's keys: with Ctrl held or not, the key, what it does.
struct KeyBinding {
    bool control;
    int virtualKey;
    CalendarKeyCommand command;
};
constexpr KeyBinding kKeyBindings[] = {
    {true, 'G', CalendarKeyCommand::kGoToDate},
    {true, key_code::kPageUp, CalendarKeyCommand::kPreviousYear},
    {true, key_code::kPageDown, CalendarKeyCommand::kNextYear},
    {false, key_code::kLeft, CalendarKeyCommand::kPreviousDay},
    {false, key_code::kRight, CalendarKeyCommand::kNextDay},
    {false, key_code::kUp, CalendarKeyCommand::kPreviousWeek},
    {false, key_code::kDown, CalendarKeyCommand::kNextWeek},
    {false, key_code::kPageUp, CalendarKeyCommand::kPreviousMonth},
    {false, key_code::kPageDown, CalendarKeyCommand::kNextMonth},
    {false, key_code::kHome, CalendarKeyCommand::kToday},
    {false, key_code::kEnter, CalendarKeyCommand::kOpenAlmanacPage},
    {false, key_code::kApps, CalendarKeyCommand::kDayMenu},
    {false, key_code::kEscape, CalendarKeyCommand::kHide},
};

}  // namespace

CalendarKeyCommand CommandOfKey(int virtualKey, bool control, bool shift, bool alt) {
    if (alt) return CalendarKeyCommand::kNone;
    // Shift+F10 is the keyboard's right click.
    if (shift)
        return virtualKey == key_code::kF10 && !control ? CalendarKeyCommand::kDayMenu : CalendarKeyCommand::kNone;
    for (const KeyBinding& binding : kKeyBindings) {
        if (binding.control == control && binding.virtualKey == virtualKey) return binding.command;
    }
    return CalendarKeyCommand::kNone;
}
