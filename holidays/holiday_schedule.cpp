#include "holidays/holiday_schedule.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <set>

#include "base/file_system.h"
#include "base/gbk_scan.h"
#include "base/text_encoding.h"
#include "base/text_file_encoding.h"
#include "calendar/calendar_texts.h"
#include "holidays/holiday_notice_shape.h"
#include "holidays/statutory_holidays.h"

namespace {

const char kOffText[] = "休";
const char kWorkText[] = "班";
// The first line of a user's file the download creates.
const char kUserFileHeader[] = "# 节假日安排：这里的日期优先于 offdays-shipped.cfg 中的同一天\r\n";

// A make-up working day lies at most this many days from its holiday.
constexpr std::int64_t kMaxWorkDayDistance = 28;

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
    if (fields[1] == kOffText) {
        day.kind = OffDayKind::kOff;
    } else if (fields[1] == kWorkText) {
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

std::string MonthDayText(const Date& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%d月%d日", date.month(), date.day());
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
std::map<Date, int> HolidayYearOfDays(const OffDaySchedule& schedule) {
    std::map<Date, int> years;
    for (const OffDay& day : schedule.Days()) years[day.date] = day.date.year();
    for (const HolidayPeriod& period : HolidayPeriods(schedule)) {
        for (const Date date : DateRange(period.first, period.last)) years[date] = period.Year();
        for (const Date& work : period.workDays) years[work] = period.Year();
    }
    return years;
}

}  // namespace

void OffDaySchedule::Set(const OffDay& day) { days_[day.date] = day; }

const OffDay* OffDaySchedule::Find(const Date& date) const {
    const auto found = days_.find(date);
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
    for (const HolidayPeriod& period : HolidayPeriods(*this)) {
        if (!period.statutory) years.insert(period.Year());
    }
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

std::filesystem::path ShippedOffDaysPath(const std::filesystem::path& path) {
    return path.parent_path() / "offdays-shipped.cfg";
}

OffDayFile ShippedOffDays(const std::filesystem::path& path) {
    std::string contents;
    if (ReadFileWithin(ShippedOffDaysPath(path), kOffDayFileLimit, contents) != FileRead::kRead) return {};
    OffDayFile shipped = ParseOffDays(contents);
    shipped.problems.clear();  // the user's file is the one whose lines are named
    shipped.dayLines = 0;
    return shipped;
}

bool LoadOffDays(const std::filesystem::path& path, OffDayFile& file) {
    file = OffDayFile{};
    std::string contents;
    const FileRead read = ReadFileWithin(path, kOffDayFileLimit, contents);
    if (read == FileRead::kMissing) {
        file = ShippedOffDays(path);
        return true;
    }
    if (read != FileRead::kRead || DecodeTextFile(contents).encoding == TextFileEncoding::kUnreadable) return false;
    file = ParseOffDays(contents);
    // The user's lines correct the shipped ones date by date.
    OffDayFile shipped = ShippedOffDays(path);
    for (const OffDay& day : file.schedule.Days()) shipped.schedule.Set(day);
    file.schedule = std::move(shipped.schedule);
    return true;
}

std::string FormatOffDayLine(const OffDay& day) {
    return day.date.ToString() + "," + OffDayBadgeText(day.kind) + "," + day.name;
}

std::vector<HolidayPeriod> HolidayPeriods(const OffDaySchedule& schedule) {
    const std::vector<OffDay> days = schedule.Days();
    std::vector<HolidayPeriod> periods;
    for (const OffDay& day : days) {
        if (day.kind != OffDayKind::kOff) continue;
        HolidayPeriod* last = periods.empty() ? nullptr : &periods.back();
        if (last && last->name == day.name && last->last + 1 == day.date && last->statutory == day.statutory) {
            last->last = day.date;
            ++last->days;
            continue;
        }
        periods.push_back(HolidayPeriod{day.name, day.date, day.date, 1, {}, day.statutory});
    }
    for (const OffDay& day : days) {
        if (day.kind != OffDayKind::kWork) continue;
        HolidayPeriod* nearest = nullptr;
        std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
        for (HolidayPeriod& period : periods) {
            if (period.name != day.name) continue;
            const std::int64_t distance = day.date < period.first  ? period.first - day.date
                                          : day.date > period.last ? day.date - period.last
                                                                   : 0;
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
        std::snprintf(last, sizeof last, "%d日", period.last.day());
        text += "至";
        text += period.last.month() == period.first.month() ? std::string(last) : MonthDayText(period.last);
    }
    // The law's days are no arrangement: the notice may add days to them.
    text += period.statutory ? "为法定假日" : period.workDays.empty() ? "放假" : "放假调休";
    char count[24];
    std::snprintf(count, sizeof count, "，共%d天", period.days);
    return text + count;
}

namespace {

std::string WorkDatesText(const std::vector<Date>& dates) {
    std::string text;
    for (const Date& day : dates) {
        if (!text.empty()) text += "、";
        text += MonthDayText(day) + "（周" + WeekdayName(day.weekday()) + "）";
    }
    return text.empty() ? text : text + "上班";
}

}  // namespace

std::string HolidayWorkDaysText(const HolidayPeriod& period) { return WorkDatesText(period.workDays); }

std::string MakeUpDaysText(const HolidayPeriod& period, const std::vector<Date>& dates) {
    const std::string days = WorkDatesText(dates);
    return days.empty() ? days : period.name + "调休：" + days;
}

const HolidayPeriod* PeriodOfDay(const std::vector<HolidayPeriod>& periods, const Date& date) {
    for (const HolidayPeriod& period : periods) {
        if (date >= period.first && date <= period.last) return &period;
        if (std::find(period.workDays.begin(), period.workDays.end(), date) != period.workDays.end()) return &period;
    }
    return nullptr;
}

std::string HolidayArrangementText(const OffDaySchedule& schedule, const Date& date) {
    const std::vector<HolidayPeriod> periods = HolidayPeriods(schedule);
    const HolidayPeriod* period = PeriodOfDay(periods, date);
    if (!period) return std::string();
    std::string text = HolidayPeriodText(*period);
    const std::string workDays = HolidayWorkDaysText(*period);
    if (!workDays.empty()) text += "\n" + workDays;
    if (period->statutory) text += "\n" + UnpublishedScheduleNote(period->Year());
    return text;
}

std::string OffDayBalloonText(const OffDay& day) {
    return day.kind == OffDayKind::kOff ? day.name + "假期 休" : day.name + "调休上班 班";
}

std::string OffDayBadgeText(OffDayKind kind) { return kind == OffDayKind::kOff ? kOffText : kWorkText; }

std::string CoveredYearsText(const OffDaySchedule& schedule) { return YearsText(schedule.CoveredYears()); }

ServedOffDays CheckServedOffDays(const OffDaySchedule& current, const std::string& served, int year) {
    ServedOffDays result;
    if (served.size() > kMaxServedOffDayBytes) return result;
    const OffDayFile file = ParseOffDays(served);
    std::size_t lines = 0;
    ForEachLine(served, [&](int, const std::string&) { ++lines; });
    if (!file.problems.empty() || lines > kMaxServedOffDayLines || file.schedule.empty()) return result;

    for (const auto& [date, holidayYear] : HolidayYearOfDays(file.schedule)) {
        if (holidayYear != year) {
            result.verdict = ServedOffDaysVerdict::kWrongYear;
            return result;
        }
    }
    const std::vector<int> covered = current.CoveredYears();
    const bool yearPresent = std::binary_search(covered.begin(), covered.end(), year);
    for (const OffDay& day : file.schedule.Days()) {
        if (yearPresent || current.Find(day.date)) {
            result.verdict = ServedOffDaysVerdict::kChangesPast;
            return result;
        }
    }
    if (!LooksLikeHolidayNotice(file.schedule, year)) {
        result.verdict = ServedOffDaysVerdict::kImplausible;
        return result;
    }
    result.verdict = ServedOffDaysVerdict::kMerged;
    result.days = file.schedule.Days();
    return result;
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

bool MergeServedOffDays(const std::filesystem::path& path, const std::string& served, const Date& today) {
    std::string contents;
    const FileRead read = ReadFileWithin(path, kOffDayFileLimit, contents);
    if (read != FileRead::kRead && read != FileRead::kMissing) return false;
    if (DecodeTextFile(contents).encoding == TextFileEncoding::kUnreadable) return false;
    OffDayFile current;
    if (!LoadOffDays(path, current)) return false;
    const std::optional<int> year = ScheduleYearToAsk(current.schedule, today);
    if (!year) return false;
    const ServedOffDays checked = CheckServedOffDays(current.schedule, served, *year);
    if (checked.verdict != ServedOffDaysVerdict::kMerged) return false;
    return ReplaceFileAtomically(path, AppendOffDays(contents, checked.days));
}

std::optional<int> ScheduleYearToAsk(const OffDaySchedule& schedule, const Date& today) {
    const std::vector<int> years = schedule.CoveredYears();
    const int year = today.month() >= 11 ? today.year() + 1 : today.year();
    if (std::binary_search(years.begin(), years.end(), year)) return std::nullopt;
    return year;
}
