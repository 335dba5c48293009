#include "calendar/calendar_texts.h"

#include <cstdio>

namespace {

const char* const kLunarDayNames[31] = {
    "*",    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十", "廿一",
    "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十",
};

const char* const kLunarMonthNames[13] = {
    "*", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "腊",
};

const char* const kZodiacNames[12] = {
    "鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪",
};

const char* const kWeekdayNames[8] = {"日", "一", "二", "三", "四", "五", "六", "日"};

const char* const kChineseDigits[10] = {"〇", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

}  // namespace

std::string LunarDayName(int day) { return (day >= 0 && day <= 30) ? kLunarDayNames[day] : kLunarDayNames[0]; }

std::string LunarMonthName(int month) {
    return (month >= 0 && month <= 12) ? kLunarMonthNames[month] : kLunarMonthNames[0];
}

std::string ZodiacName(int lunarYear) {
    // ((year - 4) mod 60) mod 12, kept non-negative for years below 4.
    const int index = (((lunarYear - 4) % 12) + 12) % 12;
    return kZodiacNames[index];
}

std::string WeekdayName(int number) { return (number >= 0 && number <= 7) ? kWeekdayNames[number] : std::string(); }

std::string ChineseDigits(long long number) {
    if (number < 0) return std::string();
    std::string text;
    do {
        text.insert(0, kChineseDigits[number % 10]);
        number /= 10;
    } while (number > 0);
    return text;
}

std::string LunarDateText(const LunarDate& lunar) {
    return ChineseDigits(lunar.year) + "年" + LunarMonthDayText(lunar);
}

std::string LunarMonthDayText(const LunarDate& lunar) {
    return (lunar.isLeap ? "闰" : "") + LunarMonthName(lunar.month) + "月" + LunarDayName(lunar.day);
}

std::string SolarDateText(const Date& date) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", date.year(), date.month(), date.day());
    return buffer;
}

std::string LunarCellText(int lunarMonth, int lunarDay, int isLeap) {
    if (lunarDay != 1) return LunarDayName(lunarDay);
    return (isLeap ? "闰" : "") + LunarMonthName(lunarMonth) + "月";
}

std::string DaysAwayText(const Date& today, const Date& day) {
    const long long days = day - today;
    if (days == 0) return "今天";
    if (days == 1) return "明天";
    if (days == -1) return "昨天";
    char text[48];
    if (days > 0) {
        std::snprintf(text, sizeof text, "距今%lld天", days);
    } else {
        std::snprintf(text, sizeof text, "%lld天前", -days);
    }
    return text;
}
