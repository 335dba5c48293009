// The festival file: one rule per line, ten comma-separated fields, GBK text,
// CR LF line ends. A comma inside a field is written as "<!-COMMA-!>".
#pragma once

#include <ctime>
#include <string>

#include "base/file_backup.h"
#include "base/file_system.h"
#include "festivals/festival_rule.h"

// Empties the list and fills it with one rule per valid line of the file, in
// file order; lines that do not hold exactly ten fields are skipped. A missing
// file gives an empty list. False when something is at the path but could not
// be read (locked by another program, no permission, a folder, or a file
// beyond kFestivalFileLimit): the list is then empty too, and saving it
// would wipe festivals nobody has seen.
// `baseline`, when given, records what was read (and whether lines were
// skipped), for SaveFestivals.
bool LoadFestivals(const std::filesystem::path& path, FestivalList& list, FileBaseline* baseline = nullptr);
// For the month and the notices, which keep what can be read: the list as
// LoadFestivals fills it, and how the read went. kMissing gives an empty
// list, kUnreadable (or a file in no encoding the program reads) too, and
// kTooLarge the rules of the lines within kFestivalFileLimit.
FileRead ReadFestivals(const std::filesystem::path& path, FestivalList& list);

// Rewrites the file from the list. The new contents go to a temporary file
// beside it that then replaces the old one, so a failed save (missing folder,
// full disk, read-only file) leaves the previous file exactly as it was.
// Given what loading recorded, a file that changed since or had lines loading
// skipped is first copied to a dated ".bak" beside it (its path goes to
// `backup`); a file that cannot be read or copied then is not replaced.
// Returns whether the file now holds the list.
bool SaveFestivals(const std::filesystem::path& path, const FestivalList& list, const FileBaseline* loaded = nullptr,
                   std::filesystem::path* backup = nullptr);
// The same with the time that dates the copy.
bool SaveFestivals(const std::filesystem::path& path, const FestivalList& list, const std::tm& now,
                   const FileBaseline* loaded, std::filesystem::path* backup);

// The same two steps on text, for the file operations above and for tests.
// ParseFestivalFile reads lines the way the file always has been read: at most
// 2 499 bytes at a time (a longer line is taken in pieces, each a line of its
// own), CR LF and LF alike, trimmed of spaces, tabs, CR and LF at both ends.
// `skipped` tells whether a line that is not blank was left out or came apart.
FestivalList ParseFestivalFile(const std::string& contents, bool* skipped = nullptr);
// The same with the number of lines left out; at most kFestivalRuleLimit
// rules are taken, the lines after them counted as left out.
struct ParsedFestivalFile {
    FestivalList list;
    std::size_t skipped = 0;
};
ParsedFestivalFile ParseFestivalText(const std::string& contents);

// The most rules a file gives. Each rule is an object of its own (eleven
// strings), so a file of short lines would otherwise cost many times its
// bytes; no one keeps this many festivals.
inline constexpr std::size_t kFestivalRuleLimit = 20000;
std::string FormatFestivalFile(const FestivalList& list);

// Whether the rule's line is short enough to be read back in one piece; a
// longer one would come apart on the next load and the rule would be lost.
bool FestivalLineFitsOneRead(const FestivalRule& rule);

// One line without its line end; false when it is blank or does not split into
// exactly ten fields.
bool ParseFestivalLine(const std::string& line, FestivalRule& rule);
std::string FormatFestivalLine(const FestivalRule& rule);
