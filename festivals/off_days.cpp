#include "festivals/off_days.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <set>

#include "base/file_system.h"
#include "base/text_encoding.h"
#include "calendar/calendar_texts.h"

namespace {

const char kOffText[] = "休";
const char kWorkText[] = "班";
const char kUtf8Bom[] = "\xEF\xBB\xBF";
const std::string kUtf8Off = "\xE4\xBC\x91";   // 休 in UTF-8
const std::string kUtf8Work = "\xE7\x8F\xAD";  // 班 in UTF-8

// A make-up working day lies at most this many days from its holiday.
constexpr std::int64_t kMaxWorkDayDistance = 28;

std::int64_t SerialOf(const CivilDate& date) { return SerialFromCivil(date.year, date.month, date.day); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Only ASCII blanks are trimmed; a GBK trail byte is never one of them.
std::string TrimBlanks(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool IsValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

// Editors on Windows now save as UTF-8 by default, so a hand-edited file may
// arrive that way: with a byte-order mark, or holding 休/班 only as UTF-8.
bool LooksLikeUtf8(const std::string& text) {
    if (text.compare(0, 3, kUtf8Bom) == 0) return true;
    if (text.find(kOffText) != std::string::npos || text.find(kWorkText) != std::string::npos) return false;
    return (text.find(kUtf8Off) != std::string::npos || text.find(kUtf8Work) != std::string::npos) &&
           IsValidUtf8(text);
}

std::string AsGbk(const std::string& contents) {
    if (!LooksLikeUtf8(contents)) return contents;
    const std::string body = contents.compare(0, 3, kUtf8Bom) == 0 ? contents.substr(3) : contents;
    return GbkFromUtf8(body);
}

bool ReadNumber(const std::string& text, std::size_t& pos, int minDigits, int maxDigits, int& value) {
    int digits = 0;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < maxDigits) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits >= minDigits && (pos == text.size() || text[pos] < '0' || text[pos] > '9');
}

// "YYYY-M-D" or "YYYY-MM-DD", a real date of 1901-2099.
bool ParseDate(const std::string& text, CivilDate& date) {
    std::size_t pos = 0;
    int year = 0, month = 0, day = 0;
    if (!ReadNumber(text, pos, 4, 4, year) || pos >= text.size() || text[pos++] != '-') return false;
    if (!ReadNumber(text, pos, 1, 2, month) || pos >= text.size() || text[pos++] != '-') return false;
    if (!ReadNumber(text, pos, 1, 2, day) || pos != text.size()) return false;
    if (year < 1901 || year > 2099 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return false;
    }
    date = CivilDate{year, month, day};
    return true;
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
    const std::string line = TrimBlanks(raw);
    if (line.empty() || line[0] == '#' || line[0] == ';') return LineKind::kSkip;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
        fields.push_back(TrimBlanks(line.substr(start, comma - start)));
    }
    fields.push_back(TrimBlanks(line.substr(start)));
    if (fields.size() != 3) {
        reason = "应为“日期,休或班,节日名称”三项";
        return LineKind::kBad;
    }
    if (!ParseDate(fields[0], day.date)) {
        reason = "日期“" + fields[0] + "”不存在或不在1901-2099年间";
        return LineKind::kBad;
    }
    if (fields[1] == kOffText) {
        day.kind = OffDayKind::kOff;
    } else if (fields[1] == kWorkText) {
        day.kind = OffDayKind::kWork;
    } else {
        reason = "第二项应为“休”或“班”";
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

std::string MonthDayText(const CivilDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%d月%d日", date.month, date.day);
    return text;
}

std::string YearsText(const std::vector<int>& years) {
    std::string text;
    for (std::size_t i = 0; i < years.size();) {
        std::size_t j = i;
        while (j + 1 < years.size() && years[j + 1] == years[j] + 1) ++j;
        char range[32];
        if (j == i) {
            std::snprintf(range, sizeof range, "%d", years[i]);
        } else {
            std::snprintf(range, sizeof range, "%d-%d", years[i], years[j]);
        }
        if (!text.empty()) text += "、";
        text += range;
        i = j + 1;
    }
    return text;
}

// The year of the holiday each day belongs to, by date; a make-up day that
// belongs to no holiday counts for its own year.
std::map<std::int64_t, int> HolidayYearOfDays(const OffDaySchedule& schedule) {
    std::map<std::int64_t, int> years;
    for (const OffDay& day : schedule.Days()) years[SerialOf(day.date)] = day.date.year;
    for (const HolidayPeriod& period : HolidayPeriods(schedule)) {
        for (std::int64_t serial = SerialOf(period.first); serial <= SerialOf(period.last); ++serial) {
            years[serial] = period.Year();
        }
        for (const CivilDate& work : period.workDays) years[SerialOf(work)] = period.Year();
    }
    return years;
}

}  // namespace

void OffDaySchedule::Set(const OffDay& day) { days_[SerialOf(day.date)] = day; }

const OffDay* OffDaySchedule::Find(int year, int month, int day) const {
    const auto found = days_.find(SerialFromCivil(year, month, day));
    return found == days_.end() ? nullptr : &found->second;
}

std::vector<OffDay> OffDaySchedule::Days() const {
    std::vector<OffDay> days;
    days.reserve(days_.size());
    for (const auto& entry : days_) days.push_back(entry.second);
    return days;
}

std::vector<int> OffDaySchedule::CoveredYears() const {
    std::set<int> years;
    for (const HolidayPeriod& period : HolidayPeriods(*this)) years.insert(period.Year());
    return std::vector<int>(years.begin(), years.end());
}

OffDayFile ParseOffDays(const std::string& contents) {
    OffDayFile file;
    std::string text = AsGbk(contents);
    bool truncated = false;
    if (text.size() > kMaxOffDayFileBytes) {
        text.resize(kMaxOffDayFileBytes);
        // The cut line is incomplete: drop it too.
        const std::size_t lastLineFeed = text.rfind('\n');
        text.resize(lastLineFeed == std::string::npos ? 0 : lastLineFeed + 1);
        truncated = true;
    }
    std::map<std::int64_t, int> lineOfDate;
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
        const auto [earlier, isNew] = lineOfDate.emplace(SerialOf(day.date), number);
        if (!isNew) {
            file.problems.push_back({earlier->second, "与第" + LineNumberText(number) + "行日期相同，以后者为准"});
            earlier->second = number;
        }
        file.schedule.Set(day);
    });
    if (truncated) file.problems.push_back({lastLine + 1, "文件过大，此行起未读"});
    return file;
}

bool LoadOffDays(const std::string& path, OffDayFile& file) {
    file = OffDayFile{};
    std::string contents;
    if (!ReadWholeFile(path, contents)) return !PathExists(path);
    file = ParseOffDays(contents);
    return true;
}

std::string FormatOffDayLine(const OffDay& day) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", day.date.year, day.date.month, day.date.day);
    return std::string(date) + "," + OffDayBadgeText(day.kind) + "," + day.name;
}

std::vector<HolidayPeriod> HolidayPeriods(const OffDaySchedule& schedule) {
    const std::vector<OffDay> days = schedule.Days();
    std::vector<HolidayPeriod> periods;
    std::vector<std::int64_t> lastSerial;  // of each period's last day off
    for (const OffDay& day : days) {
        if (day.kind != OffDayKind::kOff) continue;
        const std::int64_t serial = SerialOf(day.date);
        if (!periods.empty() && periods.back().name == day.name && lastSerial.back() + 1 == serial) {
            periods.back().last = day.date;
            ++periods.back().days;
            lastSerial.back() = serial;
            continue;
        }
        periods.push_back(HolidayPeriod{day.name, day.date, day.date, 1, {}});
        lastSerial.push_back(serial);
    }
    for (const OffDay& day : days) {
        if (day.kind != OffDayKind::kWork) continue;
        const std::int64_t serial = SerialOf(day.date);
        HolidayPeriod* nearest = nullptr;
        std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
        for (HolidayPeriod& period : periods) {
            if (period.name != day.name) continue;
            const std::int64_t first = SerialOf(period.first), last = SerialOf(period.last);
            const std::int64_t distance = serial < first ? first - serial : serial > last ? serial - last : 0;
            if (distance < nearestDistance) {
                nearestDistance = distance;
                nearest = &period;
            }
        }
        if (nearest && nearestDistance <= kMaxWorkDayDistance) nearest->workDays.push_back(day.date);
    }
    return periods;  // days are in date order, so periods and their make-up days are too
}

std::string HolidayPeriodText(const HolidayPeriod& period) {
    std::string text = period.name + "：" + MonthDayText(period.first);
    if (period.days > 1) {
        char last[16];
        std::snprintf(last, sizeof last, "%d日", period.last.day);
        text += "至";
        text += period.last.month == period.first.month ? std::string(last) : MonthDayText(period.last);
    }
    text += period.workDays.empty() ? "放假" : "放假调休";
    char count[24];
    std::snprintf(count, sizeof count, "，共%d天", period.days);
    return text + count;
}

std::string HolidayWorkDaysText(const HolidayPeriod& period) {
    std::string text;
    for (const CivilDate& day : period.workDays) {
        if (!text.empty()) text += "、";
        text += MonthDayText(day) + "（周" + WeekdayName(DayOfWeek(day.year, day.month, day.day) % 7) + "）";
    }
    return text.empty() ? text : text + "上班";
}

std::string OffDayBalloonText(const OffDay& day) {
    return day.kind == OffDayKind::kOff ? day.name + "假期 休" : std::string("调休上班 班");
}

std::string OffDayBadgeText(OffDayKind kind) { return kind == OffDayKind::kOff ? kOffText : kWorkText; }

std::string CoveredYearsText(const OffDaySchedule& schedule) { return YearsText(schedule.CoveredYears()); }

ServedOffDays CheckServedOffDays(const OffDaySchedule& current, const std::string& served) {
    ServedOffDays result;
    if (served.size() > kMaxServedOffDayBytes) return result;
    const OffDayFile file = ParseOffDays(served);
    std::size_t lines = 0;
    ForEachLine(served, [&](int, const std::string&) { ++lines; });
    if (!file.problems.empty() || lines > kMaxServedOffDayLines || file.schedule.empty()) return result;

    const std::vector<int> covered = current.CoveredYears();
    const int lastYear = covered.empty() ? 0 : covered.back();
    for (const auto& [serial, year] : HolidayYearOfDays(file.schedule)) {
        const CivilDate date = CivilFromSerial(serial);
        if (year <= lastYear || current.Find(date.year, date.month, date.day)) {
            result.verdict = ServedOffDaysVerdict::kChangesPast;
            return result;
        }
    }
    result.verdict = ServedOffDaysVerdict::kMerged;
    result.days = file.schedule.Days();
    return result;
}

std::string AppendOffDays(const std::string& contents, const std::vector<OffDay>& days) {
    std::string text = AsGbk(contents);
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    for (const OffDay& day : days) text += FormatOffDayLine(day) + "\r\n";
    return text;
}

bool MergeServedOffDays(const std::string& path, const std::string& served) {
    std::string contents;
    if (!ReadWholeFile(path, contents)) {
        if (PathExists(path)) return false;
        contents.clear();
    }
    if (contents.size() > kMaxOffDayFileBytes) return false;
    const OffDayFile current = ParseOffDays(contents);
    const ServedOffDays checked = CheckServedOffDays(current.schedule, served);
    if (checked.verdict != ServedOffDaysVerdict::kMerged) return false;
    return ReplaceFileAtomically(path, AppendOffDays(contents, checked.days));
}

bool WantsComingYear(const OffDaySchedule& schedule, const CivilDate& today) {
    const std::vector<int> years = schedule.CoveredYears();
    const auto has = [&years](int year) { return std::binary_search(years.begin(), years.end(), year); };
    return today.month >= 11 ? !has(today.year + 1) : !has(today.year);
}
