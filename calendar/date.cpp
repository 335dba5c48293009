#include "calendar/date.h"

#include <cstdio>

namespace {

// SerialFromCivil(1, 1, 1) and SerialFromCivil(9999, 12, 31), as constants so
// that dates made during static initialisation elsewhere find them set.
constexpr std::int64_t kFirstSerial = -719162;
constexpr std::int64_t kLastSerial = 2932896;

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads `fewest` to `most` digits at `pos` and no more: a longer number is
// not taken apart into two.
bool ReadDigits(std::string_view text, std::size_t& pos, int fewest, int most, int& value) {
    int digits = 0;
    value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (++digits > most) return false;
        value = value * 10 + (text[pos++] - '0');
    }
    return digits >= fewest;
}

bool ReadDash(std::string_view text, std::size_t& pos) { return pos < text.size() && text[pos++] == '-'; }

std::string Printed(const char* pattern, int a, int b = 0) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

void Say(std::string* error, std::string_view text, const std::string& what) {
    if (error) *error = std::string(text) + ": " + what;
}

// The year and month of "YYYY-MM..." with pos after the month; false (and
// the reason) when they are not there or are not a real month.
bool ReadYearMonth(std::string_view text, std::size_t& pos, const char* form, int& year, int& month,
                   std::string* error) {
    if (!ReadDigits(text, pos, 4, 4, year) || !ReadDash(text, pos) || !ReadDigits(text, pos, 1, 2, month)) {
        Say(error, text, std::string("not a date of the form ") + form);
        return false;
    }
    if (year < Date::kFirstYear) {
        Say(error, text, "there is no year 0");
        return false;
    }
    if (month < 1 || month > 12) {
        Say(error, text, Printed("there is no month %d", month));
        return false;
    }
    return true;
}

}  // namespace

std::optional<Date> Date::FromCivil(int year, int month, int day) {
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return Date(static_cast<std::int32_t>(SerialFromCivil(year, month, day)), year, month, day);
}

std::optional<Date> Date::FromSerial(std::int64_t serial) {
    if (serial < kFirstSerial || serial > kLastSerial) return std::nullopt;
    const CivilDate civil = CivilFromSerial(serial);
    return Date(static_cast<std::int32_t>(serial), civil.year, civil.month, civil.day);
}

Date Date::First() { return *FromSerial(kFirstSerial); }
Date Date::Last() { return *FromSerial(kLastSerial); }

// Serial day 0 (1970-01-01) was a Thursday, ISO day 4.
int Date::weekday() const { return static_cast<int>(((serial_ + 3) % 7 + 7) % 7) + 1; }

std::string Date::ToString() const {
    char text[32];  // room for any int, so that no compiler sees a cut
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year(), month(), day());
    return text;
}

Date Date::operator+(std::int64_t days) const {
    // Both bounds are far inside int64, so only a sum past them needs care.
    if (days > kLastSerial - serial_) return Last();
    if (days < kFirstSerial - serial_) return First();
    return *FromSerial(serial_ + days);
}

std::optional<YearMonth> YearMonth::From(int year, int month) {
    if (year < Date::kFirstYear || year > Date::kLastYear || month < 1 || month > 12) return std::nullopt;
    return YearMonth(year, month);
}

Date YearMonth::FirstDay() const { return *Date::FromCivil(year_, month_, 1); }
Date YearMonth::LastDay() const { return *Date::FromCivil(year_, month_, DayCount()); }
int YearMonth::DayCount() const { return DaysInMonth(year_, month_); }

std::string YearMonth::ToString() const {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d", year_, month_);
    return text;
}

std::optional<Date> ParseDate(std::string_view text, std::string* error) {
    std::size_t pos = 0;
    int year = 0, month = 0, day = 0;
    if (!ReadYearMonth(text, pos, "YYYY-MM-DD", year, month, error)) return std::nullopt;
    if (!ReadDash(text, pos) || !ReadDigits(text, pos, 1, 2, day) || pos != text.size()) {
        Say(error, text, "not a date of the form YYYY-MM-DD");
        return std::nullopt;
    }
    const std::optional<Date> date = Date::FromCivil(year, month, day);
    if (!date) {
        Say(error, text,
            day == 0
                ? std::string("there is no day 0")
                : std::string(kMonthNames[month - 1]) + Printed(" %d has %d days", year, DaysInMonth(year, month)));
    }
    return date;
}

std::optional<YearMonth> ParseMonth(std::string_view text, std::string* error) {
    std::size_t pos = 0;
    int year = 0, month = 0;
    if (!ReadYearMonth(text, pos, "YYYY-MM", year, month, error)) return std::nullopt;
    if (pos != text.size()) {
        Say(error, text, "not a month of the form YYYY-MM");
        return std::nullopt;
    }
    return YearMonth::From(year, month);
}

std::optional<Date> DateOf(const SystemTime& time) { return Date::FromCivil(time.year, time.month, time.day); }

SystemTime MidnightOf(const Date& date) {
    SystemTime time;
    time.year = static_cast<std::uint16_t>(date.year());
    time.month = static_cast<std::uint16_t>(date.month());
    time.day = static_cast<std::uint16_t>(date.day());
    time.dayOfWeek = static_cast<std::uint16_t>(date.weekday() % 7);
    return time;
}
