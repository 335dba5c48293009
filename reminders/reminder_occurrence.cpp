#include "reminders/reminder_occurrence.h"

#include <cstdint>
#include <tuple>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerWeek = 7 * kSecondsPerDay;

// Without this check a start such as 30 February would count as zero seconds
// from every date (no file time exists for it) and occur every day.
bool HasRealStart(const Reminder& r) {
    if (r.start.hour >= 24 || r.start.minute >= 60) return false;
    if (r.calendar == ReminderCalendar::kGregorian) {
        return IsValidSystemTime(SystemTimeAt(r.start.year, r.start.month, r.start.day, 0, 0));
    }
    return r.start.month >= 1 && r.start.month <= 12 && r.start.day >= 1 && r.start.day <= 30;
}

bool IsPastEnd(const Reminder& r, const Date& date) {
    const std::optional<SystemTime> end = RepeatEndMinute(r);
    if (!end) return false;
    const SystemTime occurrence = SystemTimeAt(date.year(), date.month(), date.day(), r.start.hour, r.start.minute);
    return SecondsBetween(occurrence, *end) < 0;
}

bool GregorianOccursOn(const Reminder& r, const Date& date, bool workingDay) {
    if (r.repeat == ReminderRepeat::kNone) return DateOf(r.start) == date;
    const std::int64_t d =
        SecondsBetween(SystemTimeAt(r.start.year, r.start.month, r.start.day, 0, 0), MidnightOf(date));
    if (d < 0) return false;
    bool onRepeat;
    switch (r.repeat) {
        case ReminderRepeat::kDaily:
            switch (RepetitionOf(r)) {
                case ReminderRepeat::kWorkdays:
                    onRepeat = workingDay;
                    break;
                case ReminderRepeat::kRestDays:
                    onRepeat = !workingDay;
                    break;
                default:
                    onRepeat = d % kSecondsPerDay == 0;
            }
            break;
        case ReminderRepeat::kWeekly:
            onRepeat = d % kSecondsPerWeek == 0;
            break;
        case ReminderRepeat::kBiweekly:
            onRepeat = d % (2 * kSecondsPerWeek) == 0;
            break;
        case ReminderRepeat::kMonthly:
            onRepeat = date.day() == r.start.day;
            break;
        case ReminderRepeat::kYearly:
            onRepeat = date.month() == r.start.month && date.day() == r.start.day;
            break;
        default:
            return false;
    }
    return onRepeat && !IsPastEnd(r, date);
}

// A lunar start names its month by number and, for a leap month, by the
// record's leap mark. Days are ordered as the year runs, so a leap month comes
// after its namesake and before the next month. A yearly memo of a regular
// month comes once in a year with a leap month of that number; one of a leap
// month falls in it where the year has it, else in the regular month. Daily
// and monthly memos go on through a leap month, which is a month of the year
// like any other.
bool LunarOccursOn(const Reminder& r, const Date& date, const LunarDate& lunar) {
    const bool leapStart = StartsInLeapMonth(r);
    const auto lunarDay = std::make_tuple(lunar.year, lunar.month, lunar.isLeap != 0, lunar.day);
    const auto start =
        std::make_tuple(std::int32_t{r.start.year}, std::int32_t{r.start.month}, leapStart, std::int32_t{r.start.day});
    if (r.repeat == ReminderRepeat::kNone) return lunarDay == start;
    if (lunarDay < start) return false;
    bool onRepeat;
    switch (r.repeat) {
        case ReminderRepeat::kDaily:
            onRepeat = true;
            break;
        case ReminderRepeat::kMonthly:
            onRepeat = lunar.day == r.start.day;
            break;
        case ReminderRepeat::kYearly:
            onRepeat = IsYearlyLunarDay(lunar, r.start.month, r.start.day, leapStart);
            break;
        default:
            return false;  // weekly repetitions do not exist for lunar memos
    }
    return onRepeat && !IsPastEnd(r, date);
}

}  // namespace

bool ReminderOccursOn(const Reminder& reminder, const Date& date, const LunarDate& lunar, bool workingDay) {
    // Repetitions are counted in file times, which begin in 1601.
    if (date.year() < 1601 || !HasRealStart(reminder)) return false;
    switch (reminder.calendar) {
        case ReminderCalendar::kGregorian:
            return GregorianOccursOn(reminder, date, workingDay);
        case ReminderCalendar::kLunar:
            return LunarOccursOn(reminder, date, lunar);
        default:
            return false;
    }
}
