#include "reminders/reminder_file.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <string_view>

#include "base/file_system.h"
#include "base/profile_file.h"

namespace {

std::string ItemKey(std::size_t index) { return "Item" + std::to_string(index); }

// The records of the document, in order, up to the first key that does not
// decode; `stop` receives the index of that key.
ReminderList RecordsOf(const ProfileDocument& document, std::size_t& stop) {
    ReminderList list;
    for (Reminder record;; list.push_back(record)) {
        if (!ProfileGetStruct(kReminderSection, ItemKey(list.size()), &record, sizeof record, document)) break;
    }
    stop = list.size();
    return list;
}

// The number of a key line "Item<digits> = ...", or -1 for any other line.
long long ItemNumberOfLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (line.size() - i < 5) return -1;
    for (const char c : std::string_view("item")) {
        if (std::tolower(static_cast<unsigned char>(line[i++])) != c) return -1;
    }
    long long number = 0;
    std::size_t digits = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9' && digits < 18; ++i, ++digits) {
        number = number * 10 + (line[i] - '0');
    }
    if (digits == 0) return -1;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return i < line.size() && line[i] == '=' ? number : -1;
}

// Whether the file holds a record that loading stopped before: the key at
// `stop` is there but damaged, or a later key follows a gap.
bool HoldsUnreadRecords(const ProfileDocument& document, std::size_t stop) {
    if (document.Find(kReminderSection, ItemKey(stop))) return true;
    const std::string text = document.Text();
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string::npos) end = text.size();
        if (ItemNumberOfLine(std::string_view(text).substr(begin, end - begin)) > static_cast<long long>(stop)) {
            return true;
        }
        begin = end + 1;
    }
    return false;
}

// Keeps a copy of a file whose records would otherwise be lost by the save.
bool BackUpUnreadRecords(const std::string& path, const SystemTime& now) {
    std::string contents;
    if (!ReadWholeFile(path, contents)) return !FileExists(path);
    const ProfileDocument document{std::string_view(contents)};
    std::size_t stop = 0;
    RecordsOf(document, stop);
    if (!HoldsUnreadRecords(document, stop)) return true;
    return ReplaceFileAtomically(ReminderBackupPath(path, now), contents);
}

SystemTime LocalNow() {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    SystemTime now;
    now.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    now.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    now.day = static_cast<std::uint16_t>(local.tm_mday);
    now.hour = static_cast<std::uint16_t>(local.tm_hour);
    now.minute = static_cast<std::uint16_t>(local.tm_min);
    now.second = static_cast<std::uint16_t>(local.tm_sec);
    return now;
}

}  // namespace

void LoadReminders(const std::string& path, ReminderList& list) {
    ProfileDocument document;
    document.Load(path);
    std::size_t stop = 0;
    list = RecordsOf(document, stop);
}

std::string ReminderBackupPath(const std::string& path, const SystemTime& now) {
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, ".%04u%02u%02u-%02u%02u%02u", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    const std::string base = path + stamp;
    std::string candidate = base + ".bak";
    for (int n = 2; FileExists(candidate); ++n) candidate = base + "-" + std::to_string(n) + ".bak";
    return candidate;
}

bool SaveReminders(const std::string& path, const ReminderList& list, const SystemTime& now) {
    // Nothing is written over records that could not be read, and an
    // unreadable file is left alone rather than replaced.
    if (!BackUpUnreadRecords(path, now)) return false;
    if (FileExists(path)) MakeWritable(path);
    if (list.empty()) return !FileExists(path) || RemoveFile(path);

    ProfileDocument document;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!ProfilePutStruct(kReminderSection, ItemKey(i), &list[i], sizeof list[i], document)) return false;
    }
    return document.Save(path);
}

bool SaveReminders(const std::string& path, const ReminderList& list) { return SaveReminders(path, list, LocalNow()); }
