#include "festivals/festival_year_index.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "almanac/solar_term_lookup.h"
#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_matching.h"

namespace {

// ⌈k / 7⌉ for the day counts 1-31 that occur here.
long long WeeksCovering(long long days) { return (days + 6) / 7; }

// The lunar date of every date of a Gregorian year.
struct LunarYear {
    std::int64_t firstSerial = 0;
    std::vector<LunarDate> dates;
};

// The facts of other years that rules counted from a date reach back to,
// gathered once while one year is indexed.
class YearFacts {
public:
    explicit YearFacts(SolarTermLookup* solarTerms) : solarTerms_(solarTerms) {}

    const LunarYear& Lunar(int year) {
        auto found = lunar_.find(year);
        if (found != lunar_.end()) return found->second;
        LunarYear& table = lunar_[year];
        const std::optional<Date> first = Date::FromCivil(year, 1, 1), last = Date::FromCivil(year, 12, 31);
        if (!first || !last) return table;  // no lunar dates beyond the years of a Date
        table.firstSerial = first->serial();
        for (const Date date : DateRange(*first, *last)) {
            table.dates.push_back(SolarToLunar(date));
        }
        return table;
    }

    const std::vector<DatedSolarTerm>& Terms(int year) {
        auto found = terms_.find(year);
        if (found != terms_.end()) return found->second;
        return terms_[year] = solarTerms_->SolarTermsOfYear(year);
    }

private:
    SolarTermLookup* solarTerms_;
    std::map<int, LunarYear> lunar_;
    std::map<int, std::vector<DatedSolarTerm>> terms_;
};

// Places one rule: every date of the year it falls on gets its position.
class RulePlacer {
public:
    RulePlacer(int year, std::int64_t firstSerial, std::vector<std::vector<std::uint32_t>>& rulesOn)
        : year_(year), first_(firstSerial), last_(SerialFromCivil(year, 12, 31)), rulesOn_(rulesOn) {}

    void Place(const FestivalRule& rule, std::uint32_t position, YearFacts& facts, SolarTermLookup* solarTerms) {
        position_ = position;
        hasEnd_ = ReadYearMonthDay(rule.endDate, endYear_, endMonth_, endDay_);
        // The same codes, read the same way, as MatchFestivals reads them.
        const std::string code = UpperCaseAscii(rule.dateRule);
        MsdRule msd;
        if (ReadMsdRule(code, msd)) PlaceMsd(msd);
        OffsetRule offset;
        if (ReadOffsetRule(code, offset)) PlaceOffset(rule, offset, facts);
        SolarTermOffsetRule termOffset;
        if (solarTerms && ReadSolarTermOffsetRule(code, termOffset)) PlaceSolarTermOffset(termOffset, facts);
        FixedDateRule fixed;
        if (ReadFixedDateRule(rule.dateRule, fixed)) PlaceFixedDate(rule, fixed, facts);
    }

private:
    void Mark(std::int64_t serial) {
        if (serial < first_ || serial > last_) return;
        if (hasEnd_) {
            const CivilDate date = CivilFromSerial(serial);
            if (std::tie(date.year, date.month, date.day) > std::tie(endYear_, endMonth_, endDay_)) return;
        }
        std::vector<std::uint32_t>& rules = rulesOn_[static_cast<std::size_t>(serial - first_)];
        if (rules.empty() || rules.back() != position_) rules.push_back(position_);  // one entry however many forms fit
    }

    void PlaceMsd(const MsdRule& rule) {
        if (rule.month < 1 || rule.month > 12) return;
        const std::optional<YearMonth> month = YearMonth::From(year_, rule.month);
        if (!month) return;
        const int days = month->DayCount();
        for (const Date date : month->Days()) {
            if (date.weekday() != rule.weekday) continue;
            const long long weeks = rule.n >= 0 ? WeeksCovering(date.day()) : WeeksCovering(days - date.day() + 1);
            const long long wanted = rule.n >= 0 ? rule.n : -static_cast<long long>(rule.n);
            if (weeks == wanted) Mark(date.serial());
        }
    }

    // The Gregorian years of the dates n days before the dates of this year.
    std::pair<int, int> BaseYears(int n) const {
        return {CivilFromSerial(first_ - n).year, CivilFromSerial(last_ - n).year};
    }

    void PlaceOffset(const FestivalRule& rule, const OffsetRule& offset, YearFacts& facts) {
        const auto [from, to] = BaseYears(offset.n);
        for (int base = from; base <= to; ++base) {
            if (rule.calendar == kGregorianCalendar) {
                if (const std::optional<Date> date = Date::FromCivil(base, offset.month, offset.day)) {
                    Mark(date->serial() + offset.n);
                }
            } else if (rule.calendar == kLunarCalendar) {
                const LunarYear& lunar = facts.Lunar(base);
                for (std::size_t k = 0; k < lunar.dates.size(); ++k) {
                    if (IsYearlyLunarDay(lunar.dates[k], offset.month, offset.day)) {
                        Mark(lunar.firstSerial + static_cast<std::int64_t>(k) + offset.n);
                    }
                }
            }
        }
    }

    void PlaceSolarTermOffset(const SolarTermOffsetRule& offset, YearFacts& facts) {
        const auto [from, to] = BaseYears(offset.n);
        for (int base = std::max(from, 1); base <= std::min(to, 9999); ++base) {  // no almanac reaches further
            for (const DatedSolarTerm& term : facts.Terms(base)) {
                if (term.name == offset.term) Mark(term.date.serial() + offset.n);
            }
        }
    }

    void PlaceFixedDate(const FestivalRule& rule, const FixedDateRule& fixed, YearFacts& facts) {
        if (rule.calendar == kGregorianCalendar) {
            if (fixed.leapMonth) return;
            if (const std::optional<Date> date = Date::FromCivil(year_, fixed.month, fixed.day)) Mark(date->serial());
        } else if (rule.calendar == kLunarCalendar) {
            const LunarYear& lunar = facts.Lunar(year_);
            for (std::size_t k = 0; k < lunar.dates.size(); ++k) {
                if (IsYearlyLunarDay(lunar.dates[k], fixed.month, fixed.day, fixed.leapMonth)) {
                    Mark(first_ + static_cast<std::int64_t>(k));
                }
            }
        }
    }

    int year_;
    std::int64_t first_, last_;
    std::vector<std::vector<std::uint32_t>>& rulesOn_;
    std::uint32_t position_ = 0;
    bool hasEnd_ = false;
    int endYear_ = 0, endMonth_ = 0, endDay_ = 0;
};

}  // namespace

FestivalYearIndex::FestivalYearIndex(const FestivalList& list, int year, SolarTermLookup* solarTerms)
    : year_(year), firstSerial_(SerialFromCivil(year, 1, 1)) {
    rulesOn_.resize(static_cast<std::size_t>(SerialFromCivil(year, 12, 31) - firstSerial_ + 1));
    suffixes_.resize(list.size());
    YearFacts facts(solarTerms);
    RulePlacer placer(year, firstSerial_, rulesOn_);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const FestivalRule& rule = list[i];
        if (!IsSwitchedOn(rule)) continue;
        if (!rule.startYear.empty() && year < LeadingInteger(rule.startYear)) continue;
        suffixes_[i] = FestivalSuffix(rule, year);
        placer.Place(rule, static_cast<std::uint32_t>(i), facts, solarTerms);
    }
}

FestivalList FestivalYearIndex::Match(const FestivalList& list, const Date& date) const {
    FestivalList matched;
    const std::int64_t at = date.serial() - firstSerial_;
    if (at < 0 || at >= static_cast<std::int64_t>(rulesOn_.size())) return matched;
    const std::vector<std::uint32_t>& rules = rulesOn_[static_cast<std::size_t>(at)];
    matched.reserve(rules.size());
    for (const std::uint32_t position : rules) {
        if (position >= list.size()) break;
        matched.push_back(list[position]);
        matched.back().suffix = suffixes_[position];
    }
    return matched;
}

FestivalIndexCache::FestivalIndexCache() = default;
FestivalIndexCache::~FestivalIndexCache() = default;

void FestivalIndexCache::Forget() { years_.clear(); }

FestivalList FestivalIndexCache::Match(const FestivalList& list, const Date& date, SolarTermLookup* solarTerms) {
    if (&list != list_ || list.data() != rules_ || list.size() != size_ || solarTerms != solarTerms_) {
        Forget();
        list_ = &list;
        rules_ = list.data();
        size_ = list.size();
        solarTerms_ = solarTerms;
    }
    // A month near the turn of the year and its horizon span two years; a
    // third covers paging back and forth across it.
    constexpr std::size_t kYearsKept = 3;
    const int year = date.year();
    auto found =
        std::find_if(years_.begin(), years_.end(), [year](const auto& index) { return index->year() == year; });
    if (found == years_.end()) {
        if (years_.size() >= kYearsKept) years_.erase(years_.begin());
        years_.push_back(std::make_unique<FestivalYearIndex>(list, year, solarTerms));
        found = years_.end() - 1;
    } else if (found != years_.end() - 1) {
        std::rotate(found, found + 1, years_.end());
        found = years_.end() - 1;
    }
    return (*found)->Match(list, date);
}
