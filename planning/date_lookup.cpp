#include "planning/date_lookup.h"

#include <cstdio>
#include <cstdlib>

#include "calendar/calendar_texts.h"

std::vector<LunarMonthChoice> LunarMonthChoices(int lunarYear) {
    std::vector<LunarMonthChoice> choices;
    for (int month = 1; month <= 12; ++month) {
        for (const bool leap : {false, true}) {
            const int days = LunarMonthDays(lunarYear, month, leap);
            if (days == 0) continue;
            choices.push_back({month, leap, days, (leap ? "闰" : "") + LunarMonthName(month) + "月"});
        }
    }
    return choices;
}

std::vector<LunarYearDate> NextLunarDates(int month, int day, const Date& from, int years) {
    std::vector<LunarYearDate> found;
    // The lunar year `from` lies in may have its date still ahead; the year
    // before cannot, as a lunar year ends within the Gregorian year after.
    int year = SolarToLunar(from).year;
    const auto dateIn = [&](int lunarYear) { return DateOfLunar(LunarDate{lunarYear, month, day, 0}); };
    // A year whose month is a day short counts as passed once its last day has.
    const auto passed = [&](int lunarYear) {
        const std::optional<Date> date = dateIn(lunarYear);
        if (date) return *date < from;
        const std::optional<Date> last = DateOfLunar(LunarDate{lunarYear, month, day - 1, 0});
        return !last || *last < from;
    };
    if (passed(year)) ++year;
    for (; static_cast<int>(found.size()) < years && year <= kLastLunarYear; ++year) {
        found.push_back({year, dateIn(year)});
    }
    return found;
}

std::string LunarYearDateText(const LunarYearDate& found, int month, int day) {
    char year[16];
    std::snprintf(year, sizeof year, "%d年：", found.lunarYear);
    if (!found.date) return year + std::string("该年") + LunarMonthName(month) + "月没有" + LunarDayName(day);
    return year + SolarDateText(*found.date) + " 星期" + WeekdayName(found.date->weekday());
}

std::string DaysBetweenText(const Date& a, const Date& b) {
    const long long days = std::llabs(static_cast<long long>(b - a));
    if (days == 0) return "同一天";
    char text[32];
    std::snprintf(text, sizeof text, "相隔%lld天", days);
    return text;
}
