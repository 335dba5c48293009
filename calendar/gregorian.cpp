#include "calendar/gregorian.h"

namespace {

// Floor division for possibly negative numerators.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

constexpr std::int64_t kHundredNsPerMillisecond = 10000;
constexpr std::int64_t kMillisecondsPerDay = 86400000;

}  // namespace

// The civil-from-days pair follows the well-known "era" method: shift the year
// to start on 1 March so the leap day falls at the end, split the timeline into
// 400-year eras of 146097 days, and within an era use the fact that the month
// lengths from March repeat in a 153-day, five-month pattern.
std::int64_t SerialFromCivil(std::int64_t year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;                             // [0, 399]
    const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;    // [0, 11]
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;  // [0, 365]
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromSerial(std::int64_t serial) {
    const std::int64_t z = serial + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{static_cast<int>(year), month, day};
}

bool IsGregorianLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    switch (month) {
        case 2:
            return IsGregorianLeapYear(year) ? 29 : 28;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            return 31;
    }
}

bool IsValidSystemTime(const SystemTime& t) {
    return t.year >= 1601 && t.year <= 30827 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= DaysInMonth(t.year, t.month) && t.hour < 24 && t.minute < 60 && t.second < 60 &&
           t.milliseconds < 1000;
}

namespace {

// Milliseconds since 1970-01-01 00:00; file times are this scaled by 10 000 and
// shifted, and neither changes a difference.
std::int64_t MillisecondsOf(const SystemTime& t) {
    const std::int64_t days = SerialFromCivil(t.year, t.month, t.day);
    return days * kMillisecondsPerDay + ((t.hour * 60 + t.minute) * 60 + t.second) * 1000LL + t.milliseconds;
}

}  // namespace

std::int64_t SecondsBetween(const SystemTime& a, const SystemTime& b) {
    if (!IsValidSystemTime(a) || !IsValidSystemTime(b)) return 0;
    const std::int64_t hundredNs = (MillisecondsOf(b) - MillisecondsOf(a)) * kHundredNsPerMillisecond;
    return hundredNs / 10000000;  // truncated toward zero: a part second never counts
}

SystemTime SystemTimeAt(int year, int month, int day, int hour, int minute) {
    SystemTime t;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    return t;
}
