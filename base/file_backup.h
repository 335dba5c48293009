// Dated copies kept beside a data file before a save replaces it. A manager
// remembers what the file held when it loaded it; when the file on disk is no
// longer that (edited in Notepad, re-saved as UTF-16, a sync client's merge)
// or loading left part of it out, the save first copies the file away, so
// nothing the user kept is lost unseen.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include "base/text_file_encoding.h"

struct FileBaseline {
    bool present = false;  // a file was there and was read
    std::uint64_t size = 0;
    std::uint64_t digest = 0;  // FNV-1a over the bytes
    bool lossy = false;        // loading skipped something a save would drop
    // What loading made of the file, for telling the user why a copy was kept.
    TextFileEncoding encoding = TextFileEncoding::kGbk;
    bool unmappable = false;  // characters without a GBK form were read as '?'
    std::size_t kept = 0;     // entries taken in
    std::size_t skipped = 0;  // entries left out (damaged, cut off, beyond a limit)
    bool doubled = false;     // a section or keys written twice (a sync conflict, a hand merge), all read
};

FileBaseline BaselineOf(const std::string& contents, bool lossy);
// Whether the file now holding `contents` is the one the baseline was taken of.
bool SameAsBaseline(const FileBaseline& baseline, const std::string& contents);

// What the file at a path is now, against the baseline a manager took of it.
enum class FileSinceRead {
    kAsRead,      // the same bytes, or still no file
    kChanged,     // other bytes, or a file where there was none
    kGone,        // none where there was one (deleted, its folder or drive away)
    kUnreadable,  // something is there that cannot be read now
};
FileSinceRead CompareWithBaseline(const std::filesystem::path& path, const FileBaseline& baseline);

// path + ".YYYYMMDD-HHMMSS.bak", with "-2", "-3", ... added before ".bak"
// when that name is taken.
std::filesystem::path DatedBackupPath(const std::filesystem::path& path, const std::tm& now);
// The same, with `taken` telling which names are in use.
std::filesystem::path DatedBackupPath(const std::filesystem::path& path, const std::tm& now,
                                      const std::function<bool(const std::filesystem::path&)>& taken);

// The local time of day, for dating copies.
std::tm LocalTimeNow();

struct BackupResult {
    bool ok = true;              // false: the file is there but could not be read or copied
    std::filesystem::path copy;  // the copy's path when one was made
};

// Before a save replaces `path`: keeps a dated copy of the file when it
// differs from `baseline` or the baseline is lossy. A missing file needs no
// copy. When `ok` is false the save must not go on.
BackupResult KeepCopyIfChanged(const std::filesystem::path& path, const FileBaseline& baseline, const std::tm& now);
