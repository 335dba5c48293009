// Everything the almanac says about one day follows from these facts: the
// cycle names of its year, month and day, its lunar date, and where it stands
// among the solar terms.
#pragma once

#include <cstdint>
#include <vector>

#include "almanac/ganzhi.h"
#include "almanac/solar_terms.h"
#include "calendar/lunar_calendar.h"

namespace almanac {

struct DayFacts {
    int year = 0, month = 0, day = 0;  // Gregorian
    std::int64_t serial = 0;
    LunarDate lunar;

    int almanacYear = 0;  // Gregorian year in which the almanac year's 立春 fell
    GanZhi yearGanZhi;    // changes on the day of 立春
    int monthJie = 0;     // month by 节: 0 寅月 (from 立春) ... 11 丑月 (from 小寒)
    GanZhi monthGanZhi;   // changes on the day of each 节
    GanZhi dayGanZhi;
    int jianChu = 0;  // 0 建 ... 11 闭

    // Solar terms around the day, numbered 0 立春 ... 23 大寒.
    int termToday = -1;             // the term whose instant falls on this day, or -1
    int previousTerm = 0;           // the latest term on or before this day
    int daysSincePreviousTerm = 0;  // 0 when it falls on this day
    int nextTerm = 0;               // the first term after this day
    int daysUntilNextTerm = 0;      // 1 when it falls on the next day
};

// The solar terms of a span of years and the facts of any day inside it.
class AlmanacCalendar {
public:
    // Terms are computed for one year either side, so that every day of the
    // span has a term before and after it.
    AlmanacCalendar(int firstYear, int lastYear);

    int FirstYear() const { return firstYear_; }
    int LastYear() const { return lastYear_; }

    // The date must lie within the span.
    DayFacts FactsOf(int year, int month, int day) const;

    // The terms whose instants fall in the Gregorian month, in order.
    std::vector<SolarTermInstant> TermsInMonth(int year, int month) const;

    // The term with that number whose instant falls in the Gregorian year.
    const SolarTermInstant& Term(int year, int index) const;

    const std::vector<SolarTermInstant>& AllTerms() const { return terms_; }

private:
    // Position of the latest term whose day is on or before serial.
    size_t LatestTermOnOrBefore(std::int64_t serial) const;

    int firstYear_;
    int lastYear_;
    std::vector<SolarTermInstant> terms_;  // in order of time
};

}  // namespace almanac
