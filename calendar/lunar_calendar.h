// Conversion of Gregorian dates to the Chinese lunar calendar, 1901-2099.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "calendar/date.h"

struct LunarDate {
    std::int32_t year = 0;    // numbered by the Gregorian year in which it begins
    std::int32_t month = 0;   // 1-12; a leap month carries the number it follows
    std::int32_t day = 0;     // 1-30
    std::int32_t isLeap = 0;  // 1 only inside the intercalary month itself

    bool operator==(const LunarDate& other) const {
        return year == other.year && month == other.month && day == other.day && isLeap == other.isLeap;
    }
    bool operator!=(const LunarDate& other) const { return !(*this == other); }
};

constexpr int kFirstLunarYear = 1901;
constexpr int kLastLunarYear = 2099;

// Defined from 19 Feb 1901 (lunar 1901-1-1) to 31 Dec 2099. Dates from
// 22 Dec 1900 to 18 Feb 1901 give their true lunar 1900 dates (months 11 and
// 12); earlier dates give 1900-11-1 and dates after lunar 2099 ends give its
// last day, so the result always stays inside the text tables.
LunarDate SolarToLunar(const Date& date);

// Whether the date is that day of that lunar month as a yearly date means it:
// in the month's regular occurrence, never in a leap month of the same
// number, so that 端午 or a lunar birthday comes once in a year with 闰五月.
inline bool IsYearlyLunarDay(const LunarDate& date, int month, int day) {
    return date.month == month && date.day == day && date.isLeap == 0;
}
// The same for a yearly date that names a month, leap or not. One of a leap
// month falls in that leap month in the years that have it and in the regular
// month of that number in the others, so that a day first kept in 闰二月 comes
// every year, and in its own month whenever there is one.
bool IsYearlyLunarDay(const LunarDate& date, int month, int day, bool leapMonth);

// The lists of lunar months in the editors give a leap month the code of its
// number plus this: 闰二月 is 102.
constexpr int kLeapMonthCode = 100;

// The Gregorian date of a day of a lunar year's regular month of that number
// (not its leap month); nothing for a year outside 1901-2099, a month outside
// 1-12 or a day the month does not have (the 30th of a 29-day month).
std::optional<Date> LunarToSolar(int lunarYear, int month, int day);

// Facts of one lunar year read from the packed table (1901-2099).
struct LunarYearInfo {
    int newYearMonth;      // Gregorian month of the first day: 1 or 2
    int newYearDay;        // Gregorian day of the first day
    int leapMonth;         // 0 when the year has no leap month
    int monthCount;        // 12 or 13
    int monthLengths[13];  // in calendar order, the leap month in its place
};
LunarYearInfo GetLunarYearInfo(int lunarYear);

// The way back, for lunar years 1901-2099: the number of days of a month of
// a year (0 when the year has no such month: a month outside 1-12, or a leap
// month the year does not have), and the Gregorian date of a lunar date
// (nothing when the year, month or day does not exist, such as 三十 of a
// month of 29 days).
int LunarMonthDays(int lunarYear, int month, bool leap);
std::optional<Date> DateOfLunar(const LunarDate& lunar);

// The years from `from` to `to` (within 1901-2099) whose leap month is that
// month, in order.
std::vector<int> YearsWithLeapMonth(int month, int from, int to);
// The month numbers any year of the table has as its leap month (2-11).
std::vector<int> MonthsThatCanBeLeap();

// The raw packed value of a year, exposed for the table's own tests.
std::uint32_t LunarInfoValue(int lunarYear);
