#include "app/alert_state.h"

#include <cstdint>
#include <cstdio>

#include "base/data_paths.h"
#include "base/file_system.h"

namespace {

constexpr char kKey[] = "LastChecked=";
// Far more than the one line; a larger file is not ours.
constexpr std::uintmax_t kMostBytes = 4096;

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

}  // namespace

std::filesystem::path AlertStateFilePath(const std::filesystem::path& folder) {
    return ReminderFilePath(folder).parent_path() / "alerts.state";
}

std::string AlertStateText(const SystemTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%04u-%02u-%02u %02u:%02u\r\n", kKey, t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

std::optional<SystemTime> ParseAlertState(const std::string& text) {
    std::size_t pos = text.find(kKey);
    if (pos == std::string::npos) return std::nullopt;
    pos += sizeof kKey - 1;
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

std::optional<SystemTime> ReadAlertState(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::string text;
    if (error || size > kMostBytes || !ReadWholeFile(path, text)) return std::nullopt;
    return ParseAlertState(text);
}

bool WriteAlertState(const std::filesystem::path& path, const SystemTime& lastChecked) {
    return ReplaceFileAtomically(path, AlertStateText(lastChecked));
}
