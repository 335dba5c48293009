#include "almanac/solar_terms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "almanac/day_facts.h"
#include "almanac/solar_term_names.h"
#include "almanac/sun_position.h"
#include "calendar/gregorian.h"

namespace almanac {
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

std::string Minute(const SolarTermInstant& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return buffer;
}

TEST(SunPosition, EarthSeriesMatchTheWorkedExampleOf13October1992) {
    // The textbook example (1992 October 13.0 TD) of the truncated series.
    const double jde = 2448908.5;
    EXPECT_NEAR(EarthHeliocentricLongitude(jde) * kDegreesPerRadian, 19.907372, 2e-6);
    EXPECT_NEAR(EarthSunDistance(jde), 0.99760775, 2e-8);
}

TEST(SunPosition, ApparentLongitudeIsNearTheGeometricOneMinusAberration) {
    const double jde = 2448908.5;
    const double apparent = ApparentSolarLongitude(jde) * kDegreesPerRadian;
    // 199.907372 geometric, about -0.0057 aberration, -0.004 nutation that day.
    EXPECT_NEAR(apparent, 199.9060, 0.0015);
}

TEST(SolarTerms, PublishedInstantsAgreeToTheMinute) {
    EXPECT_EQ(Minute(ComputeSolarTerm(2013, SolarTermIndex("立春"))), "2013-02-04 00:13");
    EXPECT_EQ(Minute(ComputeSolarTerm(2023, SolarTermIndex("冬至"))), "2023-12-22 11:27");
    EXPECT_EQ(Minute(ComputeSolarTerm(2024, SolarTermIndex("春分"))), "2024-03-20 11:06");
    EXPECT_EQ(Minute(ComputeSolarTerm(2023, SolarTermIndex("夏至"))), "2023-06-21 22:57");
    EXPECT_EQ(Minute(ComputeSolarTerm(2022, SolarTermIndex("秋分"))), "2022-09-23 09:03");
    EXPECT_EQ(Minute(ComputeSolarTerm(2020, SolarTermIndex("冬至"))), "2020-12-21 18:02");
}

TEST(SolarTerms, JanuaryTermsBelongToTheYearTheyFallIn) {
    const SolarTermInstant xiaohan = ComputeSolarTerm(2013, SolarTermIndex("小寒"));
    EXPECT_EQ(xiaohan.year, 2013);
    EXPECT_EQ(xiaohan.month, 1);
    EXPECT_EQ(xiaohan.day, 5);
}

TEST(SolarTerms, EveryGregorianMonthOf1901To2099HoldsTwoTermsInTheirOrder) {
    const AlmanacCalendar calendar(1901, 2099);
    int count = 0;
    int expectedIndex = SolarTermIndex("小寒");
    for (int year = 1901; year <= 2099; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const auto terms = calendar.TermsInMonth(year, month);
            ASSERT_EQ(terms.size(), 2u) << year << "-" << month;
            for (const auto& t : terms) {
                EXPECT_EQ(t.index, expectedIndex) << year << "-" << month;
                expectedIndex = (expectedIndex + 1) % kSolarTermCount;
                ++count;
            }
            // 节 in the first half of the month, 中气 in the second.
            EXPECT_LE(terms[0].day, 9);
            EXPECT_GE(terms[1].day, 18);
        }
    }
    EXPECT_EQ(count, 4776);
}

TEST(SolarTerms, InstantsAreAboutFifteenDaysApart) {
    const auto terms = ComputeSolarTerms(1901, 2099);
    for (size_t i = 1; i < terms.size(); ++i) {
        const double gap = terms[i].julianDay - terms[i - 1].julianDay;
        ASSERT_GT(gap, 14.7) << Minute(terms[i]);
        ASSERT_LT(gap, 15.8) << Minute(terms[i]);
    }
}

}  // namespace
}  // namespace almanac
