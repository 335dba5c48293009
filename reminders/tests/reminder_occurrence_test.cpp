#include "reminders/reminder_occurrence.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/dates.h"
#include "tests/support/reminder_samples.h"

namespace {

bool OccursOn(const Reminder& r, const Date& date) {
    return ReminderOccursOn(r, date, SolarToLunar(date), date.weekday() <= 5);
}
bool OccursOn(const Reminder& r, int y, int m, int d) { return OccursOn(r, D(y, m, d)); }

// Every date of a Gregorian year on which the memo occurs, as "m-d".
std::vector<std::string> OccurrencesIn(const Reminder& r, int year) {
    std::vector<std::string> dates;
    for (const Date t : DateRange(D(year, 1, 1), D(year, 12, 31))) {
        if (OccursOn(r, t)) dates.push_back(std::to_string(t.month()) + "-" + std::to_string(t.day()));
    }
    return dates;
}

TEST(GregorianReminder, RepeatsByWholeDaysFromItsStartOnly) {
    EXPECT_EQ(OccurrencesIn(Gregorian(ReminderRepeat::kNone, 2013, 3, 1), 2013), std::vector<std::string>{"3-1"});
    const Reminder daily = Gregorian(ReminderRepeat::kDaily, 2013, 1, 10);
    EXPECT_FALSE(OccursOn(daily, 2013, 1, 9));
    EXPECT_TRUE(OccursOn(daily, 2099, 12, 31));
    const Reminder weekly = Gregorian(ReminderRepeat::kWeekly, 2013, 1, 10);
    EXPECT_TRUE(OccursOn(weekly, 2013, 3, 7));
    EXPECT_FALSE(OccursOn(weekly, 2013, 1, 3));
    const Reminder biweekly = Gregorian(ReminderRepeat::kBiweekly, 2013, 1, 10);
    EXPECT_FALSE(OccursOn(biweekly, 2012, 12, 27));  // fourteen days before the start
    EXPECT_FALSE(OccursOn(biweekly, 2013, 1, 17));
    EXPECT_TRUE(OccursOn(biweekly, 2013, 1, 24));
    EXPECT_EQ(OccurrencesIn(biweekly, 2013).size(), 26u);
}

TEST(GregorianReminder, MonthlyAndYearlySkipMonthsWithoutTheDay) {
    EXPECT_EQ(OccurrencesIn(Gregorian(ReminderRepeat::kMonthly, 2013, 1, 31), 2013),
              (std::vector<std::string>{"1-31", "3-31", "5-31", "7-31", "8-31", "10-31", "12-31"}));
    const Reminder leapDay = Gregorian(ReminderRepeat::kYearly, 2012, 2, 29);
    EXPECT_TRUE(OccurrencesIn(leapDay, 2013).empty());
    EXPECT_EQ(OccurrencesIn(leapDay, 2016), std::vector<std::string>{"2-29"});
}

TEST(GregorianReminder, RepeatEndExactlyAtAnOccurrenceStillIncludesIt) {
    Reminder r = Gregorian(ReminderRepeat::kDaily, 2013, 1, 10, 8, 0);
    EndRepeatAt(r, 2013, 1, 20, 8, 0);
    r.repeatEnd.second = 59;  // words the editor never sets are not read
    r.repeatEnd.milliseconds = 5000;
    EXPECT_TRUE(OccursOn(r, 2013, 1, 20));
    EXPECT_FALSE(OccursOn(r, 2013, 1, 21));
    EndRepeatAt(r, 2013, 1, 20, 7, 59);
    EXPECT_TRUE(OccursOn(r, 2013, 1, 19));
    EXPECT_FALSE(OccursOn(r, 2013, 1, 20));
    r.setHasRepeatEnd(false);
    EXPECT_TRUE(OccursOn(r, 2013, 1, 21));

    Reminder once = Gregorian(ReminderRepeat::kNone, 2013, 3, 1, 9, 30);
    EndRepeatAt(once, 2013, 2, 1, 0, 0);
    EXPECT_TRUE(OccursOn(once, 2013, 3, 1));
}

TEST(GregorianReminder, WithAnImpossibleStartOrUnknownCodesNeverOccurs) {
    EXPECT_TRUE(OccurrencesIn(Gregorian(ReminderRepeat::kDaily, 2013, 2, 30), 2013).empty());
    EXPECT_TRUE(OccurrencesIn(Gregorian(ReminderRepeat::kDaily, 2013, 13, 1), 2013).empty());
    EXPECT_FALSE(OccursOn(Gregorian(ReminderRepeat::kNone, 2013, 3, 1, 25, 0), 2013, 3, 1));
    EXPECT_TRUE(OccurrencesIn(Gregorian(ReminderRepeat{6}, 2013, 1, 1), 2013).empty());
    EXPECT_TRUE(
        OccurrencesIn(MakeReminder(ReminderCalendar{2}, ReminderRepeat::kDaily, 2013, 1, 1, 8, 0), 2013).empty());
}

TEST(LunarReminder, ComparesLunarDatesFromItsStart) {
    EXPECT_EQ(OccurrencesIn(Lunar(ReminderRepeat::kNone, 2013, 1, 1), 2013), std::vector<std::string>{"2-10"});
    const Reminder daily = Lunar(ReminderRepeat::kDaily, 2012, 12, 29);  // 9 February 2013
    EXPECT_FALSE(OccursOn(daily, 2013, 2, 8));
    EXPECT_TRUE(OccursOn(daily, 2013, 2, 10));  // a smaller month number in a later year
    Reminder monthly = Lunar(ReminderRepeat::kMonthly, 2013, 1, 1, 8, 0);
    EndRepeatAt(monthly, 2013, 3, 12, 7, 59);  // the end is Gregorian: lunar 2013-02-01 is 12 March
    EXPECT_FALSE(OccursOn(monthly, 2013, 3, 12));
    EXPECT_TRUE(OccurrencesIn(Lunar(ReminderRepeat::kWeekly, 2013, 1, 1), 2013).empty());
    EXPECT_TRUE(OccurrencesIn(Lunar(ReminderRepeat::kDaily, 2013, 1, 31), 2014).empty());
}

TEST(LunarReminder, YearlyAndOneOffComeOnceInAYearWithALeapMonthOfTheirNumber) {
    struct Case {
        Reminder reminder;
        int year;
        std::vector<std::string> dates;
    };
    // 2020 has 闰四月 (四月初一 is 23 April, 闰四月初一 23 May), 2028 闰五月,
    // 2023 闰二月, 2025 闰六月; 2033's 闰十一月 begins on 22 December.
    const Case cases[] = {
        {Lunar(ReminderRepeat::kYearly, 2019, 4, 1), 2020, {"4-23"}},
        {Lunar(ReminderRepeat::kYearly, 2000, 5, 5), 2028, {"5-28"}},
        {Lunar(ReminderRepeat::kNone, 2028, 5, 5), 2028, {"5-28"}},
        {Lunar(ReminderRepeat::kYearly, 2000, 2, 2), 2023, {"2-21"}},
        {Lunar(ReminderRepeat::kYearly, 2000, 6, 15), 2025, {"7-9"}},
        {Lunar(ReminderRepeat::kYearly, 2000, 11, 1), 2033, {"11-22"}},
    };
    for (const Case& c : cases) EXPECT_EQ(OccurrencesIn(c.reminder, c.year), c.dates) << c.year;
}

Reminder InLeapMonth(Reminder reminder) {
    SetStartsInLeapMonth(reminder, true);
    return reminder;
}

// A memo added on a day of a leap month comes on that day, not a month
// earlier on the regular month's day of the same name; a yearly one keeps to
// the leap month in the years that have it and to the regular month in the
// others; a memo of the regular month never comes in the leap month.
TEST(LunarReminder, OfALeapMonthComesOnTheDayOfThatMonth) {
    struct Case {
        const char* what;
        Reminder reminder;
        int year;
        std::vector<std::string> dates;
    };
    const Case cases[] = {
        {"2023 闰二月初十, once", InLeapMonth(Lunar(ReminderRepeat::kNone, 2023, 2, 10)), 2023, {"3-31"}},
        {"2023 二月初十, once", Lunar(ReminderRepeat::kNone, 2023, 2, 10), 2023, {"3-1"}},
        {"2020 闰四月初十, once", InLeapMonth(Lunar(ReminderRepeat::kNone, 2020, 4, 10)), 2020, {"6-1"}},
        {"2025 闰六月初十, once", InLeapMonth(Lunar(ReminderRepeat::kNone, 2025, 6, 10)), 2025, {"8-3"}},
        {"闰二月初十 yearly, in its leap month",
         InLeapMonth(Lunar(ReminderRepeat::kYearly, 2023, 2, 10)),
         2023,
         {"3-31"}},
        {"闰二月初十 yearly, in a year without one",
         InLeapMonth(Lunar(ReminderRepeat::kYearly, 2023, 2, 10)),
         2024,
         {"3-19"}},
        {"闰二月初十 yearly, the next 闰二月",
         InLeapMonth(Lunar(ReminderRepeat::kYearly, 2023, 2, 10)),
         2042,
         {"3-31"}},
        {"闰六月初十 yearly, from 2025 on", InLeapMonth(Lunar(ReminderRepeat::kYearly, 2025, 6, 10)), 2026, {"7-23"}},
        {"闰四月初十 yearly, not before its start", InLeapMonth(Lunar(ReminderRepeat::kYearly, 2020, 4, 10)), 2019, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(OccurrencesIn(c.reminder, c.year), c.dates) << c.what;
}

// Counted from a start in a leap month, repetitions begin in that month: the
// regular month of the same number lies before it.
TEST(LunarReminder, RepeatsFromALeapMonthStartBeginThere) {
    const Reminder daily = InLeapMonth(Lunar(ReminderRepeat::kDaily, 2023, 2, 10));
    EXPECT_FALSE(OccursOn(daily, 2023, 3, 1));  // 二月初十
    EXPECT_FALSE(OccursOn(daily, 2023, 3, 30));
    EXPECT_TRUE(OccursOn(daily, 2023, 3, 31));
    EXPECT_TRUE(OccursOn(daily, 2023, 4, 20));  // 三月初一
    const Reminder monthly = Lunar(ReminderRepeat::kMonthly, 2023, 2, 15);
    EXPECT_TRUE(OccursOn(monthly, 2023, 4, 5)) << "闰二月十五 comes after 二月十五";
}

TEST(LunarReminder, MonthlyAndDailyGoOnThroughALeapMonth) {
    ASSERT_EQ(SolarToLunar(D(2020, 5, 23)).isLeap, 1);  // 闰四月初一
    EXPECT_TRUE(OccursOn(Lunar(ReminderRepeat::kMonthly, 2019, 4, 1), 2020, 5, 23));
    EXPECT_TRUE(OccursOn(Lunar(ReminderRepeat::kDaily, 2019, 4, 1), 2020, 5, 23));
}

TEST(LunarReminder, MonthlyOnDay30OccursOnlyInLongMonths) {
    const Reminder r = Lunar(ReminderRepeat::kMonthly, 2012, 1, 30);
    const LunarYearInfo info = GetLunarYearInfo(2013);
    int longMonths = 0, occurrences = 0;
    for (int i = 0; i < info.monthCount; ++i) longMonths += info.monthLengths[i] == 30;
    for (Date t = D(2013, 2, 10); SolarToLunar(t).year == 2013; t += 1) occurrences += OccursOn(r, t);
    EXPECT_EQ(occurrences, longMonths);
    EXPECT_LT(longMonths, info.monthCount);
}

}  // namespace

namespace {

// The day's kind comes from the holiday schedule; here it is given.
TEST(ScheduleReminder, OccursOnTheDaysOfItsKindFromItsStartUntilItsEnd) {
    Reminder workdays = Gregorian(ReminderRepeat::kNone, 2026, 10, 5, 8, 0);
    SetRepetition(workdays, ReminderRepeat::kWorkdays);
    EndRepeatAt(workdays, 2026, 10, 20, 8, 0);
    Reminder restDays = workdays;
    SetRepetition(restDays, ReminderRepeat::kRestDays);
    const struct {
        Date date;
        bool workingDay;
        bool workdays, restDays;
    } cases[] = {
        {D(2026, 10, 4), false, false, false},  // before the start
        {D(2026, 10, 5), false, false, true},   // the start, a day off
        {D(2026, 10, 10), true, true, false},   // a make-up working Saturday
        {D(2026, 10, 12), true, true, false},  {D(2026, 10, 18), false, false, true},
        {D(2026, 10, 20), true, true, false},   // the end, at the start time
        {D(2026, 10, 21), true, false, false},  // past the end
    };
    for (const auto& c : cases) {
        const LunarDate lunar = SolarToLunar(c.date);
        EXPECT_EQ(ReminderOccursOn(workdays, c.date, lunar, c.workingDay), c.workdays) << c.date.ToString();
        EXPECT_EQ(ReminderOccursOn(restDays, c.date, lunar, c.workingDay), c.restDays) << c.date.ToString();
    }
    Reminder daily = Gregorian(ReminderRepeat::kDaily, 2026, 10, 5);
    EXPECT_TRUE(ReminderOccursOn(daily, D(2026, 10, 6), SolarToLunar(D(2026, 10, 6)), false))
        << "a daily memo knows no schedule";
}

}  // namespace
