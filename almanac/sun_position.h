// Where the Sun stands as seen from the Earth: enough astronomy to find the
// solar terms to well under a minute for 1900-2100.
//
// Times are Julian days. "JDE" is Terrestrial (dynamical) Time, the uniform
// time of the planetary theory; "JD" is Universal Time, civil time's base.
#pragma once

namespace almanac {

constexpr double kJ2000 = 2451545.0;                  // 2000-01-01 12:00 TT
constexpr double kJulianDayOfSerialZero = 2440587.5;  // 1970-01-01 00:00

// The Sun's apparent geocentric ecliptic longitude, in radians [0, 2pi),
// referred to the true equinox of the date: heliocentric Earth from a
// truncated VSOP87 series, turned round to the Sun, corrected to the FK5
// frame, for nutation in longitude and for aberration.
double ApparentSolarLongitude(double jde);

// Parts of the above, exposed for their own tests.
double EarthHeliocentricLongitude(double jde);  // radians, mean ecliptic of date
double EarthSunDistance(double jde);            // astronomical units
double NutationInLongitude(double jde);         // radians

// TT - UT in seconds for a decimal year (polynomials of Espenak and Meeus,
// fitted to the observed values of the 20th century and to the expected
// trend of the 21st).
double DeltaTSeconds(double decimalYear);

// Universal-time Julian day of an instant given in terrestrial time, and back.
double UniversalFromTerrestrial(double jde);
double TerrestrialFromUniversal(double jd);

}  // namespace almanac
