#include "holidays/served_holiday_schedule.h"

#include <algorithm>
#include <map>

#include "base/file_system.h"
#include "base/text_file_encoding.h"
#include "holidays/holiday_notice_shape.h"
#include "holidays/holiday_schedule_file.h"

namespace {

// Lines of the text, LF or CR LF, the last one with or without its line end.
std::size_t LineCount(const std::string& text) {
    const std::size_t lineFeeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return lineFeeds + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// The year of the holiday each day belongs to, by date; a make-up day that
// belongs to no holiday counts for its own year.
std::map<Date, int> HolidayYearOfDays(const HolidaySchedule& schedule) {
    std::map<Date, int> years;
    for (const OffDay& day : schedule.Days()) years[day.date] = day.date.year();
    for (const HolidayPeriod& period : HolidayPeriods(schedule)) {
        for (const Date date : DateRange(period.first, period.last)) years[date] = period.Year();
        for (const Date& work : period.workDays) years[work] = period.Year();
    }
    return years;
}

}  // namespace

ServedSchedule CheckServedSchedule(const HolidaySchedule& current, const std::string& served, int year) {
    ServedSchedule result;
    if (served.size() > kMaxServedScheduleBytes) return result;
    const HolidayScheduleFile file = ParseHolidaySchedule(served);
    if (!file.problems.empty() || LineCount(served) > kMaxServedScheduleLines || file.schedule.empty()) return result;

    for (const auto& [date, holidayYear] : HolidayYearOfDays(file.schedule)) {
        if (holidayYear != year) {
            result.verdict = ServedScheduleVerdict::kWrongYear;
            return result;
        }
    }
    const std::vector<int> covered = current.CoveredYears();
    const bool yearPresent = std::binary_search(covered.begin(), covered.end(), year);
    for (const OffDay& day : file.schedule.Days()) {
        if (yearPresent || current.Find(day.date)) {
            result.verdict = ServedScheduleVerdict::kChangesPast;
            return result;
        }
    }
    if (!LooksLikeHolidayNotice(file.schedule, year)) {
        result.verdict = ServedScheduleVerdict::kImplausible;
        return result;
    }
    result.verdict = ServedScheduleVerdict::kMerged;
    result.days = file.schedule.Days();
    return result;
}

bool MergeServedSchedule(const std::filesystem::path& path, const std::string& served, const Date& today) {
    std::string contents;
    const FileRead read = ReadFileWithin(path, kHolidayScheduleFileLimit, contents);
    if (read != FileRead::kRead && read != FileRead::kMissing) return false;
    if (DecodeTextFile(contents).encoding == TextFileEncoding::kUnreadable) return false;
    HolidayScheduleFile current;
    if (!LoadHolidaySchedule(path, current)) return false;
    const std::optional<int> year = ScheduleYearToAsk(current.schedule, today);
    if (!year) return false;
    const ServedSchedule checked = CheckServedSchedule(current.schedule, served, *year);
    if (checked.verdict != ServedScheduleVerdict::kMerged) return false;
    return ReplaceFileAtomically(path, AppendOffDays(contents, checked.days));
}

std::optional<int> ScheduleYearToAsk(const HolidaySchedule& schedule, const Date& today) {
    const std::vector<int> years = schedule.CoveredYears();
    const int year = today.month() >= 11 ? today.year() + 1 : today.year();
    if (std::binary_search(years.begin(), years.end(), year)) return std::nullopt;
    return year;
}
