// Which festival rules fall on a Gregorian date, with their age or
// anniversary texts.
#pragma once

#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_rule.h"

class SolarTermLookup;

// The date tested with its lunar date, which its callers usually hold already.
struct FestivalDate {
    Date date;
    LunarDate lunar;  // from SolarToLunar; a leap month carries its number
};

// The date with its lunar date.
FestivalDate MakeFestivalDate(const Date& date);

// A copy of every rule of the list that falls on the date, in list order, each
// with its suffix set (（33周岁）, （5周年）, （第34个） or empty). Rules
// switched off ("0"), before their start year or after their end date leave no
// trace. Lunar dates fall in their month's regular occurrence only, never in a
// leap month of the same number. solarTerms answers the OFFSETJQ rules; without it (no almanac) they
// match nothing.
FestivalList MatchFestivals(const FestivalList& list, const FestivalDate& date, SolarTermLookup* solarTerms);

// The suffix a rule that falls in the given Gregorian year carries, "" when
// its start year is empty or below 1 or its kind has no count.
std::string FestivalSuffix(const FestivalRule& rule, int year);
