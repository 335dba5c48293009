#include "holidays/statutory_holidays.h"

#include <algorithm>
#include <optional>
#include <string>

#include "almanac/solar_term_lookup.h"
#include "calendar/lunar_calendar.h"

namespace {

struct Holiday {
    std::string name;
    Date first;
    Date last;
};

void AddDays(std::vector<Holiday>& holidays, const char* name, std::optional<Date> first, int days) {
    if (first) holidays.push_back(Holiday{name, *first, *first + (days - 1)});
}

// 清明 falls on 4, 5 or 6 April in every year of the calendar; three dates
// are asked rather than the whole year.
std::optional<Date> QingmingDay(int year, SolarTermLookup* solarTerms) {
    if (!solarTerms) return std::nullopt;
    for (int day = 4; day <= 6; ++day) {
        const std::optional<Date> date = Date::FromCivil(year, 4, day);
        if (date && solarTerms->SolarTermOn(*date) == "清明") return date;
    }
    return std::nullopt;
}

// Holidays that share a day become one, under the names of both in the order
// of their first days; holidays that only touch stay apart.
std::vector<Holiday> Merged(std::vector<Holiday> holidays) {
    std::stable_sort(holidays.begin(), holidays.end(),
                     [](const Holiday& a, const Holiday& b) { return a.first < b.first; });
    std::vector<Holiday> merged;
    for (Holiday& holiday : holidays) {
        if (!merged.empty() && holiday.first <= merged.back().last) {
            merged.back().name += "、" + holiday.name;
            merged.back().last = std::max(merged.back().last, holiday.last);
            continue;
        }
        merged.push_back(std::move(holiday));
    }
    return merged;
}

}  // namespace

std::vector<OffDay> StatutoryOffDays(int year, SolarTermLookup* solarTerms) {
    std::vector<OffDay> days;
    if (year < kFirstStatutoryYear || year > kLastLunarYear) return days;
    std::vector<Holiday> holidays;
    AddDays(holidays, "元旦", Date::FromCivil(year, 1, 1), 1);
    // 除夕 is the day before 正月初一, whether the twelfth month has 29 or 30 days.
    if (const std::optional<Date> newYear = LunarToSolar(year, 1, 1)) AddDays(holidays, "春节", *newYear - 1, 4);
    AddDays(holidays, "清明节", QingmingDay(year, solarTerms), 1);
    AddDays(holidays, "劳动节", Date::FromCivil(year, 5, 1), 2);
    AddDays(holidays, "端午节", LunarToSolar(year, 5, 5), 1);
    AddDays(holidays, "中秋节", LunarToSolar(year, 8, 15), 1);
    AddDays(holidays, "国庆节", Date::FromCivil(year, 10, 1), 3);
    for (const Holiday& holiday : Merged(std::move(holidays))) {
        for (const Date date : DateRange(holiday.first, holiday.last)) {
            days.push_back(OffDay{date, OffDayKind::kOff, holiday.name, true});
        }
    }
    return days;
}

std::vector<int> YearsAwaitingSchedule(const HolidaySchedule& published) {
    const std::vector<int> covered = published.CoveredYears();
    std::vector<int> years;
    for (int year = kFirstStatutoryYear; year <= kLastLunarYear; ++year) {
        if (!std::binary_search(covered.begin(), covered.end(), year)) years.push_back(year);
    }
    return years;
}

HolidaySchedule WithStatutoryDays(const HolidaySchedule& published, SolarTermLookup* solarTerms) {
    HolidaySchedule schedule = published;
    for (const int year : YearsAwaitingSchedule(published)) {
        schedule.MarkStatutoryOnly(year);
        for (const OffDay& day : StatutoryOffDays(year, solarTerms)) {
            if (!published.Find(day.date)) schedule.Set(day);
        }
    }
    return schedule;
}
