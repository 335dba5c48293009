// A solar-term source for tests: the terms it is told, and a record of what
// it was asked.
#pragma once

#include <map>
#include <string>

#include "almanac/solar_term_lookup.h"
#include "tests/support/dates.h"

class FakeSolarTerms : public SolarTermLookup {
public:
    FakeSolarTerms& Add(int year, int month, int day, const std::string& term) {
        terms_[D(year, month, day)] = term;
        return *this;
    }

    std::string SolarTermOn(const Date& date) override {
        ++queries;
        const auto found = terms_.find(date);
        return found == terms_.end() ? std::string() : found->second;
    }

    int queries = 0;

private:
    std::map<Date, std::string> terms_;
};
