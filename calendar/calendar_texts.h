// Chinese words for the numbers of a date. Every text is GBK bytes.
#pragma once

#include <string>

#include "calendar/date.h"
#include "calendar/lunar_calendar.h"

// 初一 ... 三十; index 0 and anything outside 0-30 give "*".
std::string LunarDayName(int day);

// 正, 二, ... 十一, 腊 (no 月, no leap marker); 0 and anything outside give "*".
std::string LunarMonthName(int month);

// Zodiac animal of a lunar year: year 4 and every twelfth year from it is 鼠.
std::string ZodiacName(int lunarYear);

// The weekday's name: 1-6 are 一 ... 六, 7 (and 0, Sunday as Windows counts)
// is 日; other numbers give "".
std::string WeekdayName(int number);

// 2013 -> 二〇一三, 0 -> 〇, negative -> "".
std::string ChineseDigits(long long number);

// 二〇一三年正月初一, 二〇二三年闰二月初一: every text that names a lunar date
// with its year writes it so, the leap month marked as people say it.
std::string LunarDateText(const LunarDate& lunar);

// 八月十二, 闰二月初一: a lunar month and day as people say them, the leap
// month marked.
std::string LunarMonthDayText(const LunarDate& lunar);

// 2013年2月10日.
std::string SolarDateText(const Date& date);

// How far a day is from today, as the balloon and the date dialog say it:
// "今天", "明天", "昨天", "距今N天" ahead, "N天前" behind.
std::string DaysAwayText(const Date& today, const Date& day);

// The lunar text under a day number: 正月 ... 腊月 on the first day of a lunar
// month (闰五月 on the first day of a leap month, which would otherwise read as
// the month beginning a second time), else the day's name (初二 ... 三十).
std::string LunarCellText(int lunarMonth, int lunarDay, int isLeap = 0);
