// Chinese words for the numbers of a date. Every text is GBK bytes.
#pragma once

#include <string>

// 初一 ... 三十; index 0 and anything outside 0-30 give "*".
std::string LunarDayName(int day);
std::string LunarDayName(int year, int month, int day);

// 正, 二, ... 十一, 腊 (no 月, no leap marker); 0 and anything outside give "*".
std::string LunarMonthName(int month);
std::string LunarMonthName(int year, int month, int day);

// Zodiac animal of a lunar year: year 4 and every twelfth year from it is 鼠.
std::string ZodiacName(int lunarYear);

// 0 and 7 are 日, 1-6 are 一 ... 六; other numbers give "".
std::string WeekdayName(int number);

// 2013 -> 二〇一三, 0 -> 〇, negative -> "".
std::string ChineseDigits(long long number);

// "y-m-d" of a lunar date -> 二〇一三年正月初一; "" unless three numbers parse.
std::string LunarDateText(const std::string& ymd);

// "y-m-d" of a Gregorian date -> 2013年2月10日; "" unless three numbers parse.
std::string SolarDateText(const std::string& ymd);

// The lunar text under a day number: 正月 ... 腊月 on the first day of a lunar
// month, else the day's name (初二 ... 三十).
std::string LunarCellText(int lunarMonth, int lunarDay);
