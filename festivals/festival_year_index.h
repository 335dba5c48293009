// The festival rules resolved once per Gregorian year into the dates they fall
// on. A month and its forenotice horizon ask a few hundred dates; testing
// every rule on every one of them costs far more than placing each rule once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "calendar/date.h"
#include "festivals/festival_rule.h"

class SolarTermLookup;

class FestivalYearIndex {
public:
    // Places every rule of the list in the year. solarTerms answers the rules
    // counted from a solar term, one SolarTermsOfYear per year they reach
    // back to; without it they fall nowhere.
    FestivalYearIndex(const FestivalList& list, int year, SolarTermLookup* solarTerms);

    int year() const { return year_; }

    // What MatchFestivals gives for a date of the year (none for another
    // year's): copies of the rules in list order with their suffixes. list
    // must be the list indexed.
    FestivalList Match(const FestivalList& list, const Date& date) const;

private:
    int year_;
    std::int64_t firstSerial_;
    std::vector<std::vector<std::uint32_t>> rulesOn_;  // by day of the year: rule positions, ascending
    std::vector<std::string> suffixes_;                // by rule position
};

// The indexes of the last years asked, for one list and one solar-term
// source. The list is indexed again when it is a different list or its length
// changed, and after Forget: whoever edits or reloads it in place says so.
class FestivalIndexCache {
public:
    FestivalIndexCache();
    ~FestivalIndexCache();

    FestivalList Match(const FestivalList& list, const Date& date, SolarTermLookup* solarTerms);
    void Forget();

private:
    const FestivalList* list_ = nullptr;
    const FestivalRule* rules_ = nullptr;
    std::size_t size_ = 0;
    SolarTermLookup* solarTerms_ = nullptr;
    std::vector<std::unique_ptr<FestivalYearIndex>> years_;  // the most recently used last
};
