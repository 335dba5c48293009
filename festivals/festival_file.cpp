#include "festivals/festival_file.h"

#include <vector>

#include "base/file_backup.h"
#include "base/file_system.h"
#include "base/gbk_scan.h"
#include "base/text_file_encoding.h"

namespace {

const char kCommaEscape[] = "<!-COMMA-!>";

// A line is read in pieces of at most 2 499 bytes, up to and including the
// line end: a longer line is cut there and its rest read as the next line, so
// that files written for a 2 500-byte line buffer read the same everywhere.
constexpr std::size_t kLineReadBytes = 2499;

// What may follow a NUL byte without anything being lost.
constexpr std::string_view kBlanksAndNuls(" \t\r\n\0", 5);

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
    const std::string trimmed = TrimBlanks(line.substr(0, line.find('\0')), kBlanksAndLineEnds);
    if (trimmed.empty()) return false;
    const std::vector<std::string> pieces = SplitGbk(trimmed, ',');
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

ParsedFestivalFile ParseFestivalText(const std::string& contents) {
    const std::string text = WithLfLineEnds(contents);
    ParsedFestivalFile parsed;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t lineFeed = text.find('\n', start);
        std::size_t end = lineFeed == std::string::npos ? text.size() : lineFeed + 1;
        // A line too long for one read comes apart: whatever its pieces
        // yield, the line as written is not what a save would write back.
        if (end - start > kLineReadBytes) {
            end = start + kLineReadBytes;
            ++parsed.skipped;
        }
        const std::string piece = text.substr(start, end - start);
        start = end;
        const std::size_t nul = piece.find('\0');
        // Text after a NUL byte is no part of the rule: it would be gone after a save.
        if (nul != std::string::npos &&
            !TrimBlanksView(std::string_view(piece).substr(nul + 1), kBlanksAndNuls).empty()) {
            ++parsed.skipped;
        }
        if (TrimBlanksView(std::string_view(piece).substr(0, nul), kBlanksAndLineEnds).empty()) continue;
        FestivalRule rule;
        if (parsed.list.size() >= kFestivalRuleLimit || !ParseFestivalLine(piece, rule)) {
            ++parsed.skipped;
        } else {
            parsed.list.push_back(std::move(rule));
        }
    }
    return parsed;
}

FestivalList ParseFestivalFile(const std::string& contents, bool* skipped) {
    ParsedFestivalFile parsed = ParseFestivalText(contents);
    if (skipped) *skipped = parsed.skipped > 0;
    return std::move(parsed.list);
}

std::string FormatFestivalFile(const FestivalList& list) {
    std::string contents;
    for (const FestivalRule& rule : list) contents += FormatFestivalLine(rule) + "\r\n";
    return contents;
}

bool LoadFestivals(const std::filesystem::path& path, FestivalList& list, FileBaseline* baseline) {
    list.clear();
    if (baseline) *baseline = FileBaseline{};
    std::string contents;
    const FileRead read = ReadFileWithin(path, kFestivalFileLimit, contents);
    if (read != FileRead::kRead) return read == FileRead::kMissing;
    FileBaseline loaded = BaselineOf(contents, false);
    const DecodedTextFile decoded = DecodeTextFile(std::move(contents));
    if (decoded.encoding == TextFileEncoding::kUnreadable) return false;
    ParsedFestivalFile parsed = ParseFestivalText(decoded.text);
    loaded.lossy = decoded.NotGbk() || decoded.unmappable || parsed.skipped > 0;
    loaded.encoding = decoded.encoding;
    loaded.unmappable = decoded.unmappable;
    loaded.kept = parsed.list.size();
    loaded.skipped = parsed.skipped;
    if (baseline) *baseline = loaded;
    list = std::move(parsed.list);
    return true;
}

FileRead ReadFestivals(const std::filesystem::path& path, FestivalList& list) {
    list.clear();
    std::string contents;
    const FileRead read = ReadFileLinesWithin(path, kFestivalFileLimit, contents);
    if (read != FileRead::kRead && read != FileRead::kTooLarge) return read;
    const DecodedTextFile decoded = DecodeTextFile(std::move(contents));
    if (decoded.encoding == TextFileEncoding::kUnreadable) return FileRead::kUnreadable;
    list = std::move(ParseFestivalText(decoded.text).list);
    return read;
}

bool SaveFestivals(const std::filesystem::path& path, const FestivalList& list, const std::tm& now,
                   const FileBaseline* loaded, std::filesystem::path* backup) {
    if (backup) backup->clear();
    if (loaded) {
        const BackupResult copy = KeepCopyIfChanged(path, *loaded, now);
        if (!copy.ok) return false;
        if (backup) *backup = copy.copy;
    }
    if (FileExists(path)) MakeWritable(path);  // as the memo file: read-only is no reason to keep old rules
    return ReplaceFileAtomically(path, FormatFestivalFile(list));
}

bool SaveFestivals(const std::filesystem::path& path, const FestivalList& list, const FileBaseline* loaded,
                   std::filesystem::path* backup) {
    return SaveFestivals(path, list, LocalTimeNow(), loaded, backup);
}
