#include "festivals/festival_matching.h"

#include <cstdint>
#include <tuple>

#include "almanac/solar_term_lookup.h"

namespace {

// ⌈k / 7⌉ for the day counts 1-31 that occur here.
long long WeeksCovering(long long days) { return (days + 6) / 7; }

bool FallsOnMsd(const MsdRule& rule, const Date& date) {
    if (date.month() != rule.month || date.weekday() != rule.weekday) return false;
    if (rule.n >= 0) return WeeksCovering(date.day()) == rule.n;
    const long long daysToMonthEnd = DaysInMonth(date.year(), date.month()) - date.day() + 1;
    return WeeksCovering(daysToMonthEnd) == -static_cast<long long>(rule.n);
}

// The day n days before the date tested, when it is a date of years 1-9999:
// a hand-made file may hold any n, and no calendar reaches beyond them.
std::optional<Date> DaysBefore(const Date& date, int n) {
    return Date::FromSerial(date.serial() - static_cast<std::int64_t>(n));
}

bool FallsOnOffset(const FestivalRule& rule, const OffsetRule& offset, const Date& date) {
    const std::optional<Date> base = DaysBefore(date, offset.n);
    if (!base) return false;
    if (rule.calendar == kGregorianCalendar) return base->month() == offset.month && base->day() == offset.day;
    if (rule.calendar == kLunarCalendar) {
        return IsYearlyLunarDay(SolarToLunar(*base), offset.month, offset.day);
    }
    return false;
}

bool FallsOnSolarTermOffset(const SolarTermOffsetRule& offset, const Date& date, SolarTermLookup* solarTerms) {
    if (!solarTerms) return false;
    const std::optional<Date> base = DaysBefore(date, offset.n);
    return base && solarTerms->SolarTermOn(*base) == offset.term;
}

bool FallsOnFixedDate(const FestivalRule& rule, const FixedDateRule& fixed, const FestivalDate& day) {
    // A Gregorian year has no leap months.
    if (rule.calendar == kGregorianCalendar) {
        return !fixed.leapMonth && day.date.month() == fixed.month && day.date.day() == fixed.day;
    }
    if (rule.calendar == kLunarCalendar) return IsYearlyLunarDay(day.lunar, fixed.month, fixed.day, fixed.leapMonth);
    return false;
}

bool FallsOn(const FestivalRule& rule, const FestivalDate& day, SolarTermLookup* solarTerms) {
    // Markers are recognised whatever their case; the fixed date reads the
    // text as stored (it has no letters to upper-case).
    const std::string code = UpperCaseAscii(rule.dateRule);
    MsdRule msd;
    if (ReadMsdRule(code, msd) && FallsOnMsd(msd, day.date)) return true;
    OffsetRule offset;
    if (ReadOffsetRule(code, offset) && FallsOnOffset(rule, offset, day.date)) return true;
    SolarTermOffsetRule termOffset;
    if (ReadSolarTermOffsetRule(code, termOffset) && FallsOnSolarTermOffset(termOffset, day.date, solarTerms)) {
        return true;
    }
    FixedDateRule fixed;
    return ReadFixedDateRule(rule.dateRule, fixed) && FallsOnFixedDate(rule, fixed, day);
}

// The end date is compared as the three numbers it holds, so that one that
// names no real day ("2015-2-30") still ends the rule where it reads.
bool IsAfterEndDate(const FestivalRule& rule, const Date& date) {
    int year = 0, month = 0, day = 0;
    if (!ReadYearMonthDay(rule.endDate, year, month, day)) return false;
    return std::make_tuple(date.year(), date.month(), date.day()) > std::make_tuple(year, month, day);
}

}  // namespace

FestivalDate MakeFestivalDate(const Date& date) { return FestivalDate{date, SolarToLunar(date)}; }

std::string FestivalSuffix(const FestivalRule& rule, int year) {
    if (rule.startYear.empty()) return std::string();
    const long long start = LeadingInteger(rule.startYear);
    if (start < 1) return std::string();
    const long long years = year - start;
    if (rule.kind == kBirthdayKind) return "（" + std::to_string(years) + "周岁）";
    if (rule.kind == kAnniversaryKind) return "（" + std::to_string(years) + "周年）";
    if (rule.kind == kFestivalKind) return "（第" + std::to_string(years + 1) + "个）";
    return std::string();
}

FestivalList MatchFestivals(const FestivalList& list, const FestivalDate& day, SolarTermLookup* solarTerms) {
    FestivalList matched;
    for (const FestivalRule& rule : list) {
        if (!IsSwitchedOn(rule)) continue;
        if (!rule.startYear.empty() && day.date.year() < LeadingInteger(rule.startYear)) continue;
        if (IsAfterEndDate(rule, day.date)) continue;
        if (!FallsOn(rule, day, solarTerms)) continue;
        matched.push_back(rule);
        matched.back().suffix = FestivalSuffix(rule, day.date.year());
    }
    return matched;
}
