// Dates written in the tests' tables, known to be real, and printed as
// people read them when a test fails.
#pragma once

#include <cstdint>
#include <ctime>
#include <ostream>

#include "calendar/date.h"
#include "calendar/lunar_calendar.h"

// Throws (and so fails the test) when the numbers name no date.
inline Date D(int year, int month, int day) { return Date::FromCivil(year, month, day).value(); }
inline YearMonth Month(int year, int month) { return YearMonth::From(year, month).value(); }

// The clock's reading at that date and time, its day of the week filled in.
inline SystemTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int milliseconds = 0) {
    SystemTime t = MidnightOf(D(year, month, day));
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    t.second = static_cast<std::uint16_t>(second);
    t.milliseconds = static_cast<std::uint16_t>(milliseconds);
    return t;
}

// The same reading as the C library's broken-down time, which the file
// functions date their copies by.
inline std::tm TmAt(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return tm;
}

inline void PrintTo(const Date& date, std::ostream* out) { *out << date.ToString(); }
inline void PrintTo(const YearMonth& month, std::ostream* out) { *out << month.ToString(); }
inline void PrintTo(const LunarDate& lunar, std::ostream* out) {
    *out << "lunar " << lunar.year << "-" << (lunar.isLeap ? "leap " : "") << lunar.month << "-" << lunar.day;
}
