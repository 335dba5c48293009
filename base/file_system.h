// File access for the core. Paths are GBK bytes; on Windows they are opened
// through their UTF-16 form, so folders with Chinese names work on any locale.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// fopen with a GBK path; the mode is fopen's ("rb", "wb", ...).
std::FILE* OpenFile(const std::string& path, const char* mode);

// Whole contents of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& contents);

// The largest files the program reads. A file beyond its limit is taken as
// damaged and not parsed: a downloaded skin of 20 MB would otherwise take
// gigabytes and seconds at every start, and crash the 32-bit program.
inline constexpr std::size_t kProfileFileLimit = 1u << 20;    // skin and tray templates, Solvane.ini
inline constexpr std::size_t kFestivalFileLimit = 16u << 20;  // holidays.cfg
inline constexpr std::size_t kReminderFileLimit = 64u << 20;  // reminders.cfg

enum class FileRead { kRead, kMissing, kUnreadable, kTooLarge };
// Whole contents of a file of at most `limit` bytes. A larger file is not
// taken in (no more than `limit` and one buffer's worth is ever held), and
// leaves `contents` empty, as does every outcome but kRead.
FileRead ReadFileWithin(const std::string& path, std::size_t limit, std::string& contents);

// Writes the contents to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. On any failure (folder missing, disk full, file
// locked) the old file stays exactly as it was and the temporary file is gone.
// Never creates folders.
bool ReplaceFileAtomically(const std::string& path, const std::string& contents);

// Removes the temporary files a save of `path` left beside it when the
// program or the machine stopped in the middle of it.
void RemoveLeftoverTemporaries(const std::string& path);

bool FileExists(const std::string& path);
// When a file was last written and its length: what tells a file read
// earlier from a changed one. Absent when nothing can be read at the path.
struct FileStamp {
    std::int64_t modified = 0;  // in the platform's own unit
    std::int64_t size = 0;
    bool operator==(const FileStamp& other) const { return modified == other.modified && size == other.size; }
};
std::optional<FileStamp> ReadFileStamp(const std::string& path);
// Whether anything is at the path: a file, a folder or anything else.
bool PathExists(const std::string& path);
bool RemoveFile(const std::string& path);
// Renames, replacing an existing target.
bool RenameFile(const std::string& from, const std::string& to);
// Pushes a stream's written data to the disk (fsync / FlushFileBuffers).
bool FlushFileToDisk(std::FILE* file);
// Clears the read-only attribute (Windows) or adds the owner's write bit.
bool MakeWritable(const std::string& path);

// The names (GBK, no path) of the entries of a folder, without "." and "..",
// in no particular order; empty when the folder cannot be read.
struct FolderEntry {
    std::string name;
    bool isFolder;
};
std::vector<FolderEntry> ListFolder(const std::string& folder);

// The name under which libraries that take UTF-8 file names (SQLite) find the
// file: on Windows the GBK path converted to UTF-8, elsewhere the path's bytes
// unchanged, as every other function here uses them.
std::string Utf8FileName(const std::string& path);
