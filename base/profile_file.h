// INI profile files read and written the way the Windows profile functions
// treat them, so that the settings file, the templates and the memo file stay
// interchangeable with files written or edited on Windows:
//   - section and key names compare without regard to ASCII case, with the
//     whitespace around names and values ignored;
//   - the first section of a name and the first key of a name in it win;
//   - lines starting with ';' are comments, lines with neither "[...]" nor '='
//     are left alone;
//   - a write changes only the line of its key (or adds one line, or a section
//     at the end) and keeps every other byte of the file; new lines end in CRLF;
//   - a file is written whole to a temporary file and renamed over the old one,
//     so a crash never leaves half a file; a missing file is created, a missing
//     folder never.
// Text is GBK bytes throughout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/rect.h"
#include "base/text_file_encoding.h"

// One parsed profile file held in memory: read it once, look up and change as
// many keys as needed, save it once.
class ProfileDocument {
public:
    ProfileDocument() = default;
    explicit ProfileDocument(std::string_view text);

    // Replaces the contents with the file's, read as GBK whatever editor
    // saved it (UTF-8, UTF-16: see base/text_file_encoding.h). A missing or
    // unreadable file, one beyond `limit` (taken as damaged, never parsed) or
    // one in no encoding the program reads gives an empty document and false.
    bool Load(const std::filesystem::path& path, std::size_t limit = kProfileFileLimit);
    // What Load read: a file in another encoding than GBK, or with characters
    // GBK lacks, is copied away before the first save changes it.
    TextFileEncoding LoadedEncoding() const { return loadedEncoding_; }
    bool LoadedUnmappable() const { return loadedUnmappable_; }
    // Writes the whole document over the file, atomically.
    bool Save(const std::filesystem::path& path) const;
    // The document as file bytes: unchanged lines exactly as they were read.
    std::string Text() const;

    // The stored value of a key, whitespace around it removed, or nothing when
    // the section or key is absent.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Sets a key, adding it (and its section) when absent. Fails, changing
    // nothing, when a name or value cannot be stored on one line and read back
    // as given (line breaks, an '=' in a key, a key that reads as a section or
    // comment, an empty key).
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes the first matching key's line; false when there was none.
    bool RemoveKey(std::string_view section, std::string_view key);

    // Whether Set or RemoveKey changed anything since construction or Load.
    bool IsModified() const { return modified_; }

private:
    enum class LineKind : std::uint8_t { kOther, kSection, kKey };
    enum class Ending : std::uint8_t { kNone, kCrLf, kLf, kCr };
    // A line as offsets into the text read (source 0) or into one of the
    // lines written since (source n: written_[n - 1]), so that a file of many
    // short lines costs a few words a line and no allocation of its own.
    struct Line {
        std::uint32_t begin = 0;  // the texts read are limited far below 4 GB
        std::uint32_t source = 0;
        std::uint32_t length = 0;  // without its ending
        // From the line's start: the section or key name, and a key's value, trimmed.
        std::uint32_t nameBegin = 0, nameLength = 0;
        std::uint32_t valueBegin = 0, valueLength = 0;
        LineKind kind = LineKind::kOther;
        Ending ending = Ending::kNone;
    };
    // The kind and offsets of one line's text (no line break in it).
    static Line ParseLine(std::string_view text);
    // Each line of `all` in order, as `take(const Line&)`.
    template <typename Take>
    static void ForEachLine(std::string_view all, Take take);
    static std::string_view NameIn(std::string_view text, const Line& line) {
        return text.substr(line.nameBegin, line.nameLength);
    }
    std::string_view TextOf(const Line& line) const {
        const std::string& source = line.source == 0 ? text_ : written_[line.source - 1];
        return std::string_view(source).substr(line.begin, line.length);
    }
    std::string_view NameOf(const Line& line) const { return NameIn(TextOf(line), line); }
    std::string_view ValueOf(const Line& line) const { return TextOf(line).substr(line.valueBegin, line.valueLength); }
    // The parsed line of `text`, which the document now keeps.
    Line Keep(std::string text, Line parsed, Ending ending);
    // Index of the first section line of this name, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the first key line of this name within the section starting at
    // line `section_line`, or npos; `last_key` receives the section's last key
    // line (or the header when it has none).
    std::size_t FindKey(std::size_t section_line, std::string_view key, std::size_t* last_key) const;
    void InsertLine(std::size_t index, Line line);

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    std::string byteOrderMark_;  // a UTF-8 mark some editors put first, kept as it was
    std::string text_;           // the text read, never changed: every view into it stays valid
    std::vector<std::string> written_;
    std::vector<Line> lines_;
    bool modified_ = false;
    TextFileEncoding loadedEncoding_ = TextFileEncoding::kGbk;
    bool loadedUnmappable_ = false;
};

// Reads the file (a missing one reads as empty), lets `change` edit the
// document and writes it back once, only when something changed. An existing
// file that cannot be read is never overwritten; one that was not GBK (or
// held characters GBK lacks) is first copied to a dated ".bak" beside it,
// whose path goes to `backup` when given. False when `change` fails or
// the file cannot be read or written.
bool UpdateProfileFile(const std::filesystem::path& file, const std::function<bool(ProfileDocument&)>& change,
                       std::filesystem::path* backup = nullptr);
// Before the document read from `file` is saved over it: a file that was not
// GBK, or held characters GBK lacks, is copied to a dated ".bak" first (its
// path into `backup`). False when that copy could not be made.
bool KeepCopyBeforeConverting(const ProfileDocument& document, const std::filesystem::path& file,
                              std::filesystem::path* backup = nullptr);

// --- The values of one key --------------------------------------------------

// GetPrivateProfileString's reading of a value: a value enclosed in matching
// single or double quotes loses them, and at most this many bytes are kept
// (cut before a double-byte character that would not fit).
constexpr std::size_t kProfileStringLimit = 65534;

// Value of the key with path macros expanded (see data_paths.h); the default,
// also expanded, when the key is absent.
std::string ProfileGetString(std::string_view section, std::string_view key, std::string_view default_value,
                             const ProfileDocument& document);
std::string ProfileGetString(std::string_view section, std::string_view key, std::string_view default_value,
                             const std::filesystem::path& file);

// Signed decimal value; the default when the key is absent or empty, 0 when it
// does not start with a number. No macro expansion.
int ProfileGetInt(std::string_view section, std::string_view key, int default_value, const ProfileDocument& document);
int ProfileGetInt(std::string_view section, std::string_view key, int default_value, const std::filesystem::path& file);

// Stores the value verbatim; false when the file could not be written (or read,
// when it exists: an unreadable file is never overwritten).
bool ProfilePutString(std::string_view section, std::string_view key, std::string_view value,
                      ProfileDocument& document);
bool ProfilePutString(std::string_view section, std::string_view key, std::string_view value,
                      const std::filesystem::path& file);
bool ProfilePutInt(std::string_view section, std::string_view key, long value, ProfileDocument& document);
bool ProfilePutInt(std::string_view section, std::string_view key, long value, const std::filesystem::path& file);

// --- Checksummed structures ---------------------------------------------------
// The form of WritePrivateProfileStruct: each byte as two uppercase hex digits,
// then the low 8 bits of the sum of all bytes as two more.

std::string EncodeProfileStruct(const void* data, std::size_t size);
// Fills `data` only when the text has exactly 2 * size + 2 hex digits (either
// case) and the checksum matches; otherwise leaves it untouched.
bool DecodeProfileStruct(std::string_view text, void* data, std::size_t size);

bool ProfileGetStruct(std::string_view section, std::string_view key, void* data, std::size_t size,
                      const ProfileDocument& document);
bool ProfileGetStruct(std::string_view section, std::string_view key, void* data, std::size_t size,
                      const std::filesystem::path& file);
bool ProfilePutStruct(std::string_view section, std::string_view key, const void* data, std::size_t size,
                      ProfileDocument& document);
bool ProfilePutStruct(std::string_view section, std::string_view key, const void* data, std::size_t size,
                      const std::filesystem::path& file);

// A rectangle as a 16-byte structure: left, top, right, bottom as signed
// 32-bit little-endian integers.
std::optional<Rect> ProfileGetRect(std::string_view section, std::string_view key, const ProfileDocument& document);
std::optional<Rect> ProfileGetRect(std::string_view section, std::string_view key, const std::filesystem::path& file);
bool ProfilePutRect(std::string_view section, std::string_view key, const Rect& rect, ProfileDocument& document);
bool ProfilePutRect(std::string_view section, std::string_view key, const Rect& rect,
                    const std::filesystem::path& file);
