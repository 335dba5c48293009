#include "reminders/reminder_file.h"

#include <string_view>

#include "base/file_backup.h"
#include "base/file_system.h"
#include "base/gbk_scan.h"
#include "base/profile_file.h"
#include "base/text_file_encoding.h"

namespace {

std::string ItemKey(std::size_t index) { return "Item" + std::to_string(index); }

std::string_view Trimmed(std::string_view text) { return TrimBlanksView(text, kProfileBlanks); }

// The number of a key "Item<digits>" (in any case), or -1 for another key.
long long ItemNumber(std::string_view name) {
    if (name.size() < 5 || name.size() > 22 || !EqualsIgnoringAsciiCase(name.substr(0, 4), "item")) return -1;
    long long number = 0;
    for (const char c : name.substr(4)) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

struct ReadRecords {
    ReminderList list;
    std::size_t skipped = 0;  // Item keys whose value is not a whole record
    // A second [ITEMS] section, or a key numbered no higher than the one
    // before it: two copies of the list pasted together.
    bool doubled = false;
};

// Every record of every [ITEMS] section, in file order, one line at a time:
// a sync client's conflict copy pasted below the first, or keys numbered
// twice or with gaps by a hand merge, are the memos they look like. A key
// whose value does not decode is counted, not taken. Only the records are
// held, never an object per line, so a file of nothing but line breaks costs
// no more than its text.
ReadRecords RecordsOf(std::string_view text) {
    ReadRecords read;
    bool inItems = false;
    int sections = 0;
    long long lastNumber = -1;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trimmed(text.substr(begin, end - begin));
        begin = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const std::size_t close = FindLastGbkChar(line, ']');
            if (close == std::string_view::npos) continue;
            inItems = EqualsIgnoringAsciiCase(Trimmed(line.substr(1, close - 1)), kReminderSection);
            if (inItems && ++sections > 1) read.doubled = true;
            lastNumber = -1;
            continue;
        }
        const std::size_t equals = FindGbkChar(line, '=');
        if (!inItems || equals == std::string_view::npos) continue;
        const long long number = ItemNumber(Trimmed(line.substr(0, equals)));
        if (number < 0) continue;
        if (number <= lastNumber) read.doubled = true;
        lastNumber = number;
        Reminder record;
        if (DecodeProfileStruct(Trimmed(line.substr(equals + 1)), &record, sizeof record)) {
            read.list.push_back(record);
        } else {
            ++read.skipped;
        }
    }
    return read;
}

// What loading took from the file, for the copy before a save and the words
// that tell the user about it.
FileBaseline BaselineOfRead(const std::string& contents, const DecodedTextFile& decoded, const ReadRecords& read) {
    FileBaseline baseline =
        BaselineOf(contents, decoded.NotGbk() || decoded.unmappable || read.skipped > 0 || read.doubled);
    baseline.doubled = read.doubled;
    baseline.encoding = decoded.encoding;
    baseline.unmappable = decoded.unmappable;
    baseline.kept = read.list.size();
    baseline.skipped = read.skipped;
    return baseline;
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

}  // namespace

bool ParseReminderFile(std::string contents, ReminderList& list, FileBaseline* loaded) {
    list.clear();
    // The digest needs the bytes as they are on disk; only then are they
    // handed over to be decoded (GBK bytes are moved, not copied).
    const FileBaseline digest = loaded ? BaselineOf(contents, false) : FileBaseline{};
    const DecodedTextFile decoded = DecodeTextFile(std::move(contents));
    if (decoded.encoding == TextFileEncoding::kUnreadable) return false;
    ReadRecords records = RecordsOf(decoded.text);
    if (loaded) {
        *loaded = BaselineOfRead(std::string(), decoded, records);
        loaded->size = digest.size;
        loaded->digest = digest.digest;
    }
    list = std::move(records.list);
    return true;
}

bool LoadReminders(const std::filesystem::path& path, ReminderList& list, FileBaseline* baseline) {
    list.clear();
    if (baseline) *baseline = FileBaseline{};
    std::string contents;
    const FileRead read = ReadFileWithin(path, kReminderFileLimit, contents);
    if (read != FileRead::kRead) return read == FileRead::kMissing;
    if (ParseReminderFile(std::move(contents), list, baseline)) return true;
    if (baseline) *baseline = FileBaseline{};
    return false;
}

FileRead ReadReminders(const std::filesystem::path& path, ReminderList& list, std::size_t limit) {
    list.clear();
    std::string contents;
    const FileRead read = ReadFileLinesWithin(path, limit, contents);
    if (read != FileRead::kRead && read != FileRead::kTooLarge) return read;
    return ParseReminderFile(std::move(contents), list) ? read : FileRead::kUnreadable;
}

std::filesystem::path ReminderBackupPath(const std::filesystem::path& path, const SystemTime& now) {
    return DatedBackupPath(path, TmOf(now));
}

bool SaveReminders(const std::filesystem::path& path, const ReminderList& list, const SystemTime& now,
                   const FileBaseline* loaded, std::filesystem::path* backup) {
    if (backup) backup->clear();
    // Without a baseline the file as it is now stands for what was loaded:
    // only records loading would leave out call for a copy.
    FileBaseline baseline;
    if (loaded) {
        baseline = *loaded;
    } else {
        std::string contents;
        if (ReadWholeFile(path, contents)) {
            const DecodedTextFile decoded = DecodeTextFile(contents);
            // What cannot be read is not replaced, not even with a copy made.
            if (decoded.encoding == TextFileEncoding::kUnreadable) return false;
            baseline = BaselineOfRead(contents, decoded, RecordsOf(decoded.text));
        }
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

bool SaveReminders(const std::filesystem::path& path, const ReminderList& list, const FileBaseline* loaded,
                   std::filesystem::path* backup) {
    return SaveReminders(path, list, SystemTimeOf(LocalTimeNow()), loaded, backup);
}
