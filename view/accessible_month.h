// What a screen reader says for the month window: the month as a table of
// days, each day a sentence a listener understands, and the header's
// navigation as buttons. Texts only; the window answers the reader with them.
#pragma once

#include <string>

#include "calendar/date.h"
#include "days/day_info.h"
#include "holidays/holiday_schedule.h"
#include "view/calendar_menus.h"

// "2026年12月".
std::string AccessibleMonthName(const YearMonth& month);

// "12月8日 星期二，旧历十月三十，今天，有2条备忘": the date and weekday, the
// lunar date (闰 marking a leap month), the festivals, the solar term, the
// day's line of the holiday schedule ("国庆节假期 休"), then 今天 and the
// number of memos when there are any. GBK.
std::string AccessibleDayName(const DayInfo& day, const Date& today, const OffDay* offDay);

// The header's navigation: what each hot spot does when pressed.
std::string AccessibleSpotName(HotSpot spot);
// The hot spot and the header's year and month, which bring today back.
inline constexpr char kAccessibleTodayName[] = "回到今天";
