// The memo file "Reminders\reminders.cfg": an INI file with one section
// [ITEMS] whose keys Item0, Item1, ... each hold one record in the checksummed
// structure form (20 114 hexadecimal digits), GBK with CR LF line ends.
#pragma once

#include <string>

#include "base/file_backup.h"
#include "base/file_system.h"
#include "calendar/gregorian.h"
#include "reminders/reminder.h"

inline constexpr char kReminderSection[] = "ITEMS";

// Empties the list and fills it with the records of the file (see
// ParseReminderFile). A missing file gives an empty list.
// False when something is at the path but could not be read (locked by
// another program, not yet downloaded, no permission, or beyond
// kReminderFileLimit): the list is then empty too, and saving it would wipe
// memos nobody has seen. `baseline`, when
// given, records what was read, for SaveReminders.
bool LoadReminders(const std::filesystem::path& path, ReminderList& list, FileBaseline* baseline = nullptr);
// For the month and the alerts, which keep what can be read: the list as
// LoadReminders fills it, and how the read went. kMissing gives an empty list,
// kUnreadable (or a file in no encoding the program reads) too, and
// kTooLarge the records of the lines within the limit (tests give a smaller one).
FileRead ReadReminders(const std::filesystem::path& path, ReminderList& list, std::size_t limit = kReminderFileLimit);

// Writes the whole list in one pass and replaces the file with it atomically
// (first clearing a read-only attribute), so a failed write leaves the old
// file as it was. An empty list removes the file.
// When the file on disk is no longer what `loaded` recorded, or holds records
// that loading never took in (a damaged key), or was in another encoding, it is first
// copied beside itself under a dated name (see ReminderBackupPath) whose path
// goes to `backup`, so a save never destroys anything unseen. Without
// `loaded` only records loading would leave out call for the copy.
// `now` dates that copy. False when the file could not be read, copied,
// written or removed.
bool SaveReminders(const std::filesystem::path& path, const ReminderList& list, const SystemTime& now,
                   const FileBaseline* loaded = nullptr, std::filesystem::path* backup = nullptr);
// Dated by the local clock.
bool SaveReminders(const std::filesystem::path& path, const ReminderList& list, const FileBaseline* loaded = nullptr,
                   std::filesystem::path* backup = nullptr);

// The records of a memo file's bytes, whatever editor saved them: every
// [ITEMS] section's Item keys in file order (doubled sections and keys are
// the memos they hold, gaps lose nothing). `loaded` records what was taken
// (the encoding, how many keys did not decode); false, with no records, for
// bytes in no encoding the program reads. The file is read a line at a time
// into the records alone, so it costs little more than its own bytes.
bool ParseReminderFile(std::string contents, ReminderList& list, FileBaseline* loaded = nullptr);

// path + ".YYYYMMDD-HHMMSS.bak", with "-2", "-3", ... added before ".bak"
// when that name is taken.
std::filesystem::path ReminderBackupPath(const std::filesystem::path& path, const SystemTime& now);
