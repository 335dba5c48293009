// Conversion of Gregorian dates to the Chinese lunar calendar, 1901-2099.
#pragma once

#include <cstdint>

struct LunarDate {
    std::int32_t year = 0;    // numbered by the Gregorian year in which it begins
    std::int32_t month = 0;   // 1-12; a leap month carries the number it follows
    std::int32_t day = 0;     // 1-30
    std::int32_t isLeap = 0;  // 1 only inside the intercalary month itself
};

constexpr int kFirstLunarYear = 1901;
constexpr int kLastLunarYear = 2099;

// Defined from 19 Feb 1901 (lunar 1901-1-1) to 31 Dec 2099. Dates from
// 22 Dec 1900 to 18 Feb 1901 give their true lunar 1900 dates (months 11 and
// 12); earlier dates give 1900-11-1 and dates after lunar 2099 ends give its
// last day, so the result always stays inside the text tables.
LunarDate SolarToLunar(int year, int month, int day);

// Facts of one lunar year read from the packed table (1901-2099).
struct LunarYearInfo {
    int newYearMonth;       // Gregorian month of the first day: 1 or 2
    int newYearDay;         // Gregorian day of the first day
    int leapMonth;          // 0 when the year has no leap month
    int monthCount;         // 12 or 13
    int monthLengths[13];   // in calendar order, the leap month in its place
};
LunarYearInfo GetLunarYearInfo(int lunarYear);

// The raw packed value of a year, exposed for the table's own tests.
std::uint32_t LunarInfoValue(int lunarYear);
