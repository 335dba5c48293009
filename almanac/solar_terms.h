// The instants of the 24 solar terms in China Standard Time (UTC+8).
#pragma once

#include <cstdint>
#include <vector>

namespace almanac {

struct SolarTermInstant {
    int index = 0;            // 0 立春 ... 23 大寒 (almanac/solar_term_names.h)
    double julianDay = 0;     // Universal Time
    std::int64_t serial = 0;  // civil day in UTC+8 (serial day numbers of calendar/gregorian.h)
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;  // UTC+8, truncated to the second
};

// The moment the Sun's apparent longitude reaches the term's longitude, the
// crossing that falls in the given Gregorian year (小寒 and 大寒 in January,
// 立春 ... 冬至 after them).
SolarTermInstant ComputeSolarTerm(int gregorianYear, int index);

// Every term of the Gregorian years first ... last, in order of time.
std::vector<SolarTermInstant> ComputeSolarTerms(int firstYear, int lastYear);

}  // namespace almanac
