// Finding a date: a lunar date in the Gregorian calendar (for one year, or
// a lunar birthday over the years to come), the months and days a lunar year
// offers for picking, and the distance between two dates in words.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/date.h"
#include "calendar/lunar_calendar.h"

// A month of a lunar year as a list offers it: 正月 ... 腊月 with 闰X月 right
// after the month X that the year repeats.
struct LunarMonthChoice {
    int month = 0;  // 1-12
    bool leap = false;
    int days = 0;      // 29 or 30
    std::string text;  // GBK: 八月, 闰二月
};
// The months of a lunar year 1901-2099 in calendar order; none for another year.
std::vector<LunarMonthChoice> LunarMonthChoices(int lunarYear);

// One lunar year of a yearly lunar date: its Gregorian date, or nothing when
// that year's month is one day short of it (a 三十 in a month of 29 days).
struct LunarYearDate {
    int lunarYear = 0;
    std::optional<Date> date;
};
// The lunar month and day (not leap) in `years` lunar years, from the first
// whose date is not before `from`; years past 2099 are left out.
std::vector<LunarYearDate> NextLunarDates(int month, int day, const Date& from, int years);

// "2027年：2027年9月12日 星期日" or "2028年：该年八月没有三十".
std::string LunarYearDateText(const LunarYearDate& found, int month, int day);

// How far a day is from today is DaysAwayText (calendar/calendar_texts.h).
// "相隔N天" (or "同一天") between two dates in either order.
std::string DaysBetweenText(const Date& a, const Date& b);
