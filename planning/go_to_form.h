// The choices of the date dialog, without any window: a 阳历 or 旧历 date
// picked as year, month and day from lists that offer only what exists (闰
// months where the year has one, 29 or 30 days as the month has), or a lunar
// month and day without a year; what the choice means in the other calendar,
// and the dates a lunar birthday falls on in the years to come.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/date.h"

enum class DateInput { kSolar, kLunar };

struct DateChoice {
    DateInput input = DateInput::kSolar;
    int year = 0;  // 1901-2099; 0 for a lunar date without a year
    int month = 1;
    bool leap = false;  // lunar only
    int day = 1;
};

// The choice that names `date` in the given calendar.
DateChoice ChoiceOf(const Date& date, DateInput input);
// The same day in the other calendar; a lunar date without a year is taken
// in its next year from `today`.
DateChoice SwitchInput(const DateChoice& choice, const Date& today);

// The items of the three lists and the index of the choice in each. The
// year list of 旧历 starts with the item for no year.
struct ListItems {
    std::vector<std::string> texts;  // GBK
    int selected = 0;
};
ListItems YearItems(const DateChoice& choice);
ListItems MonthItems(const DateChoice& choice);
ListItems DayItems(const DateChoice& choice);

// After the user picked an item of a list: the choice with the year, the
// month or the day set, the others kept where the new year or month has
// them (a 闰 month becomes its plain month in a year without it, a 三十
// becomes 廿九 in a month of 29 days, 31 becomes 30 in April).
DateChoice PickYear(const DateChoice& choice, int index);
DateChoice PickMonth(const DateChoice& choice, int index);
DateChoice PickDay(const DateChoice& choice, int index);

// The Gregorian date of the choice; none for a lunar date without a year.
std::optional<Date> ChosenDate(const DateChoice& choice);

// The chosen date in both calendars and how far it is from today:
// "2027年9月12日 星期日，旧历二〇二七年八月十二（距今278天）"; for a lunar date
// without a year, "旧历八月十二：以后十年的阳历日期".
std::string ChoiceText(const DateChoice& choice, const Date& today);
// A lunar date without a year: its dates in the next ten years from today
// (LunarYearDateText lines); none otherwise.
std::vector<std::string> ComingYearsTexts(const DateChoice& choice, const Date& today);
// The date to go to: the chosen one, or for a lunar date without a year the
// first of the coming years that has it.
std::optional<Date> DateToGoTo(const DateChoice& choice, const Date& today);

// Date arithmetic of the dialog: "从 FROM 起，往后 N 天" as typed. The date
// `days` days after `from` (before it for a negative number), or the reason
// it cannot be given (GBK).
struct DateOffset {
    std::optional<Date> date;
    std::string problem;
};
DateOffset OffsetDate(const std::string& fromText, const std::string& daysText);
// "从2026年12月8日到所选日期相隔278天（所选日期在后）"; the problem when the
// first date cannot be read.
std::string BetweenText(const std::string& fromText, const DateChoice& choice, const Date& today);
