#include "calendar/date_readings.h"

#include <optional>
#include <vector>

#include "calendar/calendar_texts.h"
#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "calendar/sexagenary_cycle.h"

std::string LunarYearGanZhiName(int lunarYear) {
    // 1984 (and every 60th year from it) is 甲子.
    return GanZhiName(FromCycleIndex(lunarYear - 1984));
}

std::string OtherCalendarText(bool lunar, int year, int month, int day) {
    if (year < kFirstLunarYear || year > kLastLunarYear) return "";
    if (lunar) {
        const std::optional<Date> solar = LunarToSolar(year, month, day);
        return solar ? "即阳历" + SolarDateText(*solar) : "没有这一天";
    }
    const std::optional<Date> date = Date::FromCivil(year, month, day);
    return date ? "即旧历" + LunarMonthDayText(SolarToLunar(*date)) : "没有这一天";
}

std::string LeapMonthDayText(int year, int month, int day) {
    if (year < kFirstLunarYear || year > kLastLunarYear) return "";
    if (LunarMonthDays(year, month, true) == 0) return std::to_string(year) + "年没有闰" + LunarMonthName(month) + "月";
    const std::optional<Date> solar = DateOfLunar(LunarDate{year, month, day, 1});
    return solar ? "即阳历" + SolarDateText(*solar) : "没有这一天";
}

std::string LeapMonthYearsText(int month, int day, int fromYear) {
    const std::string leap = "闰" + LunarMonthName(month) + "月";
    const std::string regular = LunarMonthName(month) + "月" + LunarDayName(day);
    const std::vector<int> years = YearsWithLeapMonth(month, fromYear, kLastLunarYear);
    if (years.empty()) return std::to_string(kLastLunarYear) + "年前不再有" + leap + "，每年在" + regular;
    constexpr std::size_t kNamed = 3;
    std::string text = "逢" + leap + "：";
    for (std::size_t i = 0; i < years.size() && i < kNamed; ++i) text += (i ? "、" : "") + std::to_string(years[i]);
    text += years.size() > kNamed ? "年…" : "年";
    return text + "\n其余年份在" + regular;
}
