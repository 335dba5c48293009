#include "festivals/festival_description.h"

#include <cstdio>

#include "calendar/calendar_texts.h"

namespace {

std::string Printed(const char* pattern, int a, int b = 0, int c = 0) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

// -n without overflow for the one value of int that has no positive partner.
long long Negated(int n) { return -static_cast<long long>(n); }

std::string Count(long long n) { return std::to_string(n); }

std::string DescribeMsd(const MsdRule& rule) {
    const std::string month = Printed("%d月的", rule.month);
    if (rule.n < 0) return month + "倒数第" + ChineseDigits(Negated(rule.n)) + "个星期" + WeekdayName(rule.weekday);
    return month + "第" + ChineseDigits(rule.n) + "个星期" + WeekdayName(rule.weekday);
}

std::string MonthDayText(int month, int day, bool gregorian) {
    if (gregorian) return Printed("%d月%d日", month, day);
    return LunarMonthName(month) + "月" + LunarDayName(day);
}

// "<date>的顺数第n天", "<date>的倒数第n天" or the date itself for n = 0.
std::string WithOffset(const std::string& from, int n) {
    if (n >= 1) return from + "的顺数第" + Count(n) + "天";
    if (n < 0) return from + "的倒数第" + Count(Negated(n)) + "天";
    return from;
}

}  // namespace

std::string DescribeDateRule(const std::string& dateRule, const std::string& calendar) {
    const bool gregorian = calendar == kGregorianCalendar;  // anything else reads as lunar
    MsdRule msd;
    if (ReadMsdRule(dateRule, msd)) return DescribeMsd(msd);
    OffsetRule offset;
    if (ReadOffsetRule(dateRule, offset))
        return WithOffset(MonthDayText(offset.month, offset.day, gregorian), offset.n);
    SolarTermOffsetRule termOffset;
    if (ReadSolarTermOffsetRule(dateRule, termOffset)) return WithOffset(termOffset.term, termOffset.n);
    FixedDateRule fixed;
    if (ReadFixedDateRule(dateRule, fixed)) {
        if (!fixed.leapMonth) return MonthDayText(fixed.month, fixed.day, gregorian);
        // A Gregorian rule with the mark matches nothing: it is shown as written.
        if (!gregorian) return "闰" + MonthDayText(fixed.month, fixed.day, false);
    }
    return dateRule;
}

FestivalRule DescribeFestival(FestivalRule rule) {
    FestivalRule row = rule;
    row.calendar = CalendarText(rule.calendar);
    const std::string kind = KindText(rule.kind);
    row.kind = kind.empty() ? rule.kind : kind;
    row.dateRule = DescribeDateRule(rule.dateRule, rule.calendar);
    if (!rule.startYear.empty()) row.startYear = Printed("%d年", LeadingInteger(rule.startYear));
    int year = 0, month = 0, day = 0;
    if (ReadYearMonthDay(rule.endDate, year, month, day)) row.endDate = Printed("%d年%d月%d日", year, month, day);
    return row;
}
