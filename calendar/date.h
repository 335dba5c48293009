// A civil date of the proleptic Gregorian calendar as one small value, and a
// month of it. Everything in the core that names a day passes a Date: it is
// always a real date, it knows its serial day (days from 1970-01-01, as
// SerialFromCivil counts them), its weekday and its text.
//
// A Date holds both forms at once: the serial day, for arithmetic and
// comparison, and year, month and day, for everything a person reads. Each
// factory computes the other form once (calendar/gregorian.cpp explains the
// conversion), so neither reading ever converts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/gregorian.h"

// Weekdays as ISO 8601 numbers them, Monday 1 to Sunday 7: the one numbering
// of the core. Stored festival rules use it too. Windows' SYSTEMTIME counts
// from Sunday = 0 and the month grid from a chosen first column; both convert
// where they meet a Date.
constexpr int kMonday = 1;
constexpr int kSunday = 7;

class Date {
public:
    // Four-digit years: what "YYYY-MM-DD" can write and the almanac can key.
    static constexpr int kFirstYear = 1;
    static constexpr int kLastYear = 9999;

    // 1970-01-01, the first serial day; there so that records holding a date
    // can be made before it is known.
    constexpr Date() = default;

    // The date, when year, month and day name a real one of years 1-9999.
    static std::optional<Date> FromCivil(int year, int month, int day);
    // The date of a serial day, when it falls in years 1-9999.
    static std::optional<Date> FromSerial(std::int64_t serial);
    static Date First();  // 0001-01-01
    static Date Last();   // 9999-12-31

    int year() const { return year_; }
    int month() const { return month_; }
    int day() const { return day_; }
    std::int64_t serial() const { return serial_; }
    // 1 = Monday ... 7 = Sunday.
    int weekday() const;

    // "YYYY-MM-DD".
    std::string ToString() const;

    // n days later (earlier for a negative n). A sum beyond the years 1-9999
    // stays at that end: no calendar of the program reaches there, and the
    // result is still a real date.
    Date operator+(std::int64_t days) const;
    Date operator-(std::int64_t days) const { return *this + (-days); }
    Date& operator+=(std::int64_t days) { return *this = *this + days; }
    Date& operator-=(std::int64_t days) { return *this = *this - days; }
    // Days from `earlier` to this date (negative when it is later).
    std::int64_t operator-(const Date& earlier) const { return serial_ - earlier.serial_; }

    bool operator==(const Date& other) const { return serial_ == other.serial_; }
    bool operator!=(const Date& other) const { return serial_ != other.serial_; }
    bool operator<(const Date& other) const { return serial_ < other.serial_; }
    bool operator<=(const Date& other) const { return serial_ <= other.serial_; }
    bool operator>(const Date& other) const { return serial_ > other.serial_; }
    bool operator>=(const Date& other) const { return serial_ >= other.serial_; }

private:
    Date(std::int32_t serial, int year, int month, int day)
        : serial_(serial),
          year_(static_cast<std::int16_t>(year)),
          month_(static_cast<std::int8_t>(month)),
          day_(static_cast<std::int8_t>(day)) {}

    std::int32_t serial_ = 0;
    std::int16_t year_ = 1970;
    std::int8_t month_ = 1;
    std::int8_t day_ = 1;
};

// The dates first ... last in order, for range-for (none when last comes
// before first). A loop over it ends at the last date however near the end
// of the years it lies, where `date += 1` would stay put.
class DateRange {
public:
    class Iterator {
    public:
        explicit Iterator(std::int64_t serial) : serial_(serial) {}
        Date operator*() const { return *Date::FromSerial(serial_); }
        Iterator& operator++() {
            ++serial_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return serial_ != other.serial_; }

    private:
        std::int64_t serial_;
    };

    DateRange(const Date& first, const Date& last)
        : first_(first.serial()), end_(last < first ? first.serial() : last.serial() + 1) {}
    Iterator begin() const { return Iterator(first_); }
    Iterator end() const { return Iterator(end_); }

private:
    std::int64_t first_, end_;
};

// A month of a year, such as the one the month window shows.
class YearMonth {
public:
    constexpr YearMonth() = default;  // 1970-01
    // The month, when it is 1-12 of a year 1-9999.
    static std::optional<YearMonth> From(int year, int month);
    // The month a date lies in.
    static YearMonth Of(const Date& date) { return YearMonth(date.year(), date.month()); }

    int year() const { return year_; }
    int month() const { return month_; }
    Date FirstDay() const;
    Date LastDay() const;
    int DayCount() const;
    // The date of a day of the month; nothing for a day it does not have.
    std::optional<Date> Day(int day) const { return Date::FromCivil(year_, month_, day); }
    bool Holds(const Date& date) const { return date.year() == year_ && date.month() == month_; }
    DateRange Days() const { return DateRange(FirstDay(), LastDay()); }

    // "YYYY-MM".
    std::string ToString() const;

    bool operator==(const YearMonth& other) const { return year_ == other.year_ && month_ == other.month_; }
    bool operator!=(const YearMonth& other) const { return !(*this == other); }

private:
    YearMonth(int year, int month) : year_(year), month_(month) {}

    int year_ = 1970;
    int month_ = 1;
};

// Dates as people and scripts type them: "YYYY-MM-DD" and "YYYY-MM", a month
// or day of one digit taken too ("2025-4-5"). Nothing else is accepted: no
// blanks, no sign, no text after the day. A text that names no real date
// gives nothing, and `error` (when given) says what is wrong in words, for a
// message: "2026-02-30: February 2026 has 28 days", "2026-13: there is no
// month 13".
std::optional<Date> ParseDate(std::string_view text, std::string* error = nullptr);
std::optional<YearMonth> ParseMonth(std::string_view text, std::string* error = nullptr);

// Between a Date and the SystemTime records of the clock and of stored memos:
// the date, when the record's year, month and day name a real one (the other
// fields are not read), and the record of a date at midnight with its
// Sunday-based day of the week filled in.
std::optional<Date> DateOf(const SystemTime& time);
SystemTime MidnightOf(const Date& date);
