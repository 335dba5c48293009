// What the program says about the holiday schedule: a holiday's arrangement
// as the notice words it, an off day's balloon line and badge, the years the
// schedule covers, and the note for a year whose notice is not out. GBK.
#pragma once

#include <string>
#include <vector>

#include "holidays/holiday_schedule.h"

// "国庆节：10月1日至7日放假调休，共7天" (放假调休 when it has make-up days, else
// 放假: "端午节：6月19日至21日放假，共3天", "清明节：4月5日放假，共1天"; the law's
// days: "为法定假日").
std::string HolidayPeriodText(const HolidayPeriod& period);
// Its make-up days, "9月20日（周日）、10月10日（周六）上班"; "" without any.
std::string HolidayWorkDaysText(const HolidayPeriod& period);
// Some of its make-up days on their own, announced before the holiday:
// "国庆节调休：9月20日（周日）上班"; "" for none.
std::string MakeUpDaysText(const HolidayPeriod& period, const std::vector<Date>& dates);

// The arrangement of the holiday a day belongs to, for the day menu's 休/班
// item: its days off, then its make-up days, then for the law's days alone
// the note that the year's schedule is not out; "" for a day of no holiday.
std::string HolidayArrangementText(const HolidaySchedule& schedule, const Date& date);

// The balloon's line for the day: "国庆节假期 休" or "国庆节调休上班 班".
std::string OffDayBalloonText(const OffDay& day);
// The badge drawn in the day's cell: "休" or "班".
std::string OffDayBadgeText(OffDayKind kind);

// "2007-2026", "2007-2010、2012" or "" for an empty schedule.
std::string CoveredYearsText(const HolidaySchedule& schedule);

// "2027年放假安排尚未发布（仅显示法定假日）".
std::string UnpublishedScheduleNote(int year);
