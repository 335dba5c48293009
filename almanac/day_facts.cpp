#include "almanac/day_facts.h"

#include <algorithm>

#include "calendar/gregorian.h"

namespace almanac {

AlmanacCalendar::AlmanacCalendar(int firstYear, int lastYear)
    : firstYear_(firstYear), lastYear_(lastYear), terms_(ComputeSolarTerms(firstYear - 1, lastYear + 1)) {}

size_t AlmanacCalendar::LatestTermOnOrBefore(std::int64_t serial) const {
    const auto after = std::upper_bound(terms_.begin(), terms_.end(), serial,
                                        [](std::int64_t s, const SolarTermInstant& t) { return s < t.serial; });
    return static_cast<size_t>(after - terms_.begin()) - 1;
}

DayFacts AlmanacCalendar::FactsOf(int year, int month, int day) const {
    DayFacts f;
    f.year = year;
    f.month = month;
    f.day = day;
    f.serial = SerialFromCivil(year, month, day);
    f.lunar = SolarToLunar(Date::FromSerial(f.serial).value());

    const size_t latest = LatestTermOnOrBefore(f.serial);
    const SolarTermInstant& previous = terms_[latest];
    const SolarTermInstant& next = terms_[latest + 1];
    f.previousTerm = previous.index;
    f.daysSincePreviousTerm = static_cast<int>(f.serial - previous.serial);
    f.termToday = f.daysSincePreviousTerm == 0 ? previous.index : -1;
    f.nextTerm = next.index;
    f.daysUntilNextTerm = static_cast<int>(next.serial - f.serial);

    // The month runs from the latest 节 (even-numbered term) on or before the day.
    const SolarTermInstant& jie = previous.index % 2 == 0 ? previous : terms_[latest - 1];
    f.monthJie = jie.index / 2;
    // The almanac year is the one whose 立春 has come: 小寒 and 大寒 belong to
    // the year before the Gregorian year in which they fall.
    f.almanacYear = jie.index >= 22 ? jie.year - 1 : jie.year;
    f.yearGanZhi = YearGanZhi(f.almanacYear);
    f.monthGanZhi = MonthGanZhi(f.almanacYear, f.monthJie);
    f.dayGanZhi = DayGanZhi(f.serial);
    f.jianChu = JianChuIndex(f.dayGanZhi.branch, f.monthGanZhi.branch);
    return f;
}

std::vector<SolarTermInstant> AlmanacCalendar::TermsInMonth(int year, int month) const {
    const std::int64_t first = SerialFromCivil(year, month, 1);
    const std::int64_t last = first + DaysInMonth(year, month) - 1;
    auto t = std::lower_bound(terms_.begin(), terms_.end(), first,
                              [](const SolarTermInstant& term, std::int64_t s) { return term.serial < s; });
    std::vector<SolarTermInstant> found;
    for (; t != terms_.end() && t->serial <= last; ++t) found.push_back(*t);
    return found;
}

const SolarTermInstant& AlmanacCalendar::Term(int year, int index) const {
    const size_t position = static_cast<size_t>(year - (firstYear_ - 1)) * 24 + static_cast<size_t>((index + 2) % 24);
    return terms_[position];
}

}  // namespace almanac
