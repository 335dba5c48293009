// The days off that the holiday law itself fixes, for the years whose yearly
// notice is not out yet. The law (全国年节及纪念日放假办法, as in force since
// 2025) names them by date; the notice adds the bridging days, the make-up
// working days and the days that make up for a holiday on a weekend, which
// nobody can know before it is published. So a year without its notice shows
// the law's days only, in a look of their own and with a note saying so, and
// the published schedule replaces them as soon as it arrives.
#pragma once

#include <vector>

#include "holidays/holiday_schedule.h"

class SolarTermLookup;

// The first year whose days off the present law fixes.
inline constexpr int kFirstStatutoryYear = 2025;

// The law's days off of a year (none before kFirstStatutoryYear or after
// 2099), each marked statutory, in date order: 元旦 1月1日; 春节 from 除夕 (the
// last day of the twelfth lunar month, 29th or 30th) to 正月初三; 清明节 on the
// day of the 清明 term; 劳动节 5月1日-2日; 端午节 and 中秋节 on their lunar
// days; 国庆节 10月1日-3日. Holidays that share a day (中秋 on 10月1日-3日) become
// one holiday under both names, "国庆节、中秋节". Without an almanac to say
// when 清明 falls, 清明节 is left out rather than guessed.
std::vector<OffDay> StatutoryOffDays(int year, SolarTermLookup* solarTerms);

// The years whose days off are the law's alone: those from
// kFirstStatutoryYear to 2099 whose holidays the published schedule does not
// hold, ascending.
std::vector<int> YearsAwaitingSchedule(const HolidaySchedule& published);

// The published schedule with the law's days of every year that awaits its
// schedule added, and those years marked (HolidaySchedule::StatutoryOnly). A
// day the schedule has is never replaced.
HolidaySchedule WithStatutoryDays(const HolidaySchedule& published, SolarTermLookup* solarTerms);
