#include "reminders/reminder_occurrence.h"

#include <cstdint>
#include <tuple>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerWeek = 7 * kSecondsPerDay;

SystemTime Instant(int year, int month, int day, int hour, int minute) {
    SystemTime t;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    return t;
}

// Without this check a start such as 30 February would count as zero seconds
// from every date (no file time exists for it) and occur every day.
bool HasRealStart(const Reminder& r) {
    if (r.start.hour >= 24 || r.start.minute >= 60) return false;
    if (r.calendar == kReminderGregorian) {
        return IsValidSystemTime(Instant(r.start.year, r.start.month, r.start.day, 0, 0));
    }
    return r.start.month >= 1 && r.start.month <= 12 && r.start.day >= 1 && r.start.day <= 30;
}

// The editor sets only year, month, day, hour and minute of the end; the other
// words may hold anything. An end that is no real date limits nothing, so a
// damaged record keeps its memo rather than losing it.
bool IsPastEnd(const Reminder& r, int year, int month, int day) {
    if (r.hasRepeatEnd == 0) return false;
    const SystemTime end = Instant(r.repeatEnd.year, r.repeatEnd.month, r.repeatEnd.day, r.repeatEnd.hour,
                                   r.repeatEnd.minute);
    if (!IsValidSystemTime(end)) return false;
    const SystemTime occurrence = Instant(year, month, day, r.start.hour, r.start.minute);
    return SecondsBetween(occurrence, end) < 0;
}

bool GregorianOccursOn(const Reminder& r, int year, int month, int day) {
    if (r.repeat == kRepeatNone) return r.start.year == year && r.start.month == month && r.start.day == day;
    const std::int64_t d =
        SecondsBetween(Instant(r.start.year, r.start.month, r.start.day, 0, 0), Instant(year, month, day, 0, 0));
    if (d < 0) return false;
    bool onRepeat;
    switch (r.repeat) {
        case kRepeatDaily: onRepeat = d % kSecondsPerDay == 0; break;
        case kRepeatWeekly: onRepeat = d % kSecondsPerWeek == 0; break;
        case kRepeatBiweekly: onRepeat = d % (2 * kSecondsPerWeek) == 0; break;
        case kRepeatMonthly: onRepeat = day == r.start.day; break;
        case kRepeatYearly: onRepeat = month == r.start.month && day == r.start.day; break;
        default: return false;
    }
    return onRepeat && !IsPastEnd(r, year, month, day);
}

bool LunarOccursOn(const Reminder& r, int year, int month, int day, const LunarDate& lunar) {
    const auto date = std::make_tuple(lunar.year, lunar.month, lunar.day);
    const auto start = std::make_tuple<std::int32_t, std::int32_t, std::int32_t>(r.start.year, r.start.month,
                                                                                 r.start.day);
    if (r.repeat == kRepeatNone) return date == start;
    if (date < start) return false;
    bool onRepeat;
    switch (r.repeat) {
        case kRepeatDaily: onRepeat = true; break;
        case kRepeatMonthly: onRepeat = lunar.day == r.start.day; break;
        case kRepeatYearly: onRepeat = lunar.month == r.start.month && lunar.day == r.start.day; break;
        default: return false;  // weekly repetitions do not exist for lunar memos
    }
    return onRepeat && !IsPastEnd(r, year, month, day);
}

}  // namespace

bool ReminderOccursOn(const Reminder& reminder, int year, int month, int day, const LunarDate& lunar) {
    const bool realDate = year >= 1601 && year <= 30827 && month >= 1 && month <= 12 && day >= 1 &&
                          day <= DaysInMonth(year, month);
    if (!realDate || !HasRealStart(reminder)) return false;
    switch (reminder.calendar) {
        case kReminderGregorian: return GregorianOccursOn(reminder, year, month, day);
        case kReminderLunar: return LunarOccursOn(reminder, year, month, day, lunar);
        default: return false;
    }
}
