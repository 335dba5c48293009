#include "festivals/festival_matching.h"

#include <cstdint>
#include <tuple>

#include "almanac/solar_term_lookup.h"
#include "calendar/gregorian.h"
#include "calendar/lunar_calendar.h"

namespace {

// ⌈k / 7⌉ for the day counts 1-31 that occur here.
long long WeeksCovering(long long days) { return (days + 6) / 7; }

bool FallsOnMsd(const MsdRule& rule, const FestivalDate& date) {
    if (date.month != rule.month || date.weekday != rule.weekday) return false;
    if (rule.n >= 0) return WeeksCovering(date.day) == rule.n;
    const long long daysToMonthEnd = DaysInMonth(date.year, date.month) - date.day + 1;
    return WeeksCovering(daysToMonthEnd) == -static_cast<long long>(rule.n);
}

// The day n days before the date tested. Serial arithmetic keeps any n that a
// hand-made file may hold well defined, however far it reaches.
CivilDate DaysBefore(const FestivalDate& date, int n) {
    return CivilFromSerial(SerialFromCivil(date.year, date.month, date.day) - static_cast<std::int64_t>(n));
}

bool FallsOnOffset(const FestivalRule& rule, const OffsetRule& offset, const FestivalDate& date) {
    const CivilDate base = DaysBefore(date, offset.n);
    if (rule.calendar == kGregorianCalendar) return base.month == offset.month && base.day == offset.day;
    if (rule.calendar == kLunarCalendar) {
        const LunarDate lunar = SolarToLunar(base.year, base.month, base.day);
        return lunar.month == offset.month && lunar.day == offset.day;
    }
    return false;
}

bool FallsOnSolarTermOffset(const SolarTermOffsetRule& offset, const FestivalDate& date, SolarTermLookup* solarTerms) {
    if (!solarTerms) return false;
    const CivilDate base = DaysBefore(date, offset.n);
    if (base.year < 1 || base.year > 9999) return false;  // no almanac reaches there
    return solarTerms->SolarTermOn(base.year, base.month, base.day) == offset.term;
}

bool FallsOnFixedDate(const FestivalRule& rule, const FixedDateRule& fixed, const FestivalDate& date) {
    if (rule.calendar == kGregorianCalendar) return date.month == fixed.month && date.day == fixed.day;
    if (rule.calendar == kLunarCalendar) return date.lunarMonth == fixed.month && date.lunarDay == fixed.day;
    return false;
}

bool FallsOn(const FestivalRule& rule, const FestivalDate& date, SolarTermLookup* solarTerms) {
    // Markers are recognised whatever their case; the fixed date reads the
    // text as stored (it has no letters to upper-case).
    const std::string code = UpperCaseAscii(rule.dateRule);
    MsdRule msd;
    if (ReadMsdRule(code, msd) && FallsOnMsd(msd, date)) return true;
    OffsetRule offset;
    if (ReadOffsetRule(code, offset) && FallsOnOffset(rule, offset, date)) return true;
    SolarTermOffsetRule termOffset;
    if (ReadSolarTermOffsetRule(code, termOffset) && FallsOnSolarTermOffset(termOffset, date, solarTerms)) return true;
    FixedDateRule fixed;
    return ReadFixedDateRule(rule.dateRule, fixed) && FallsOnFixedDate(rule, fixed, date);
}

bool AfterEndDate(const FestivalRule& rule, const FestivalDate& date) {
    int year = 0, month = 0, day = 0;
    if (!ReadYearMonthDay(rule.endDate, year, month, day)) return false;
    return std::tie(date.year, date.month, date.day) > std::tie(year, month, day);
}

}  // namespace

FestivalDate MakeFestivalDate(int year, int month, int day) {
    const LunarDate lunar = SolarToLunar(year, month, day);
    FestivalDate date;
    date.year = year;
    date.month = month;
    date.day = day;
    date.lunarMonth = lunar.month;
    date.lunarDay = lunar.day;
    date.weekday = DayOfWeek(year, month, day);
    return date;
}

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

FestivalList MatchFestivals(const FestivalList& list, const FestivalDate& date, SolarTermLookup* solarTerms) {
    FestivalList matched;
    for (const FestivalRule& rule : list) {
        if (!IsSwitchedOn(rule)) continue;
        if (!rule.startYear.empty() && date.year < LeadingInteger(rule.startYear)) continue;
        if (AfterEndDate(rule, date)) continue;
        if (!FallsOn(rule, date, solarTerms)) continue;
        matched.push_back(rule);
        matched.back().suffix = FestivalSuffix(rule, date.year);
    }
    return matched;
}
