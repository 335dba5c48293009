#include "app/alert_state.h"

#include <cstdint>
#include <cstdio>

#include "base/data_paths.h"
#include "base/file_system.h"
#include "base/gbk_scan.h"

namespace {

constexpr char kLastChecked[] = "LastChecked=";
constexpr char kSnoozed[] = "Snoozed=";
// The snoozed alerts' texts at their longest, escaped, and some; a larger
// file is not ours.
constexpr std::uintmax_t kMostBytes = 4u << 20;

// Reads exactly `digits` decimal digits at `pos`.
bool ReadNumber(const std::string& text, std::size_t& pos, int digits, int& value) {
    value = 0;
    for (int i = 0; i < digits; ++i, ++pos) {
        if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') return false;
        value = value * 10 + (text[pos] - '0');
    }
    return true;
}

bool Expect(const std::string& text, std::size_t& pos, char c) { return pos < text.size() && text[pos++] == c; }

// "YYYY-MM-DD HH:MM" at `pos`, a real minute.
std::optional<SystemTime> ReadMinute(const std::string& text, std::size_t& pos) {
    int year, month, day, hour, minute;
    if (!ReadNumber(text, pos, 4, year) || !Expect(text, pos, '-') || !ReadNumber(text, pos, 2, month) ||
        !Expect(text, pos, '-') || !ReadNumber(text, pos, 2, day) || !Expect(text, pos, ' ') ||
        !ReadNumber(text, pos, 2, hour) || !Expect(text, pos, ':') || !ReadNumber(text, pos, 2, minute)) {
        return std::nullopt;
    }
    const SystemTime t = SystemTimeAt(year, month, day, hour, minute);
    if (!IsValidSystemTime(t)) return std::nullopt;
    return t;
}

std::string MinuteText(const SystemTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

// Whole double-byte characters are written as they are, so the file reads
// as text; a trail byte that looks like "\" is never taken for an escape.
std::string Escaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = GbkCharLength(text, i);
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (width == 2) {
            out.append(text, i, 2);
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (IsGbkLeadByte(c)) {
            // Alone, it would join whatever follows it in the file.
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
        i += width;
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> Unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = GbkCharLength(text, i);
        if (width == 2 || text[i] != '\\') {
            out.append(text, i, width);
            i += width;
            continue;
        }
        if (i + 1 >= text.size()) return std::nullopt;
        const char kind = text[i + 1];
        if (kind == '\\') {
            out += '\\';
        } else if (kind == 'n') {
            out += '\n';
        } else if (kind == 'r') {
            out += '\r';
        } else if (kind == 'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
            i += 2;
        } else {
            return std::nullopt;
        }
        i += 2;
    }
    if (out.find('\0') != std::string::npos) return std::nullopt;
    return out;
}

std::optional<SnoozedAlert> ParseSnoozed(const std::string& line) {
    std::size_t pos = 0;
    const std::optional<SystemTime> due = ReadMinute(line, pos);
    if (!due || !Expect(line, pos, '|')) return std::nullopt;
    const std::optional<SystemTime> occurrence = ReadMinute(line, pos);
    if (!occurrence || !Expect(line, pos, '|')) return std::nullopt;
    const std::optional<std::string> text = Unescaped(line.substr(pos));
    if (!text) return std::nullopt;
    return SnoozedAlert{*due, DueAlert{*occurrence, *text}};
}

}  // namespace

std::filesystem::path AlertStateFilePath(const std::filesystem::path& folder) {
    return ReminderFilePath(folder).parent_path() / "alerts.state";
}

std::string AlertStateText(const AlertState& state) {
    std::string text;
    if (state.lastChecked) text += kLastChecked + MinuteText(*state.lastChecked) + "\r\n";
    for (const SnoozedAlert& s : state.snoozed) {
        text +=
            kSnoozed + MinuteText(s.due) + "|" + MinuteText(s.alert.occurrence) + "|" + Escaped(s.alert.text) + "\r\n";
    }
    return text;
}

AlertState ParseAlertState(const std::string& text) {
    AlertState state;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // Notepad's byte-order mark before the first line.
        if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (line.rfind(kLastChecked, 0) == 0 && !state.lastChecked) {
            std::size_t pos = sizeof kLastChecked - 1;
            state.lastChecked = ReadMinute(line, pos);
        } else if (line.rfind(kSnoozed, 0) == 0 && state.snoozed.size() < kMostSnoozedAlerts) {
            if (std::optional<SnoozedAlert> s = ParseSnoozed(line.substr(sizeof kSnoozed - 1))) {
                state.snoozed.push_back(std::move(*s));
            }
        }
    }
    return state;
}

AlertState ReadAlertState(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::string text;
    if (error || size > kMostBytes || !ReadWholeFile(path, text)) return {};
    return ParseAlertState(text);
}

bool WriteAlertState(const std::filesystem::path& path, const AlertState& state) {
    return ReplaceFileAtomically(path, AlertStateText(state));
}
