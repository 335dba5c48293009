#include "reminders/reminder_file.h"

#include <cctype>
#include <string_view>

#include "base/file_backup.h"
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

std::tm TmOf(const SystemTime& time) {
    std::tm tm{};
    tm.tm_year = time.year - 1900;
    tm.tm_mon = time.month - 1;
    tm.tm_mday = time.day;
    tm.tm_hour = time.hour;
    tm.tm_min = time.minute;
    tm.tm_sec = time.second;
    return tm;
}

SystemTime SystemTimeOf(const std::tm& tm) {
    SystemTime time;
    time.year = static_cast<std::uint16_t>(tm.tm_year + 1900);
    time.month = static_cast<std::uint16_t>(tm.tm_mon + 1);
    time.day = static_cast<std::uint16_t>(tm.tm_mday);
    time.hour = static_cast<std::uint16_t>(tm.tm_hour);
    time.minute = static_cast<std::uint16_t>(tm.tm_min);
    time.second = static_cast<std::uint16_t>(tm.tm_sec);
    return time;
}

// Whether loading `contents` leaves records out.
bool LosesRecords(const std::string& contents) {
    const ProfileDocument document{std::string_view(contents)};
    std::size_t stop = 0;
    RecordsOf(document, stop);
    return HoldsUnreadRecords(document, stop);
}

}  // namespace

bool LoadReminders(const std::string& path, ReminderList& list, FileBaseline* baseline) {
    list.clear();
    if (baseline) *baseline = FileBaseline{};
    std::string contents;
    const FileRead read = ReadFileWithin(path, kReminderFileLimit, contents);
    if (read != FileRead::kRead) return read == FileRead::kMissing;
    const ProfileDocument document{std::string_view(contents)};
    std::size_t stop = 0;
    list = RecordsOf(document, stop);
    if (baseline) *baseline = BaselineOf(contents, HoldsUnreadRecords(document, stop));
    return true;
}

std::string ReminderBackupPath(const std::string& path, const SystemTime& now) {
    return DatedBackupPath(path, TmOf(now));
}

bool SaveReminders(const std::string& path, const ReminderList& list, const SystemTime& now,
                   const FileBaseline* loaded, std::string* backup) {
    if (backup) backup->clear();
    // Without a baseline the file as it is now stands for what was loaded:
    // only records loading would leave out call for a copy.
    FileBaseline baseline;
    if (loaded) {
        baseline = *loaded;
    } else {
        std::string contents;
        if (ReadWholeFile(path, contents)) baseline = BaselineOf(contents, LosesRecords(contents));
    }
    // Nothing is written over records that could not be read, and an
    // unreadable file is left alone rather than replaced.
    const BackupResult copy = KeepCopyIfChanged(path, baseline, TmOf(now));
    if (!copy.ok) return false;
    if (backup) *backup = copy.copy;
    if (FileExists(path)) MakeWritable(path);
    if (list.empty()) return !FileExists(path) || RemoveFile(path);

    ProfileDocument document;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!ProfilePutStruct(kReminderSection, ItemKey(i), &list[i], sizeof list[i], document)) return false;
    }
    return document.Save(path);
}

bool SaveReminders(const std::string& path, const ReminderList& list, const FileBaseline* loaded, std::string* backup) {
    return SaveReminders(path, list, SystemTimeOf(LocalTimeNow()), loaded, backup);
}
