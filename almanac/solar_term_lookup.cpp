#include "almanac/solar_term_lookup.h"

std::vector<DatedSolarTerm> SolarTermLookup::SolarTermsOfYear(int year) {
    std::vector<DatedSolarTerm> terms;
    const std::optional<Date> first = Date::FromCivil(year, 1, 1), last = Date::FromCivil(year, 12, 31);
    if (!first || !last) return terms;
    for (const Date date : DateRange(*first, *last)) {
        std::string name = SolarTermOn(date);
        if (!name.empty()) terms.push_back({date, std::move(name)});
    }
    return terms;
}
