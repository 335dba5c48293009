#include "almanac/solar_term_lookup.h"

#include "calendar/gregorian.h"

std::vector<DatedSolarTerm> SolarTermLookup::SolarTermsOfYear(int year) {
    std::vector<DatedSolarTerm> terms;
    const std::int64_t first = SerialFromCivil(year, 1, 1), last = SerialFromCivil(year, 12, 31);
    for (std::int64_t serial = first; serial <= last; ++serial) {
        const CivilDate date = CivilFromSerial(serial);
        std::string name = SolarTermOn(date.year, date.month, date.day);
        if (!name.empty()) terms.push_back({serial, std::move(name)});
    }
    return terms;
}
