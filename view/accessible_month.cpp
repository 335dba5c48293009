#include "view/accessible_month.h"

#include "calendar/calendar_texts.h"
#include "holidays/holiday_schedule_texts.h"

namespace {

// Chinese text runs its clauses together with full-width commas.
void AddClause(std::string& sentence, const std::string& clause) {
    if (clause.empty()) return;
    if (!sentence.empty()) sentence += "，";
    sentence += clause;
}

}  // namespace

std::string AccessibleMonthName(const YearMonth& month) {
    return std::to_string(month.year()) + "年" + std::to_string(month.month()) + "月";
}

std::string AccessibleDayName(const DayInfo& day, const Date& today, const OffDay* offDay) {
    std::string sentence = std::to_string(day.date.month()) + "月" + std::to_string(day.date.day()) + "日 星期" +
                           WeekdayName(day.date.weekday());
    AddClause(sentence, "旧历" + LunarMonthDayText(day.lunar));
    std::string festivals;
    for (const FestivalRule& festival : day.festivals) {
        if (!festivals.empty()) festivals += "、";
        festivals += festival.name;
    }
    AddClause(sentence, festivals);
    AddClause(sentence, day.solarTerm);
    if (offDay) AddClause(sentence, OffDayBalloonText(*offDay));
    if (day.date == today) AddClause(sentence, "今天");
    if (!day.reminders.empty()) AddClause(sentence, "有" + std::to_string(day.reminders.size()) + "条备忘");
    return sentence;
}

std::string AccessibleSpotName(HotSpot spot) {
    // The two month arrows open the same menu.
    struct SpotText {
        HotSpot spot;
        const char* name;
    };
    static const SpotText kNames[] = {{HotSpot::kYearBack, "选择更早的年份"},
                                      {HotSpot::kYearNext, "选择更晚的年份"},
                                      {HotSpot::kMonthBack, "选择月份"},
                                      {HotSpot::kMonthNext, "选择月份"},
                                      {HotSpot::kToday, kAccessibleTodayName}};
    for (const SpotText& known : kNames) {
        if (known.spot == spot) return known.name;
    }
    return std::string();
}
