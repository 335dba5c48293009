#include "festivals/festival_file.h"

#include <vector>

#include "base/file_backup.h"
#include "base/file_system.h"
#include "base/gbk_scan.h"

namespace {

const char kCommaEscape[] = "<!-COMMA-!>";

// The file has always been read through a 2 500-byte line buffer: one read
// takes at most 2 499 bytes, up to and including the line end.
constexpr std::size_t kLineReadBytes = 2499;

bool IsTrimmed(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }

// Strips spaces, tabs, CR and LF from both ends, taking a double-byte character
// as one whole character, never as two bytes. A lead byte with no valid trail
// byte after it (a broken character) stands alone, so it cannot swallow the
// line end that follows it.
std::string Trim(const std::string& line) {
    std::size_t begin = 0;
    while (begin < line.size() && IsTrimmed(line[begin])) ++begin;
    std::size_t end = begin;
    for (std::size_t i = begin; i < line.size();) {
        const std::size_t length = GbkCharLength(line, i);
        if (length == 2 || !IsTrimmed(line[i])) end = i + length;
        i += length;
    }
    return line.substr(begin, end - begin);
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(from, start)) != std::string::npos; start = found + from.size()) {
        result.append(text, start, found - start);
        result += to;
    }
    result.append(text, start, std::string::npos);
    return result;
}

// A comma can never be the second byte of a GBK character, so splitting and
// escaping byte by byte is safe.
std::vector<std::string> SplitAtCommas(const std::string& line) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
        pieces.push_back(line.substr(start, comma - start));
    }
    pieces.push_back(line.substr(start));
    return pieces;
}

// What text-mode reading hands over: CR LF becomes LF; a lone CR stays.
std::string WithLfLineEnds(const std::string& contents) {
    std::string text;
    text.reserve(contents.size());
    for (std::size_t i = 0; i < contents.size(); ++i) {
        if (contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n') continue;
        text += contents[i];
    }
    return text;
}

}  // namespace

bool ParseFestivalLine(const std::string& line, FestivalRule& rule) {
    // The line buffer is a C string: anything after a NUL byte is not part of it.
    const std::string trimmed = Trim(line.substr(0, line.find('\0')));
    if (trimmed.empty()) return false;
    const std::vector<std::string> pieces = SplitAtCommas(trimmed);
    if (pieces.size() != FestivalRule::kStoredFieldCount) return false;
    FestivalRule read;
    for (std::size_t i = 0; i < pieces.size(); ++i) read.Field(i) = ReplaceAll(pieces[i], kCommaEscape, ",");
    rule = read;
    return true;
}

std::string FormatFestivalLine(const FestivalRule& rule) {
    // Every field is escaped, the three switches too: they hold "1", "0" or
    // nothing when the manager writes them, and escaping keeps a line that was
    // read with an escaped comma in a switch from gaining an eleventh field.
    std::string line;
    for (std::size_t i = 0; i < FestivalRule::kStoredFieldCount; ++i) {
        if (i > 0) line += ',';
        line += ReplaceAll(rule.Field(i), ",", kCommaEscape);
    }
    return line;
}

bool FestivalLineFitsOneRead(const FestivalRule& rule) {
    // A line of exactly one read's length loads too: its line end then comes
    // as a blank piece of its own.
    return FormatFestivalLine(rule).size() <= kLineReadBytes;
}

FestivalList ParseFestivalFile(const std::string& contents, bool* skipped) {
    const std::string text = WithLfLineEnds(contents);
    FestivalList list;
    bool skippedAny = false;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t lineFeed = text.find('\n', start);
        std::size_t end = lineFeed == std::string::npos ? text.size() : lineFeed + 1;
        // A line too long for one read comes apart: whatever its pieces
        // yield, the line as written is not what a save would write back.
        if (end - start > kLineReadBytes) {
            end = start + kLineReadBytes;
            skippedAny = true;
        }
        const std::string piece = text.substr(start, end - start);
        FestivalRule rule;
        if (ParseFestivalLine(piece, rule)) {
            list.push_back(rule);
        } else if (!Trim(piece.substr(0, piece.find('\0'))).empty()) {
            skippedAny = true;
        }
        start = end;
    }
    if (skipped) *skipped = skippedAny;
    return list;
}

std::string FormatFestivalFile(const FestivalList& list) {
    std::string contents;
    for (const FestivalRule& rule : list) contents += FormatFestivalLine(rule) + "\r\n";
    return contents;
}

bool LoadFestivals(FestivalList& list, const std::string& path, FileBaseline* baseline) {
    list.clear();
    if (baseline) *baseline = FileBaseline{};
    std::string contents;
    const FileRead read = ReadFileWithin(path, kFestivalFileLimit, contents);
    if (read != FileRead::kRead) return read == FileRead::kMissing;
    bool skipped = false;
    list = ParseFestivalFile(contents, &skipped);
    if (baseline) *baseline = BaselineOf(contents, skipped);
    return true;
}

bool SaveFestivals(const FestivalList& list, const std::string& path, const FileBaseline* loaded, std::string* backup,
                   const std::tm& now) {
    if (backup) backup->clear();
    if (loaded) {
        const BackupResult copy = KeepCopyIfChanged(path, *loaded, now);
        if (!copy.ok) return false;
        if (backup) *backup = copy.copy;
    }
    if (FileExists(path)) MakeWritable(path);  // as the memo file: read-only is no reason to keep old rules
    return ReplaceFileAtomically(path, FormatFestivalFile(list));
}

bool SaveFestivals(const FestivalList& list, const std::string& path, const FileBaseline* loaded, std::string* backup) {
    return SaveFestivals(list, path, loaded, backup, LocalTimeNow());
}
