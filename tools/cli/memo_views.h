// Command-line views of memos and of what the calendar announces.
#pragma once

#include <string>
#include <vector>

#include "notices/forenotice.h"
#include "reminders/reminder.h"

// The memo file as the memo manager lists it: a line of column titles, then
// one line per memo, columns separated by tabs, line breaks in texts shown
// as spaces. "" for an empty list.
std::string ReminderListView(const ReminderList& reminders);

// The forenotice lines, one a line.
std::string UpcomingView(const std::vector<ForenoticeLine>& lines);
