// The one almanac fact festival matching needs: the name of the solar term
// that falls on a Gregorian date. The almanac database answers it; tests use
// small fakes.
#pragma once

#include <string>

class SolarTermLookup {
public:
    virtual ~SolarTermLookup() = default;
    // GBK name such as 冬至, stripped of surrounding spaces; empty when no term
    // falls on the date or the almanac cannot say.
    virtual std::string SolarTermOn(int year, int month, int day) = 0;
};
