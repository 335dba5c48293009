#include "almanac/solar_terms.h"

#include <cmath>

#include "almanac/solar_term_names.h"
#include "almanac/sun_position.h"
#include "calendar/gregorian.h"

namespace almanac {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kChinaStandardTimeOffsetDays = 8.0 / 24.0;
// The Sun's mean motion in longitude, radians per day.
constexpr double kMeanMotion = 2 * kPi / 365.2422;

// Angle difference wrapped into (-pi, pi].
double Wrapped(double radians) {
    double r = std::fmod(radians, 2 * kPi);
    if (r <= -kPi) r += 2 * kPi;
    if (r > kPi) r -= 2 * kPi;
    return r;
}

// Newton's method on the apparent longitude. The true motion differs from the
// mean by a few percent, so each step gains well over a decimal digit; a
// millionth of a day is a tenth of a second.
double SolveForLongitude(double targetRadians, double jdeGuess) {
    double jde = jdeGuess;
    for (int i = 0; i < 20; ++i) {
        const double step = Wrapped(targetRadians - ApparentSolarLongitude(jde)) / kMeanMotion;
        jde += step;
        if (std::fabs(step) < 1e-6) break;
    }
    return jde;
}

}  // namespace

SolarTermInstant ComputeSolarTerm(int gregorianYear, int index) {
    const double target = SolarTermLongitude(index) * kPi / 180.0;
    // Start from the day on which the mean Sun reaches the longitude; the
    // true Sun is never more than two and a half days away from it.
    const double yearStart = kJulianDayOfSerialZero + static_cast<double>(SerialFromCivil(gregorianYear, 1, 1));
    const double meanLongitudeAtStart = (280.46646 + 0.98564736 * (yearStart - kJ2000)) * kPi / 180.0;
    double ahead = std::fmod(target - meanLongitudeAtStart, 2 * kPi);
    if (ahead < 0) ahead += 2 * kPi;
    const double jde = SolveForLongitude(target, yearStart + ahead / kMeanMotion);

    SolarTermInstant term;
    term.index = index;
    term.julianDay = UniversalFromTerrestrial(jde);
    const double local = term.julianDay + kChinaStandardTimeOffsetDays - kJulianDayOfSerialZero;
    term.serial = static_cast<std::int64_t>(std::floor(local));
    const CivilDate date = CivilFromSerial(term.serial);
    term.year = date.year;
    term.month = date.month;
    term.day = date.day;
    const auto seconds = static_cast<int>(std::floor((local - std::floor(local)) * 86400.0));
    term.hour = seconds / 3600;
    term.minute = seconds / 60 % 60;
    term.second = seconds % 60;
    return term;
}

std::vector<SolarTermInstant> ComputeSolarTerms(int firstYear, int lastYear) {
    std::vector<SolarTermInstant> terms;
    for (int year = firstYear; year <= lastYear; ++year) {
        // Calendar order within a Gregorian year: 小寒, 大寒, then 立春 ... 冬至.
        for (int k = 0; k < kSolarTermCount; ++k) terms.push_back(ComputeSolarTerm(year, (k + 22) % kSolarTermCount));
    }
    return terms;
}

}  // namespace almanac
