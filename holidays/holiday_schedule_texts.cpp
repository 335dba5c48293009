#include "holidays/holiday_schedule_texts.h"

#include <cstdio>

#include "calendar/calendar_texts.h"

namespace {

std::string MonthDayText(const Date& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%d月%d日", date.month(), date.day());
    return text;
}

std::string YearsText(const std::vector<int>& years) {
    std::string text;
    for (std::size_t i = 0; i < years.size();) {
        std::size_t j = i;
        while (j + 1 < years.size() && years[j + 1] == years[j] + 1) ++j;
        char range[32];
        if (j == i) {
            std::snprintf(range, sizeof range, "%d", years[i]);
        } else {
            std::snprintf(range, sizeof range, "%d-%d", years[i], years[j]);
        }
        if (!text.empty()) text += "、";
        text += range;
        i = j + 1;
    }
    return text;
}

std::string WorkDatesText(const std::vector<Date>& dates) {
    std::string text;
    for (const Date& day : dates) {
        if (!text.empty()) text += "、";
        text += MonthDayText(day) + "（周" + WeekdayName(day.weekday()) + "）";
    }
    return text.empty() ? text : text + "上班";
}

}  // namespace

std::string HolidayPeriodText(const HolidayPeriod& period) {
    std::string text = period.name + "：" + MonthDayText(period.first);
    if (period.days > 1) {
        char last[16];
        std::snprintf(last, sizeof last, "%d日", period.last.day());
        text += "至";
        text += period.last.month() == period.first.month() ? std::string(last) : MonthDayText(period.last);
    }
    // The law's days are no arrangement: the notice may add days to them.
    text += period.statutory ? "为法定假日" : period.workDays.empty() ? "放假" : "放假调休";
    char count[24];
    std::snprintf(count, sizeof count, "，共%d天", period.days);
    return text + count;
}

std::string HolidayWorkDaysText(const HolidayPeriod& period) { return WorkDatesText(period.workDays); }

std::string MakeUpDaysText(const HolidayPeriod& period, const std::vector<Date>& dates) {
    const std::string days = WorkDatesText(dates);
    return days.empty() ? days : period.name + "调休：" + days;
}

std::string HolidayArrangementText(const HolidaySchedule& schedule, const Date& date) {
    const std::vector<HolidayPeriod> periods = HolidayPeriods(schedule);
    const HolidayPeriod* period = PeriodOfDay(periods, date);
    if (!period) return std::string();
    std::string text = HolidayPeriodText(*period);
    const std::string workDays = HolidayWorkDaysText(*period);
    if (!workDays.empty()) text += "\n" + workDays;
    if (period->statutory) text += "\n" + UnpublishedScheduleNote(period->Year());
    return text;
}

std::string OffDayBalloonText(const OffDay& day) {
    return day.kind == OffDayKind::kOff ? day.name + "假期 休" : day.name + "调休上班 班";
}

std::string OffDayBadgeText(OffDayKind kind) { return OffDayKindMark(kind); }

std::string CoveredYearsText(const HolidaySchedule& schedule) { return YearsText(schedule.CoveredYears()); }

std::string UnpublishedScheduleNote(int year) {
    char text[80];
    std::snprintf(text, sizeof text, "%d年放假安排尚未发布（仅显示法定假日）", year);
    return text;
}
