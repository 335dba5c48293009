// The memo manager: the list of all memos with add, edit and delete, working
// on its own copy of the memo file, which it writes whole when the user saves.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "calendar/gregorian.h"
#include "reminders/reminder.h"

struct ReminderManagerRequest {
    // Add mode: the editor for a new memo opens at once and the list is
    // never shown, unless saving fails.
    bool addMode = false;
    // The day the new memo starts on (at 00:00), and whether it is a lunar date.
    std::optional<SystemTime> date;
    bool lunar = false;
    bool leapMonth = false;  // the lunar date is in its year's leap month
    // Opened on this memo of the file (from the month's day menu): its
    // editor at once, or with `remove` the question whether to delete it;
    // what was confirmed is saved, and the list is never shown.
    std::optional<Reminder> reminder;
    bool remove = false;
};

// Runs the manager modally over `owner`; true when it saved the file.
bool RunReminderManager(HWND owner, const std::filesystem::path& reminderFile, const ReminderManagerRequest& request);
