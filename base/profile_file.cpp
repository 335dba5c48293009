#include "base/profile_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "base/data_paths.h"
#include "base/file_backup.h"
#include "base/file_system.h"
#include "base/gbk_scan.h"
#include "base/hex_digits.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Windows trims kProfileBlanks around names and values, Ctrl-Z (an old
// end-of-file mark) among them.
std::pair<std::size_t, std::size_t> TrimmedBounds(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string_view trimmed = TrimBlanksView(text.substr(begin, end - begin), kProfileBlanks);
    const std::size_t first = static_cast<std::size_t>(trimmed.data() - text.data());
    return {first, first + trimmed.size()};
}

std::string_view Trimmed(std::string_view text) { return TrimBlanksView(text, kProfileBlanks); }

// Position of the next '\r' or '\n' at or after `from`, or the text's size.
// (Neither can be a GBK trail byte.)
std::size_t FindLineBreak(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') return i;
    return text.size();
}

bool HoldsLineBreak(std::string_view text) { return FindLineBreak(text, 0) != text.size(); }

}  // namespace

// --- ProfileDocument ----------------------------------------------------------

ProfileDocument::ProfileDocument(std::string_view text) {
    if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        byteOrderMark_ = std::string(kUtf8ByteOrderMark);
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    text_ = std::string(text);
    // Counted first, so that the index is made at its size once and not
    // grown by doubling.
    std::size_t count = 0;
    ForEachLine(text_, [&](const Line&) { ++count; });
    lines_.reserve(count);
    ForEachLine(text_, [&](const Line& line) { lines_.push_back(line); });
}

// Blank and comment lines in a row are taken as one line of the document,
// holding their breaks as read: nothing reads or changes them, and a file of
// line breaks then costs one entry instead of one per line.
template <typename Take>
void ProfileDocument::ForEachLine(std::string_view all, Take take) {
    Line run;  // blank and comment lines not yet taken
    bool inRun = false;
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t brk = FindLineBreak(all, start);
        Line line = ParseLine(all.substr(start, brk - start));
        line.begin = static_cast<std::uint32_t>(start);
        const bool last = brk == all.size();
        const bool crLf = !last && all[brk] == '\r' && brk + 1 < all.size() && all[brk + 1] == '\n';
        line.ending = last ? Ending::kNone : crLf ? Ending::kCrLf : all[brk] == '\r' ? Ending::kCr : Ending::kLf;
        if (line.kind == LineKind::kOther && inRun) {
            run.length = static_cast<std::uint32_t>(brk - run.begin);
            run.ending = line.ending;
        } else {
            if (inRun) take(run);
            inRun = line.kind == LineKind::kOther;
            if (inRun)
                run = line;
            else
                take(line);
        }
        if (last) break;
        start = brk + (crLf ? 2 : 1);
    }
    if (inRun) take(run);
}

ProfileDocument::Line ProfileDocument::ParseLine(std::string_view view) {
    Line line;
    line.length = static_cast<std::uint32_t>(view.size());
    const auto [begin, end] = TrimmedBounds(view, 0, view.size());
    if (begin == end || view[begin] == ';') return line;
    if (view[begin] == '[') {
        const std::size_t close = FindLastGbkChar(view.substr(0, end), ']');
        if (close != std::string_view::npos) {
            const auto [nameBegin, nameEnd] = TrimmedBounds(view, begin + 1, close);
            line.kind = LineKind::kSection;
            line.nameBegin = static_cast<std::uint32_t>(nameBegin);
            line.nameLength = static_cast<std::uint32_t>(nameEnd - nameBegin);
            return line;
        }
    }
    const std::size_t equals = FindGbkChar(view, '=', begin);
    if (equals == std::string_view::npos || equals >= end) return line;
    const auto [nameBegin, nameEnd] = TrimmedBounds(view, begin, equals);
    if (nameBegin == nameEnd) return line;
    const auto [valueBegin, valueEnd] = TrimmedBounds(view, equals + 1, end);
    line.kind = LineKind::kKey;
    line.nameBegin = static_cast<std::uint32_t>(nameBegin);
    line.nameLength = static_cast<std::uint32_t>(nameEnd - nameBegin);
    line.valueBegin = static_cast<std::uint32_t>(valueBegin);
    line.valueLength = static_cast<std::uint32_t>(valueEnd - valueBegin);
    return line;
}

ProfileDocument::Line ProfileDocument::Keep(std::string text, Line parsed, Ending ending) {
    written_.push_back(std::move(text));
    parsed.source = static_cast<std::uint32_t>(written_.size());
    parsed.begin = 0;
    parsed.ending = ending;
    return parsed;
}

bool ProfileDocument::Load(const std::filesystem::path& path, std::size_t limit) {
    std::string contents;
    *this = ProfileDocument();
    if (ReadFileWithin(path, limit, contents) != FileRead::kRead) return false;
    const DecodedTextFile decoded = DecodeTextFile(std::move(contents));
    if (decoded.encoding == TextFileEncoding::kUnreadable) return false;
    *this = ProfileDocument(decoded.text);
    loadedEncoding_ = decoded.encoding;
    loadedUnmappable_ = decoded.unmappable;
    return true;
}

bool ProfileDocument::Save(const std::filesystem::path& path) const { return ReplaceFileAtomically(path, Text()); }

std::string ProfileDocument::Text() const {
    static constexpr std::string_view kEndings[] = {"", "\r\n", "\n", "\r"};
    const auto endingOf = [](const Line& line) { return kEndings[static_cast<int>(line.ending)]; };
    std::size_t size = byteOrderMark_.size();
    for (const Line& line : lines_) size += line.length + endingOf(line).size();
    std::string text;
    text.reserve(size);
    text += byteOrderMark_;
    for (const Line& line : lines_) {
        text += TextOf(line);
        text += endingOf(line);
    }
    return text;
}

std::size_t ProfileDocument::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == LineKind::kSection && EqualsIgnoringAsciiCase(NameOf(lines_[i]), section)) return i;
    return npos;
}

std::size_t ProfileDocument::FindKey(std::size_t section_line, std::string_view key, std::size_t* last_key) const {
    if (last_key) *last_key = section_line;
    for (std::size_t i = section_line + 1; i < lines_.size() && lines_[i].kind != LineKind::kSection; ++i) {
        if (lines_[i].kind != LineKind::kKey) continue;
        if (EqualsIgnoringAsciiCase(NameOf(lines_[i]), key)) return i;
        if (last_key) *last_key = i;
    }
    return npos;
}

std::optional<std::string_view> ProfileDocument::Find(std::string_view section, std::string_view key) const {
    const std::size_t sectionLine = FindSection(Trimmed(section));
    if (sectionLine == npos) return std::nullopt;
    const std::size_t keyLine = FindKey(sectionLine, Trimmed(key), nullptr);
    if (keyLine == npos) return std::nullopt;
    return ValueOf(lines_[keyLine]);
}

void ProfileDocument::InsertLine(std::size_t index, Line line) {
    // The line before must end, or the new one would run into it.
    if (index > 0 && lines_[index - 1].ending == Ending::kNone) lines_[index - 1].ending = Ending::kCrLf;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
}

bool ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trimmed(section);
    key = Trimmed(key);
    if (HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value)) return false;

    // Whatever is written must read back as the same section and key.
    std::string keyText;
    keyText.reserve(key.size() + 1 + value.size());
    keyText.append(key).append("=").append(value);
    const Line keyLine = ParseLine(keyText);
    if (keyLine.kind != LineKind::kKey || NameIn(keyText, keyLine) != key) return false;
    std::string headerText = "[" + std::string(section) + "]";
    const Line header = ParseLine(headerText);
    if (header.kind != LineKind::kSection || NameIn(headerText, header) != section) return false;

    const std::size_t sectionLine = FindSection(section);
    if (sectionLine == npos) {
        InsertLine(lines_.size(), Keep(std::move(headerText), header, Ending::kCrLf));
        InsertLine(lines_.size(), Keep(std::move(keyText), keyLine, Ending::kCrLf));
        modified_ = true;
        return true;
    }
    std::size_t lastKey = sectionLine;
    const std::size_t existing = FindKey(sectionLine, key, &lastKey);
    if (existing == npos) {
        InsertLine(lastKey + 1, Keep(std::move(keyText), keyLine, Ending::kCrLf));
        modified_ = true;
        return true;
    }
    const Line line = lines_[existing];
    if (ValueOf(line) == Trimmed(value)) return true;
    // Keep the key as the file spells it, and the spacing around '='; a key
    // such as "[a" must not turn into a section header with the new value.
    std::string text(TextOf(line).substr(0, line.valueBegin));
    text += value;
    const Line rewritten = ParseLine(text);
    if (rewritten.kind != LineKind::kKey || NameIn(text, rewritten) != NameOf(line)) return false;
    lines_[existing] = Keep(std::move(text), rewritten, line.ending);
    modified_ = true;
    return true;
}

bool ProfileDocument::RemoveKey(std::string_view section, std::string_view key) {
    const std::size_t sectionLine = FindSection(Trimmed(section));
    if (sectionLine == npos) return false;
    const std::size_t keyLine = FindKey(sectionLine, Trimmed(key), nullptr);
    if (keyLine == npos) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(keyLine));
    modified_ = true;
    return true;
}

// --- Values -------------------------------------------------------------------

namespace {

std::string_view WithoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string_view CutToLimit(std::string_view value, std::size_t limit) {
    if (value.size() <= limit) return value;
    std::size_t end = 0;
    while (end < value.size()) {
        const std::size_t next = end + GbkCharLength(value, end);
        if (next > limit) break;
        end = next;
    }
    return value.substr(0, end);
}

// Decimal digits after optional whitespace and sign; wraps around on overflow
// like the Windows conversion does. No digits give 0.
int ParseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && kProfileBlanks.find(text[i]) != std::string_view::npos) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::uint32_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative) magnitude = 0u - magnitude;
    return static_cast<int>(static_cast<std::int32_t>(magnitude));
}

}  // namespace

bool KeepCopyBeforeConverting(const ProfileDocument& document, const std::filesystem::path& file,
                              std::filesystem::path* backup) {
    if (document.LoadedEncoding() == TextFileEncoding::kGbk && !document.LoadedUnmappable()) return true;
    FileBaseline converted;
    converted.lossy = true;
    const BackupResult copy = KeepCopyIfChanged(file, converted, LocalTimeNow());
    if (backup) *backup = copy.copy;
    return copy.ok;
}

bool UpdateProfileFile(const std::filesystem::path& file, const std::function<bool(ProfileDocument&)>& change,
                       std::filesystem::path* backup) {
    if (backup) backup->clear();
    ProfileDocument document;
    const bool loaded = document.Load(file);
    if (!loaded && FileExists(file)) return false;
    if (!change(document)) return false;
    if (loaded && !document.IsModified()) return true;
    if (loaded && !KeepCopyBeforeConverting(document, file, backup)) return false;
    if (loaded) MakeWritable(file);  // a read-only settings file is replaced as any other
    return document.Save(file);
}

namespace {

ProfileDocument LoadedDocument(const std::filesystem::path& file) {
    ProfileDocument document;
    document.Load(file);
    return document;
}

constexpr std::size_t kRectBytes = 16;

}  // namespace

std::string ProfileGetString(std::string_view section, std::string_view key, std::string_view default_value,
                             const ProfileDocument& document) {
    const std::optional<std::string_view> value = document.Find(section, key);
    const std::string_view text = value ? CutToLimit(WithoutQuotes(*value), kProfileStringLimit) : default_value;
    return ExpandPathMacros(text);
}

std::string ProfileGetString(std::string_view section, std::string_view key, std::string_view default_value,
                             const std::filesystem::path& file) {
    return ProfileGetString(section, key, default_value, LoadedDocument(file));
}

int ProfileGetInt(std::string_view section, std::string_view key, int default_value, const ProfileDocument& document) {
    const std::optional<std::string_view> value = document.Find(section, key);
    if (!value) return default_value;
    const std::string_view text = WithoutQuotes(*value);
    return text.empty() ? default_value : ParseProfileInt(text);
}

int ProfileGetInt(std::string_view section, std::string_view key, int default_value,
                  const std::filesystem::path& file) {
    return ProfileGetInt(section, key, default_value, LoadedDocument(file));
}

bool ProfilePutString(std::string_view section, std::string_view key, std::string_view value,
                      ProfileDocument& document) {
    return document.Set(section, key, value);
}

bool ProfilePutString(std::string_view section, std::string_view key, std::string_view value,
                      const std::filesystem::path& file) {
    return UpdateProfileFile(file, [&](ProfileDocument& document) { return document.Set(section, key, value); });
}

bool ProfilePutInt(std::string_view section, std::string_view key, long value, ProfileDocument& document) {
    char text[32];
    std::snprintf(text, sizeof text, "%ld", value);
    return document.Set(section, key, text);
}

bool ProfilePutInt(std::string_view section, std::string_view key, long value, const std::filesystem::path& file) {
    return UpdateProfileFile(file,
                             [&](ProfileDocument& document) { return ProfilePutInt(section, key, value, document); });
}

std::string EncodeProfileStruct(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text(2 * size + 2, '\0');
    unsigned sum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        text[2 * i] = HexDigitOf(bytes[i] >> 4);
        text[2 * i + 1] = HexDigitOf(bytes[i]);
        sum += bytes[i];
    }
    text[2 * size] = HexDigitOf((sum & 0xFF) >> 4);
    text[2 * size + 1] = HexDigitOf(sum);
    return text;
}

bool DecodeProfileStruct(std::string_view text, void* data, std::size_t size) {
    if (size > (text.max_size() - 2) / 2 || text.size() != 2 * size + 2) return false;
    std::vector<unsigned char> decoded(size + 1);
    unsigned sum = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        const int high = HexDigitValue(text[2 * i]);
        const int low = HexDigitValue(text[2 * i + 1]);
        if ((high | low) < 0) return false;
        decoded[i] = static_cast<unsigned char>(high << 4 | low);
    }
    for (std::size_t i = 0; i < size; ++i) sum += decoded[i];
    if (decoded[size] != (sum & 0xFF)) return false;
    std::copy(decoded.begin(), decoded.begin() + static_cast<std::ptrdiff_t>(size), static_cast<unsigned char*>(data));
    return true;
}

bool ProfileGetStruct(std::string_view section, std::string_view key, void* data, std::size_t size,
                      const ProfileDocument& document) {
    const std::optional<std::string_view> value = document.Find(section, key);
    return value && DecodeProfileStruct(*value, data, size);
}

bool ProfileGetStruct(std::string_view section, std::string_view key, void* data, std::size_t size,
                      const std::filesystem::path& file) {
    return ProfileGetStruct(section, key, data, size, LoadedDocument(file));
}

bool ProfilePutStruct(std::string_view section, std::string_view key, const void* data, std::size_t size,
                      ProfileDocument& document) {
    return document.Set(section, key, EncodeProfileStruct(data, size));
}

bool ProfilePutStruct(std::string_view section, std::string_view key, const void* data, std::size_t size,
                      const std::filesystem::path& file) {
    return UpdateProfileFile(
        file, [&](ProfileDocument& document) { return ProfilePutStruct(section, key, data, size, document); });
}

namespace {

std::optional<Rect> RectFromBytes(const unsigned char (&bytes)[kRectBytes]) {
    std::int32_t fields[4];
    for (int f = 0; f < 4; ++f) {
        std::uint32_t value = 0;
        for (int b = 3; b >= 0; --b) value = value << 8 | bytes[4 * f + b];
        fields[f] = static_cast<std::int32_t>(value);
    }
    return Rect{fields[0], fields[1], fields[2], fields[3]};
}

void BytesFromRect(const Rect& rect, unsigned char (&bytes)[kRectBytes]) {
    const std::int32_t fields[4] = {rect.left, rect.top, rect.right, rect.bottom};
    for (int f = 0; f < 4; ++f) {
        const auto value = static_cast<std::uint32_t>(fields[f]);
        for (int b = 0; b < 4; ++b) bytes[4 * f + b] = static_cast<unsigned char>(value >> (8 * b));
    }
}

}  // namespace

std::optional<Rect> ProfileGetRect(std::string_view section, std::string_view key, const ProfileDocument& document) {
    unsigned char bytes[kRectBytes];
    if (!ProfileGetStruct(section, key, bytes, sizeof bytes, document)) return std::nullopt;
    return RectFromBytes(bytes);
}

std::optional<Rect> ProfileGetRect(std::string_view section, std::string_view key, const std::filesystem::path& file) {
    return ProfileGetRect(section, key, LoadedDocument(file));
}

bool ProfilePutRect(std::string_view section, std::string_view key, const Rect& rect, ProfileDocument& document) {
    unsigned char bytes[kRectBytes];
    BytesFromRect(rect, bytes);
    return ProfilePutStruct(section, key, bytes, sizeof bytes, document);
}

bool ProfilePutRect(std::string_view section, std::string_view key, const Rect& rect,
                    const std::filesystem::path& file) {
    return UpdateProfileFile(file,
                             [&](ProfileDocument& document) { return ProfilePutRect(section, key, rect, document); });
}
