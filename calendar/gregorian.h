// Gregorian date arithmetic over serial day numbers.
//
// A serial day number counts days from 1970-01-01 (day 0). Every operation that
// moves through the calendar converts to a serial number, does integer
// arithmetic, and converts back; no floating point and no tables.
#pragma once

#include <cstdint>

// Date and time of day with the shape of the Windows SYSTEMTIME record: eight
// unsigned 16-bit fields in this order, 16 bytes. Stored records (memos) embed
// it byte for byte, so the layout is fixed.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;      // 1-12
    std::uint16_t dayOfWeek = 0;  // 0 = Sunday ... 6 = Saturday, as Windows fills it
    std::uint16_t day = 0;        // 1-31
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};
static_assert(sizeof(SystemTime) == 16, "SystemTime must match SYSTEMTIME");

// The clock reading of that minute, with no day of the week and no seconds.
// Any numbers are taken as they are (IsValidSystemTime says whether they
// name a time), so that a damaged record can be read and judged.
SystemTime SystemTimeAt(int year, int month, int day, int hour, int minute);

// Serial day of a proleptic Gregorian date (day 0 is 1970-01-01). Any month and
// day numbers are accepted arithmetically; callers check validity first.
std::int64_t SerialFromCivil(std::int64_t year, int month, int day);

struct CivilDate {
    int year;
    int month;
    int day;
};
CivilDate CivilFromSerial(std::int64_t serial);

bool IsGregorianLeapYear(int year);

// 28, 29, 30 or 31. Month numbers outside 1-12 give 31, so that a damaged
// record's month can never shorten a loop over its days to nothing.
int DaysInMonth(int year, int month);

// Whether the record holds a date and time Windows would accept for a file-time
// conversion: year 1601-30827, real month and day, hour < 24, minute and
// second < 60, milliseconds < 1000. The day-of-week field is ignored.
bool IsValidSystemTime(const SystemTime& t);

// Seconds from a to b (positive when b is later), truncated toward zero, as the
// difference of two 100-ns file times. An argument that is not a valid date and
// time (see IsValidSystemTime) gives 0, since no file time exists for it.
std::int64_t SecondsBetween(const SystemTime& a, const SystemTime& b);
