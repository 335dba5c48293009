// Which festival rules fall on a Gregorian date, with their age or
// anniversary texts.
#pragma once

#include "festivals/festival_rule.h"

class SolarTermLookup;

// The date tested, with the values its callers already hold for it.
struct FestivalDate {
    int year = 0;
    int month = 0;       // 1-12
    int day = 0;         // 1-31
    int lunarMonth = 0;  // from SolarToLunar; a leap month carries its number
    int lunarDay = 0;
    int weekday = 0;     // 1 Monday ... 7 Sunday
};

// Fills the lunar and weekday values of a Gregorian date.
FestivalDate MakeFestivalDate(int year, int month, int day);

// A copy of every rule of the list that falls on the date, in list order, each
// with its suffix set (（33周岁）, （5周年）, （第34个） or empty). Rules
// switched off ("0"), before their start year or after their end date leave no
// trace. solarTerms answers the OFFSETJQ rules; without it (no almanac) they
// match nothing.
FestivalList MatchFestivals(const FestivalList& list, const FestivalDate& date, SolarTermLookup* solarTerms);

// The suffix a rule that falls in the given Gregorian year carries, "" when
// its start year is empty or below 1 or its kind has no count.
std::string FestivalSuffix(const FestivalRule& rule, int year);
