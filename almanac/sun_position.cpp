#include "almanac/sun_position.h"

#include <cmath>

namespace almanac {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
constexpr double kRadiansPerArcsecond = kPi / (180.0 * 3600.0);
constexpr double kRadiansPerDegree = kPi / 180.0;

// One periodic term A cos(B + C tau), tau in Julian millennia from J2000.
// Amplitudes are in units of 1e-8 radian (longitude) or 1e-8 AU (distance).
struct Term {
    double a, b, c;
};

// VSOP87D, Earth, truncated to the terms that matter at the level of a
// fraction of an arcsecond over a few centuries around 2000.
constexpr Term kL0[] = {
    {175347046, 0, 0},
    {3341656, 4.6692568, 6283.0758500},
    {34894, 4.62610, 12566.15170},
    {3497, 2.7441, 5753.3849},
    {3418, 2.8289, 3.5231},
    {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},
    {2343, 6.1352, 3930.2097},
    {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.6910},
    {1199, 1.1096, 1577.3435},
    {990, 5.233, 5884.927},
    {902, 2.045, 26.298},
    {857, 3.508, 398.149},
    {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},
    {505, 4.583, 18849.228},
    {492, 4.205, 775.523},
    {357, 2.920, 0.067},
    {317, 5.849, 11790.629},
    {284, 1.899, 796.298},
    {271, 0.315, 10977.079},
    {243, 0.345, 5486.778},
    {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},
    {202, 2.458, 6069.777},
    {156, 0.833, 213.299},
    {132, 3.411, 2942.463},
    {126, 1.083, 20.775},
    {115, 0.645, 0.980},
    {103, 0.636, 4694.003},
    {102, 0.976, 15720.839},
    {102, 4.267, 7.114},
    {99, 6.21, 2146.17},
    {98, 0.68, 155.42},
    {86, 5.98, 161000.69},
    {85, 1.30, 6275.96},
    {85, 3.67, 71430.70},
    {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},
    {75, 1.76, 5088.63},
    {74, 3.50, 3154.69},
    {74, 4.68, 801.82},
    {70, 0.83, 9437.76},
    {62, 3.98, 8827.39},
    {61, 1.82, 7084.90},
    {57, 2.78, 6286.60},
    {56, 4.39, 14143.50},
    {56, 3.47, 6279.55},
    {52, 0.19, 12139.55},
    {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},
    {49, 0.49, 1194.45},
    {41, 5.37, 8429.24},
    {41, 2.40, 19651.05},
    {39, 6.17, 10447.39},
    {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},
    {36, 1.71, 2352.87},
    {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},
    {30, 0.44, 83996.85},
    {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
};
constexpr Term kL1[] = {
    {628331966747, 0, 0},       {206059, 2.678235, 6283.075850},
    {4303, 2.6351, 12566.1517}, {425, 1.590, 3.523},
    {119, 5.796, 26.298},       {109, 2.966, 1577.344},
    {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},         {67, 4.41, 5507.55},
    {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.40, 796.30},         {36, 0.47, 775.52},
    {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},        {19, 4.97, 213.30},
    {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},        {15, 1.21, 10977.08},
    {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},        {12, 2.08, 4694.00},
    {11, 0.77, 553.57},         {10, 1.30, 6286.60},
    {10, 4.24, 1349.87},        {9, 2.70, 242.73},
    {9, 5.64, 951.72},          {8, 5.30, 2352.87},
    {6, 2.65, 9437.76},         {6, 4.67, 4690.48},
};
constexpr Term kL2[] = {
    {52919, 0, 0},      {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},   {16, 5.19, 26.30},
    {16, 3.68, 155.42}, {10, 0.76, 18849.23},      {9, 2.06, 77713.77},     {7, 0.83, 775.52},  {5, 4.66, 1577.34},
    {4, 1.03, 7.11},    {4, 3.44, 5573.14},        {3, 5.14, 796.30},       {3, 6.05, 5507.55}, {3, 1.19, 242.73},
    {3, 6.12, 529.69},  {3, 0.31, 398.15},         {3, 2.28, 553.57},       {2, 4.38, 5223.69}, {2, 3.75, 0.98},
};
constexpr Term kL3[] = {
    {289, 5.844, 6283.076}, {35, 0, 0},          {17, 5.49, 12566.15}, {3, 5.20, 155.42},
    {1, 4.72, 3.52},        {1, 5.30, 18849.23}, {1, 5.97, 242.73},
};
constexpr Term kL4[] = {{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}};
constexpr Term kL5[] = {{1, 3.14, 0}};

constexpr Term kR0[] = {
    {100013989, 0, 0},
    {1670700, 3.0984635, 6283.0758500},
    {13956, 3.05525, 12566.15170},
    {3084, 5.1985, 77713.7715},
    {1628, 1.1739, 5753.3849},
    {1576, 2.8469, 7860.4194},
    {925, 5.453, 11506.770},
    {542, 4.564, 3930.210},
    {472, 3.661, 5884.927},
    {346, 0.964, 5507.553},
    {329, 5.900, 5223.694},
    {307, 0.299, 5573.143},
    {243, 4.273, 11790.629},
    {212, 5.847, 1577.344},
    {186, 5.022, 10977.079},
    {175, 3.012, 18849.228},
    {110, 5.055, 5486.778},
    {98, 0.89, 6069.78},
    {86, 5.69, 15720.84},
    {86, 1.27, 161000.69},
    {65, 0.27, 17260.15},
    {63, 0.92, 529.69},
    {57, 2.01, 83996.85},
    {56, 5.24, 71430.70},
    {49, 3.25, 2544.31},
    {47, 2.58, 775.52},
    {45, 5.54, 9437.76},
    {43, 6.01, 6275.96},
    {39, 5.36, 4694.00},
    {38, 2.39, 8827.39},
    {37, 0.83, 19651.05},
    {37, 4.90, 12139.55},
    {36, 1.67, 12036.46},
    {35, 1.84, 2942.46},
    {33, 0.24, 7084.90},
    {32, 0.18, 5088.63},
    {32, 1.78, 398.15},
    {28, 1.21, 6286.60},
    {28, 1.90, 6279.55},
    {26, 4.59, 10447.39},
};
constexpr Term kR1[] = {
    {103019, 1.107490, 6283.075850},
    {1721, 1.0644, 12566.1517},
    {702, 3.142, 0},
    {32, 1.02, 18849.23},
    {31, 2.84, 5507.55},
    {25, 1.32, 5223.69},
    {18, 1.42, 1577.34},
    {10, 5.91, 10977.08},
    {9, 1.42, 6275.96},
    {9, 0.27, 5486.78},
};
constexpr Term kR2[] = {
    {4359, 5.7846, 6283.0758}, {124, 5.579, 12566.152}, {12, 3.14, 0},
    {9, 3.63, 77713.77},       {6, 1.87, 5573.14},      {3, 5.47, 18849.23},
};
constexpr Term kR3[] = {{145, 4.273, 6283.076}, {7, 3.92, 12566.15}};
constexpr Term kR4[] = {{4, 2.56, 6283.08}};

template <size_t N>
double SumSeries(const Term (&terms)[N], double tau) {
    double sum = 0;
    for (const Term& t : terms) sum += t.a * std::cos(t.b + t.c * tau);
    return sum;
}

double Millennia(double jde) { return (jde - kJ2000) / 365250.0; }

double Normalized(double radians) {
    double r = std::fmod(radians, kTwoPi);
    return r < 0 ? r + kTwoPi : r;
}

}  // namespace

double EarthHeliocentricLongitude(double jde) {
    const double tau = Millennia(jde);
    // Horner form of L0 + L1 tau + L2 tau^2 + ... + L5 tau^5.
    const double l =
        ((((SumSeries(kL5, tau) * tau + SumSeries(kL4, tau)) * tau + SumSeries(kL3, tau)) * tau + SumSeries(kL2, tau)) *
             tau +
         SumSeries(kL1, tau)) *
            tau +
        SumSeries(kL0, tau);
    return Normalized(l * 1e-8);
}

double EarthSunDistance(double jde) {
    const double tau = Millennia(jde);
    const double r =
        (((SumSeries(kR4, tau) * tau + SumSeries(kR3, tau)) * tau + SumSeries(kR2, tau)) * tau + SumSeries(kR1, tau)) *
            tau +
        SumSeries(kR0, tau);
    return r * 1e-8;
}

// The four largest terms of the IAU 1980 series, good to about half an
// arcsecond, which is some twelve seconds of the Sun's motion.
double NutationInLongitude(double jde) {
    const double t = (jde - kJ2000) / 36525.0;
    const double moonNode =
        (125.04452 - 1934.136261 * t + 0.0020708 * t * t + t * t * t / 450000.0) * kRadiansPerDegree;
    const double sunMean = (280.4665 + 36000.7698 * t) * kRadiansPerDegree;
    const double moonMean = (218.3165 + 481267.8813 * t) * kRadiansPerDegree;
    const double arcseconds = -17.20 * std::sin(moonNode) - 1.32 * std::sin(2 * sunMean) -
                              0.23 * std::sin(2 * moonMean) + 0.21 * std::sin(2 * moonNode);
    return arcseconds * kRadiansPerArcsecond;
}

double ApparentSolarLongitude(double jde) {
    const double geometric = EarthHeliocentricLongitude(jde) + kPi;
    const double fk5 = -0.09033 * kRadiansPerArcsecond;
    const double aberration = -20.4898 * kRadiansPerArcsecond / EarthSunDistance(jde);
    return Normalized(geometric + fk5 + NutationInLongitude(jde) + aberration);
}

double DeltaTSeconds(double y) {
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * t * t * t * t;
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * t * t * t * t +
               0.00002373599 * t * t * t * t * t;
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

namespace {

double DecimalYear(double jd) { return 2000.0 + (jd - kJ2000) / 365.25; }

}  // namespace

double UniversalFromTerrestrial(double jde) {
    // Delta T changes by well under a second a day, so evaluating it at the
    // terrestrial instant instead of the universal one changes nothing.
    return jde - DeltaTSeconds(DecimalYear(jde)) / 86400.0;
}

double TerrestrialFromUniversal(double jd) { return jd + DeltaTSeconds(DecimalYear(jd)) / 86400.0; }

}  // namespace almanac
