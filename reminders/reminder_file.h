// The memo file "Reminders\reminders.cfg": an INI file with one section
// [ITEMS] whose keys Item0, Item1, ... each hold one record in the checksummed
// structure form (20 114 hexadecimal digits). The list ends at the first key
// that is missing or does not decode.
#pragma once

#include <string>

#include "calendar/gregorian.h"
#include "reminders/reminder.h"

inline constexpr char kReminderSection[] = "ITEMS";

// Empties the list and fills it with the records of the file, in file order,
// up to the first missing or damaged key. A missing file gives an empty list.
void LoadReminders(const std::string& path, ReminderList& list);

// Writes the whole list in one pass and replaces the file with it atomically
// (first clearing a read-only attribute), so a failed write leaves the old
// file as it was. An empty list removes the file.
// When the file on disk holds records that loading never took in (a damaged
// key, or keys after a gap), it is first copied beside itself under a dated
// name (see ReminderBackupPath), so a save never destroys them unseen.
// `now` dates that copy. False when the file could not be written or removed.
bool SaveReminders(const std::string& path, const ReminderList& list, const SystemTime& now);
bool SaveReminders(const std::string& path, const ReminderList& list);  // dated by the local clock

// path + ".YYYYMMDD-HHMMSS.bak", with "-2", "-3", ... added before ".bak"
// when that name is taken.
std::string ReminderBackupPath(const std::string& path, const SystemTime& now);
