// The memo file "Reminders\reminders.cfg": an INI file with one section
// [ITEMS] whose keys Item0, Item1, ... each hold one record in the checksummed
// structure form (20 114 hexadecimal digits). The list ends at the first key
// that is missing or does not decode.
#pragma once

#include <string>

#include "base/file_backup.h"
#include "calendar/gregorian.h"
#include "reminders/reminder.h"

inline constexpr char kReminderSection[] = "ITEMS";

// Empties the list and fills it with the records of the file, in file order,
// up to the first missing or damaged key. A missing file gives an empty list.
// False when something is at the path but could not be read (locked by
// another program, not yet downloaded, no permission, or beyond
// kReminderFileLimit and so taken as damaged): the list is then empty
// too, and saving it would wipe memos nobody has seen. `baseline`, when
// given, records what was read, for SaveReminders.
bool LoadReminders(const std::string& path, ReminderList& list, FileBaseline* baseline = nullptr);

// Writes the whole list in one pass and replaces the file with it atomically
// (first clearing a read-only attribute), so a failed write leaves the old
// file as it was. An empty list removes the file.
// When the file on disk is no longer what `loaded` recorded, or holds records
// that loading never took in (a damaged key, or keys after a gap), it is first
// copied beside itself under a dated name (see ReminderBackupPath) whose path
// goes to `backup`, so a save never destroys anything unseen. Without
// `loaded` only records loading would leave out call for the copy.
// `now` dates that copy. False when the file could not be read, copied,
// written or removed.
bool SaveReminders(const std::string& path, const ReminderList& list, const SystemTime& now,
                   const FileBaseline* loaded = nullptr, std::string* backup = nullptr);
// Dated by the local clock.
bool SaveReminders(const std::string& path, const ReminderList& list, const FileBaseline* loaded = nullptr,
                   std::string* backup = nullptr);

// path + ".YYYYMMDD-HHMMSS.bak", with "-2", "-3", ... added before ".bak"
// when that name is taken.
std::string ReminderBackupPath(const std::string& path, const SystemTime& now);
