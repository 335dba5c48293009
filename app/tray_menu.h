// The menu of the tray icon as a plain tree of items with their command
// numbers; the shell turns it into a real pop-up menu each time it opens.
#pragma once

#include <string>
#include <vector>

#include "base/menu_items.h"

enum TrayCommand {
    kTrayExit = 1,
    kTraySettings = 2,
    kTrayShowHide = 3,
    kTrayGoToToday = 4,
    kTrayFestivalManager = 5,
    kTrayAddFestival = 6,
    kTraySuggestion = 7,
    kTrayBugReport = 8,
    kTrayReminderManager = 9,
    kTrayAddReminder = 10,
    kTrayAbout = 11,
    kTrayHelp = 14,
    kTrayExportCalendar = 15,
    kTrayGoToDate = 16,
    kTrayFindGoodDays = 17,
    kTrayPlanLeave = 18,
    kTraySyncConflicts = 19,
};

struct TrayMenuState {
    bool calendarVisible = true;
    int syncConflicts = 0;  // left by the last sync: the menu offers to deal with them
};

std::vector<MenuItem> BuildTrayMenu(const TrayMenuState& state);
