#include "holidays/holiday_schedule_file.h"

#include <cstdio>
#include <map>
#include <optional>

#include "base/file_system.h"
#include "base/gbk_scan.h"
#include "base/text_encoding.h"
#include "base/text_file_encoding.h"

namespace {

// The first line of a user's file the download creates.
const char kUserFileHeader[] = "# 节假日安排：这里的日期优先于 offdays-shipped.cfg 中的同一天\r\n";

// The file's text as GBK, whatever editor saved it last; nothing for a
// file in no encoding the program reads.
std::string AsGbk(const std::string& contents) { return DecodeTextFile(contents).text; }

// "YYYY-M-D" or "YYYY-MM-DD", a real date of 1901-2099.
std::optional<Date> ScheduleDate(const std::string& text) {
    const std::optional<Date> date = ParseDate(text);
    if (!date || date->year() < 1901 || date->year() > 2099) return std::nullopt;
    return date;
}

// Non-empty, short, whole GBK characters, and nothing that would break the
// line it is written on.
bool IsStorableName(const std::string& name) {
    if (name.empty() || name.size() > kMaxOffDayNameBytes) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F || c == ',') return false;
        if (c < 0x80) continue;
        if (c == 0x80 || c == 0xFF || i + 1 >= name.size()) return false;
        const unsigned char trail = static_cast<unsigned char>(name[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
    }
    return true;
}

std::string LineNumberText(int line) {
    char text[32];
    std::snprintf(text, sizeof text, "%d", line);
    return text;
}

enum class LineKind { kSkip, kDay, kBad };

LineKind ParseLine(const std::string& raw, OffDay& day, std::string& reason) {
    const std::string_view line = TrimBlanksView(raw, kLineBlanks);
    if (line.empty() || line[0] == '#' || line[0] == ';') return LineKind::kSkip;
    std::vector<std::string> fields = SplitGbk(line, ',');
    for (std::string& field : fields) field = TrimBlanks(field, kLineBlanks);
    if (fields.size() != 3) {
        reason = "应为「日期,休或班,节日名称」三项";
        return LineKind::kBad;
    }
    const std::optional<Date> date = ScheduleDate(fields[0]);
    if (!date) {
        reason = "日期「" + fields[0] + "」不存在或不在1901-2099年间";
        return LineKind::kBad;
    }
    day.date = *date;
    if (fields[1] == OffDayKindMark(OffDayKind::kOff)) {
        day.kind = OffDayKind::kOff;
    } else if (fields[1] == OffDayKindMark(OffDayKind::kWork)) {
        day.kind = OffDayKind::kWork;
    } else {
        reason = "第二项应为「休」或「班」";
        return LineKind::kBad;
    }
    if (!IsStorableName(fields[2])) {
        reason = "节日名称为空、过长或含有不能保存的字符";
        return LineKind::kBad;
    }
    day.name = fields[2];
    return LineKind::kDay;
}

// Calls `each(lineNumber, lineText)` for the lines of the text (LF or CR LF).
template <typename Each>
void ForEachLine(const std::string& text, Each each) {
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t lineFeed = text.find('\n', start);
        const std::size_t end = lineFeed == std::string::npos ? text.size() : lineFeed;
        each(++number, text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

HolidayScheduleFile ParseHolidaySchedule(const std::string& contents) {
    HolidayScheduleFile file;
    std::string text = AsGbk(contents);
    bool truncated = false;
    if (text.size() > kMaxHolidayScheduleBytes) {
        text.resize(kMaxHolidayScheduleBytes);
        // The cut line is incomplete: drop it too.
        const std::size_t lastLineFeed = text.rfind('\n');
        text.resize(lastLineFeed == std::string::npos ? 0 : lastLineFeed + 1);
        truncated = true;
    }
    std::map<Date, int> lineOfDate;
    int lastLine = 0;
    ForEachLine(text, [&](int number, const std::string& line) {
        lastLine = number;
        OffDay day;
        std::string reason;
        switch (ParseLine(line, day, reason)) {
            case LineKind::kSkip:
                return;
            case LineKind::kBad:
                file.problems.push_back({number, reason});
                return;
            case LineKind::kDay:
                break;
        }
        ++file.dayLines;
        const auto [earlier, isNew] = lineOfDate.emplace(day.date, number);
        if (!isNew) {
            file.problems.push_back({earlier->second, "与第" + LineNumberText(number) + "行日期相同，以后者为准"});
            earlier->second = number;
        }
        file.schedule.Set(day);
    });
    if (truncated) file.problems.push_back({lastLine + 1, "文件过大，此行起未读"});
    return file;
}

std::filesystem::path ShippedHolidaySchedulePath(const std::filesystem::path& path) {
    return path.parent_path() / "offdays-shipped.cfg";
}

HolidayScheduleFile ShippedHolidaySchedule(const std::filesystem::path& path) {
    std::string contents;
    if (ReadFileWithin(ShippedHolidaySchedulePath(path), kHolidayScheduleFileLimit, contents) != FileRead::kRead) {
        return {};
    }
    HolidayScheduleFile shipped = ParseHolidaySchedule(contents);
    shipped.problems.clear();  // the user's file is the one whose lines are named
    shipped.dayLines = 0;
    return shipped;
}

namespace {

FileRead ReadUserSchedule(const std::filesystem::path& path, HolidayScheduleFile& file, bool keepLines) {
    file = HolidayScheduleFile{};
    std::string contents;
    const FileRead read = keepLines ? ReadFileLinesWithin(path, kHolidayScheduleFileLimit, contents)
                                    : ReadFileWithin(path, kHolidayScheduleFileLimit, contents);
    if (read == FileRead::kMissing) {
        file = ShippedHolidaySchedule(path);
        return read;
    }
    if (read != FileRead::kRead && read != FileRead::kTooLarge) return read;
    if (DecodeTextFile(contents).encoding == TextFileEncoding::kUnreadable) return FileRead::kUnreadable;
    file = ParseHolidaySchedule(contents);
    // The user's lines correct the shipped ones date by date.
    HolidayScheduleFile shipped = ShippedHolidaySchedule(path);
    for (const OffDay& day : file.schedule.Days()) shipped.schedule.Set(day);
    file.schedule = std::move(shipped.schedule);
    return read;
}

}  // namespace

bool LoadHolidaySchedule(const std::filesystem::path& path, HolidayScheduleFile& file) {
    const FileRead read = ReadUserSchedule(path, file, false);
    return read == FileRead::kRead || read == FileRead::kMissing;
}

FileRead ReadHolidaySchedule(const std::filesystem::path& path, HolidayScheduleFile& file) {
    return ReadUserSchedule(path, file, true);
}

std::string FormatOffDayLine(const OffDay& day) {
    return day.date.ToString() + "," + OffDayKindMark(day.kind) + "," + day.name;
}

std::string AppendOffDays(const std::string& contents, const std::vector<OffDay>& days) {
    // The new lines are added in the file's own encoding, after its own bytes:
    // what the user wrote, in any script, is never converted.
    const DecodedTextFile decoded = DecodeTextFile(contents);
    std::string lines = !decoded.text.empty() && decoded.text.back() != '\n' ? "\r\n" : "";
    for (const OffDay& day : days) lines += FormatOffDayLine(day) + "\r\n";
    if (contents.empty()) lines = kUserFileHeader + lines;
    return contents + EncodeTextFile(lines, decoded.encoding, false);
}
