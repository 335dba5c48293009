// File access for the core. Paths are the platform's own (base/file_path.h):
// on Windows they reach the W functions as they are, so a folder named in any
// script works on any locale; the files' contents are bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// fopen; the mode is fopen's ("rb", "wb", ...).
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// Whole contents of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& contents);

// The largest files the program reads. A settings or template file beyond
// its limit is taken as damaged and not parsed: a downloaded skin of 20 MB
// would otherwise take gigabytes and seconds at every start, and crash the
// 32-bit program. Of a list file beyond its limit (festivals, memos, the
// holiday schedule) the entries within the limit are read and the user is
// told that the rest is not.
//
// The memo file's limit is what the 32-bit program can hold. A memo is
// stored as 20 114 hex digits and held as its 10 056-byte record, so reading
// the file holds its bytes and, while the list grows, up to three quarters as
// many again in records; reading it again while the month still shows the
// old list holds that list too: about 600 MiB at the most for 256 MiB of
// file (about 13 300 memos), the largest block 256 MiB. A 32-bit process has
// 2 GiB of address space, shared with the program's code, its DLLs and the
// gaps between them, so a larger limit would let a large file fail for want
// of one free block, where this one leaves room.
inline constexpr std::size_t kProfileFileLimit = 1u << 20;     // skin and tray templates, Solvane.ini
inline constexpr std::size_t kFestivalFileLimit = 16u << 20;   // holidays.cfg
inline constexpr std::size_t kReminderFileLimit = 256u << 20;  // reminders.cfg

enum class FileRead { kRead, kMissing, kUnreadable, kTooLarge };
// Whole contents of a file of at most `limit` bytes, in one block of its
// size. A larger file is not taken in (no more than `limit` and a byte is
// ever held), and leaves `contents` empty, as does every outcome but kRead.
FileRead ReadFileWithin(const std::filesystem::path& path, std::size_t limit, std::string& contents);
// The same for a list file, whose entries are lines: a file beyond `limit`
// gives kTooLarge with its lines that end within the limit in `contents`
// (line feeds counted in UTF-16 code units after a UTF-16 byte-order mark).
FileRead ReadFileLinesWithin(const std::filesystem::path& path, std::size_t limit, std::string& contents);

// Writes the contents to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. On any failure (folder missing, disk full, file
// locked) the old file stays exactly as it was and the temporary file is gone
// unless it has become the only copy: a replace that failed half-way may
// leave no file at `path`, and then the temporary one is kept (and put in
// place at the next start: base/leftover_files.h).
// Never creates folders.
bool ReplaceFileAtomically(const std::filesystem::path& path, const std::string& contents);

// Whether `name` is `file` + ".tmp<digits>-<digits>": a temporary file a
// replace of `file` writes first (base/leftover_files.h deals with those a
// save that did not finish leaves behind).
bool IsTemporaryNameOf(const std::filesystem::path& name, const std::filesystem::path& file);

// When a file was last written and its length: what tells a file read
// earlier from a changed one. Absent when nothing can be read at the path.
struct FileStamp {
    std::int64_t modified = 0;  // in the platform's own unit
    std::int64_t size = 0;
    bool operator==(const FileStamp& other) const { return modified == other.modified && size == other.size; }
};
std::optional<FileStamp> ReadFileStamp(const std::filesystem::path& path);

// The file system steps a replace and the settling of leftovers take, so
// that tests can make each of them fail.
struct FileSteps {
    // Creates the file, writes, flushes to disk and closes it.
    std::function<bool(const std::filesystem::path&, const std::string&)> writeNew;
    std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)> rename;
    std::function<bool(const std::filesystem::path&)> remove;
    std::function<bool(const std::filesystem::path&)> exists;
    std::function<std::vector<struct FolderEntry>(const std::filesystem::path&)> list;
    std::function<std::optional<FileStamp>(const std::filesystem::path&)> stamp;
    // Whole contents; false when the file cannot be read.
    std::function<bool(const std::filesystem::path&, std::string&)> read;
};
const FileSteps& RealFileSteps();
bool ReplaceFileAtomically(const std::filesystem::path& path, const std::string& contents, const FileSteps& steps);

bool FileExists(const std::filesystem::path& path);
// Whether anything is at the path: a file, a folder or anything else.
bool PathExists(const std::filesystem::path& path);
bool RemoveFile(const std::filesystem::path& path);
// Renames, replacing an existing target.
bool RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Pushes a stream's written data to the disk (fsync / FlushFileBuffers).
bool FlushFileToDisk(std::FILE* file);
// Clears the read-only attribute (Windows) or adds the owner's write bit.
bool MakeWritable(const std::filesystem::path& path);

// The names (no folder) of the entries of a folder, without "." and "..", in
// no particular order; empty when the folder cannot be read.
struct FolderEntry {
    std::filesystem::path name;
    bool isFolder;
};
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder);
