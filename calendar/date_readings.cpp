#include "calendar/date_readings.h"

#include <optional>

#include "calendar/calendar_texts.h"
#include "calendar/date.h"
#include "calendar/lunar_calendar.h"

std::string LunarYearGanZhiName(int lunarYear) {
    static constexpr const char* kStems[10] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
    static constexpr const char* kBranches[12] = {"子", "丑", "寅", "卯", "辰", "巳",
                                                  "午", "未", "申", "酉", "戌", "亥"};
    // 1984 (and every 60th year from it) is 甲子.
    const int cycle = ((lunarYear - 1984) % 60 + 60) % 60;
    return std::string(kStems[cycle % 10]) + kBranches[cycle % 12];
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
