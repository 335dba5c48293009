#include "calendar/date_readings.h"

#include <optional>

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
