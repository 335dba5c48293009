#include "planning/go_to_form.h"

#include <algorithm>
#include <cstdio>

#include "base/gbk_scan.h"
#include "calendar/calendar_texts.h"
#include "calendar/lunar_calendar.h"
#include "planning/date_lookup.h"

namespace {

// The lunar years the lists offer begin at index 1, after the item for no year.
constexpr char kEveryYear[] = "每年（列出以后十年）";
constexpr int kComingYears = 10;

std::string Numbered(int number, const char* unit) {
    char text[16];
    std::snprintf(text, sizeof text, "%d%s", number, unit);
    return text;
}

bool IsLunar(const DateChoice& choice) { return choice.input == DateInput::kLunar; }

int DaysOfMonth(const DateChoice& choice) {
    if (!IsLunar(choice)) return DaysInMonth(choice.year, choice.month);
    if (choice.year == 0) return 30;
    return LunarMonthDays(choice.year, choice.month, choice.leap);
}

// Keeps the month and day where the year and month have them.
DateChoice Fitted(DateChoice choice) {
    if (!IsLunar(choice) || choice.year == 0 || LunarMonthDays(choice.year, choice.month, choice.leap) == 0) {
        choice.leap = false;
    }
    choice.day = std::clamp(choice.day, 1, DaysOfMonth(choice));
    return choice;
}

std::optional<Date> TypedDate(const std::string& text) { return ParseDate(TrimBlanksView(text, kSpacesAndTabs)); }

}  // namespace

DateChoice ChoiceOf(const Date& date, DateInput input) {
    if (input == DateInput::kSolar) return DateChoice{input, date.year(), date.month(), false, date.day()};
    const LunarDate lunar = SolarToLunar(date);
    // January 1901 before its new year lies in lunar 1900, which the lists do not hold.
    if (lunar.year < kFirstLunarYear) return DateChoice{input, kFirstLunarYear, 1, false, 1};
    return DateChoice{input, lunar.year, lunar.month, lunar.isLeap != 0, lunar.day};
}

DateChoice SwitchInput(const DateChoice& choice, const Date& today) {
    const DateInput other = IsLunar(choice) ? DateInput::kSolar : DateInput::kLunar;
    if (const std::optional<Date> date = DateToGoTo(choice, today)) return ChoiceOf(*date, other);
    return ChoiceOf(today, other);
}

ListItems YearItems(const DateChoice& choice) {
    ListItems items;
    if (IsLunar(choice)) items.texts.push_back(kEveryYear);
    for (int year = kFirstLunarYear; year <= kLastLunarYear; ++year) items.texts.push_back(Numbered(year, "年"));
    if (IsLunar(choice)) {
        items.selected = choice.year == 0 ? 0 : choice.year - kFirstLunarYear + 1;
    } else {
        items.selected = choice.year - kFirstLunarYear;
    }
    return items;
}

ListItems MonthItems(const DateChoice& choice) {
    ListItems items;
    if (!IsLunar(choice)) {
        for (int month = 1; month <= 12; ++month) items.texts.push_back(Numbered(month, "月"));
        items.selected = choice.month - 1;
        return items;
    }
    if (choice.year == 0) {
        for (int month = 1; month <= 12; ++month) items.texts.push_back(LunarMonthName(month) + "月");
        items.selected = choice.month - 1;
        return items;
    }
    for (const LunarMonthChoice& month : LunarMonthChoices(choice.year)) {
        if (month.month == choice.month && month.leap == choice.leap) {
            items.selected = static_cast<int>(items.texts.size());
        }
        items.texts.push_back(month.text);
    }
    return items;
}

ListItems DayItems(const DateChoice& choice) {
    ListItems items;
    for (int day = 1; day <= DaysOfMonth(choice); ++day) {
        items.texts.push_back(IsLunar(choice) ? LunarDayName(day) : Numbered(day, "日"));
    }
    items.selected = choice.day - 1;
    return items;
}

DateChoice PickYear(const DateChoice& choice, int index) {
    DateChoice picked = choice;
    if (IsLunar(choice)) {
        picked.year = index <= 0 ? 0 : kFirstLunarYear + index - 1;
    } else {
        picked.year = kFirstLunarYear + std::max(index, 0);
    }
    picked.year = picked.year == 0 ? 0 : std::min(picked.year, kLastLunarYear);
    return Fitted(picked);
}

DateChoice PickMonth(const DateChoice& choice, int index) {
    DateChoice picked = choice;
    if (IsLunar(choice) && choice.year != 0) {
        const std::vector<LunarMonthChoice> months = LunarMonthChoices(choice.year);
        const LunarMonthChoice& month = months[std::clamp(index, 0, static_cast<int>(months.size()) - 1)];
        picked.month = month.month;
        picked.leap = month.leap;
    } else {
        picked.month = std::clamp(index + 1, 1, 12);
    }
    return Fitted(picked);
}

DateChoice PickDay(const DateChoice& choice, int index) {
    DateChoice picked = choice;
    picked.day = index + 1;
    return Fitted(picked);
}

std::optional<Date> ChosenDate(const DateChoice& choice) {
    if (!IsLunar(choice)) return Date::FromCivil(choice.year, choice.month, choice.day);
    if (choice.year == 0) return std::nullopt;
    return DateOfLunar(LunarDate{choice.year, choice.month, choice.day, choice.leap ? 1 : 0});
}

std::string ChoiceText(const DateChoice& choice, const Date& today) {
    const std::optional<Date> date = ChosenDate(choice);
    if (!date) {
        if (IsLunar(choice) && choice.year == 0) {
            return "旧历" + LunarMonthName(choice.month) + "月" + LunarDayName(choice.day) + "：以后十年的阳历日期";
        }
        return "这一天在2099年12月31日之后，超出了日历的范围";
    }
    return SolarDateText(*date) + " 星期" + WeekdayName(date->weekday()) + "，旧历" +
           LunarDateText(SolarToLunar(*date)) + "（" + DaysAwayText(today, *date) + "）";
}

std::vector<std::string> ComingYearsTexts(const DateChoice& choice, const Date& today) {
    std::vector<std::string> texts;
    if (!IsLunar(choice) || choice.year != 0) return texts;
    for (const LunarYearDate& year : NextLunarDates(choice.month, choice.day, today, kComingYears)) {
        std::string text = LunarYearDateText(year, choice.month, choice.day);
        if (year.date) text += "（" + DaysAwayText(today, *year.date) + "）";
        texts.push_back(std::move(text));
    }
    return texts;
}

std::optional<Date> DateToGoTo(const DateChoice& choice, const Date& today) {
    if (!IsLunar(choice) || choice.year != 0) return ChosenDate(choice);
    for (const LunarYearDate& year : NextLunarDates(choice.month, choice.day, today, kComingYears)) {
        if (year.date) return year.date;
    }
    return std::nullopt;
}

DateOffset OffsetDate(const std::string& fromText, const std::string& daysText) {
    DateOffset result;
    const std::optional<Date> from = TypedDate(fromText);
    if (!from) {
        result.problem = "起始日期请写成 2026-12-08 的样子，并且是真实存在的日期";
        return result;
    }
    const std::string days(TrimBlanksView(daysText, kSpacesAndTabs));
    long long count = 0;
    char end = 0;
    if (std::sscanf(days.c_str(), "%lld%c", &count, &end) != 1 || count < -100000 || count > 100000) {
        result.problem = "天数请填一个整数，往前推算填负数";
        return result;
    }
    const Date date = *from + count;
    if (date.year() < kFirstLunarYear || date.year() > kLastLunarYear) {
        result.problem = "推算出的日期不在1901年至2099年之间";
        return result;
    }
    result.date = date;
    return result;
}

std::string BetweenText(const std::string& fromText, const DateChoice& choice, const Date& today) {
    const std::optional<Date> from = TypedDate(fromText);
    if (!from) return "起始日期请写成 2026-12-08 的样子，并且是真实存在的日期";
    const std::optional<Date> target = DateToGoTo(choice, today);
    if (!target) return "";
    if (*target == *from) return SolarDateText(*from) + "就是所选日期";
    return "从" + SolarDateText(*from) + "到" + SolarDateText(*target) + DaysBetweenText(*from, *target);
}
