// The one almanac fact festival matching needs: the name of the solar term
// that falls on a Gregorian date. The almanac database answers it; tests use
// small fakes.
#pragma once

#include <string>
#include <vector>

#include "calendar/date.h"

// A solar term and the date it falls on.
struct DatedSolarTerm {
    Date date;
    std::string name;
};

class SolarTermLookup {
public:
    virtual ~SolarTermLookup() = default;
    // GBK name such as 冬至, stripped of surrounding spaces; empty when no term
    // falls on the date or the almanac cannot say.
    virtual std::string SolarTermOn(const Date& date) = 0;
    // Every date of a Gregorian year whose SolarTermOn is not empty, in date
    // order, with that same name. By default the dates are asked one by one;
    // the almanac reads the year at once.
    virtual std::vector<DatedSolarTerm> SolarTermsOfYear(int year);
};
