// A solar-term source for tests: the terms it is told, and a record of what
// it was asked.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "almanac/solar_term_lookup.h"

class FakeSolarTerms : public SolarTermLookup {
public:
    FakeSolarTerms& Add(int year, int month, int day, const std::string& term) {
        terms_[std::make_tuple(year, month, day)] = term;
        return *this;
    }

    std::string SolarTermOn(int year, int month, int day) override {
        ++queries;
        const auto found = terms_.find(std::make_tuple(year, month, day));
        return found == terms_.end() ? std::string() : found->second;
    }

    int queries = 0;

private:
    std::map<std::tuple<int, int, int>, std::string> terms_;
};
