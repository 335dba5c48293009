#include "calendar/date.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Date D(int y, int m, int d) { return Date::FromCivil(y, m, d).value(); }

TEST(Date, IsMadeOnlyFromRealDatesOfFourDigitYears) {
    struct Case {
        int y, m, d;
        bool real;
    };
    const std::vector<Case> cases = {
        {2013, 2, 10, true},  {2024, 2, 29, true},  {2000, 2, 29, true},  {1900, 2, 29, false}, {2023, 2, 29, false},
        {2026, 2, 30, false}, {2026, 4, 31, false}, {2026, 13, 1, false}, {2026, 0, 1, false},  {2026, 1, 0, false},
        {1, 1, 1, true},      {9999, 12, 31, true}, {0, 12, 31, false},   {10000, 1, 1, false},
    };
    for (const Case& c : cases) {
        const std::optional<Date> date = Date::FromCivil(c.y, c.m, c.d);
        ASSERT_EQ(date.has_value(), c.real) << c.y << "-" << c.m << "-" << c.d;
        if (date) {
            EXPECT_EQ(date->serial(), SerialFromCivil(c.y, c.m, c.d));
        }
    }
}

TEST(Date, HoldsTheSameDayAsItsSerialOverTheYearsItCovers) {
    EXPECT_EQ(Date().ToString(), "1970-01-01");
    EXPECT_EQ(Date::First().serial(), SerialFromCivil(1, 1, 1));
    EXPECT_EQ(Date::Last().serial(), SerialFromCivil(9999, 12, 31));
    EXPECT_FALSE(Date::FromSerial(Date::First().serial() - 1));
    EXPECT_FALSE(Date::FromSerial(Date::Last().serial() + 1));
    for (std::int64_t s = Date::First().serial(); s <= Date::Last().serial(); s += 997) {
        const Date date = Date::FromSerial(s).value();
        ASSERT_EQ(SerialFromCivil(date.year(), date.month(), date.day()), s);
    }
}

TEST(Date, NumbersWeekdaysMondayOneToSundaySeven) {
    EXPECT_EQ(D(2013, 2, 10).weekday(), kSunday);
    EXPECT_EQ(D(2000, 1, 1).weekday(), 6);
    EXPECT_EQ(D(2026, 12, 7).weekday(), kMonday);
    EXPECT_EQ(D(1901, 1, 1).weekday(), 2);
    EXPECT_EQ(D(1, 1, 1).weekday(), kMonday);
    // One day after another, through the whole range of the calendar.
    int expected = D(1900, 1, 1).weekday();
    for (const Date d : DateRange(D(1900, 1, 1), D(2100, 12, 31))) {
        ASSERT_EQ(d.weekday(), expected) << d.ToString();
        expected = expected % 7 + 1;
    }
}

TEST(DateRange, RunsFromTheFirstDateToTheLastEvenAtTheEndOfTheYears) {
    std::vector<std::string> dates;
    for (const Date d : DateRange(D(2024, 2, 28), D(2024, 3, 1))) dates.push_back(d.ToString());
    EXPECT_EQ(dates, (std::vector<std::string>{"2024-02-28", "2024-02-29", "2024-03-01"}));
    int days = 0;
    for (const Date d : DateRange(Date::Last() - 2, Date::Last())) days += d <= Date::Last();
    EXPECT_EQ(days, 3);
    for (const Date d : DateRange(D(2024, 3, 1), D(2024, 2, 28))) ADD_FAILURE() << d.ToString();
}

TEST(Date, AddsAndCountsDaysAcrossMonthsYearsAndLeapDays) {
    EXPECT_EQ(D(2013, 12, 31) + 1, D(2014, 1, 1));
    EXPECT_EQ(D(2012, 3, 1) - 1, D(2012, 2, 29));
    EXPECT_EQ(D(2013, 2, 10) + 365, D(2014, 2, 10));
    EXPECT_EQ(D(2099, 12, 31) - D(1901, 1, 1), 72683);
    EXPECT_EQ(D(1901, 1, 1) - D(2099, 12, 31), -72683);
    EXPECT_LT(D(2013, 2, 9), D(2013, 2, 10));
    EXPECT_NE(D(2013, 2, 9), D(2013, 2, 10));
}

TEST(Date, SumsBeyondTheCoveredYearsStayAtTheirEnd) {
    EXPECT_EQ(D(9999, 12, 30) + 5, Date::Last());
    EXPECT_EQ(D(2, 1, 1) - 1000, Date::First());
    EXPECT_EQ(D(2013, 2, 10) + INT64_MAX, Date::Last());
    EXPECT_EQ(D(2013, 2, 10) + INT64_MIN, Date::First());
}

TEST(Date, WritesFourDigitYearsAndTwoDigitMonthsAndDays) {
    EXPECT_EQ(D(2013, 2, 10).ToString(), "2013-02-10");
    EXPECT_EQ(D(1, 1, 1).ToString(), "0001-01-01");
    EXPECT_EQ(D(9999, 12, 31).ToString(), "9999-12-31");
    EXPECT_EQ(YearMonth::Of(D(2025, 4, 30)).ToString(), "2025-04");
}

TEST(ParseDate, ReadsTheDatesPeopleType) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2013-02-10", "2013-02-10"}, {"2025-4-5", "2025-04-05"},   {"2024-02-29", "2024-02-29"},
        {"0001-01-01", "0001-01-01"}, {"9999-12-31", "9999-12-31"},
    };
    for (const auto& [text, date] : cases) {
        std::string error;
        const std::optional<Date> parsed = ParseDate(text, &error);
        ASSERT_TRUE(parsed) << text << ": " << error;
        EXPECT_EQ(parsed->ToString(), date);
    }
}

TEST(ParseDate, RefusesWhatIsNoRealDateAndSaysWhy) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2026-02-30", "2026-02-30: February 2026 has 28 days"},
        {"2023-02-29", "2023-02-29: February 2023 has 28 days"},
        {"2026-04-31", "2026-04-31: April 2026 has 30 days"},
        {"2026-13-01", "2026-13-01: there is no month 13"},
        {"2026-00-10", "2026-00-10: there is no month 0"},
        {"2026-01-00", "2026-01-00: there is no day 0"},
        {"0000-01-01", "0000-01-01: there is no year 0"},
        {"2026-13", "2026-13: there is no month 13"},
        {"2026-02", "2026-02: not a date of the form YYYY-MM-DD"},
        {"26-02-10", "26-02-10: not a date of the form YYYY-MM-DD"},
        {"2026-02-10x", "2026-02-10x: not a date of the form YYYY-MM-DD"},
        {"2026-02-100", "2026-02-100: not a date of the form YYYY-MM-DD"},
        {" 2026-02-10", " 2026-02-10: not a date of the form YYYY-MM-DD"},
        {"2026/02/10", "2026/02/10: not a date of the form YYYY-MM-DD"},
        {"", ": not a date of the form YYYY-MM-DD"},
    };
    for (const auto& [text, why] : cases) {
        std::string error;
        EXPECT_FALSE(ParseDate(text, &error)) << text;
        EXPECT_EQ(error, why);
    }
    EXPECT_FALSE(ParseDate("2026-02-30"));  // no one asked why
}

TEST(ParseMonth, ReadsAMonthAndRefusesAnyOtherText) {
    std::string error;
    ASSERT_TRUE(ParseMonth("2025-04", &error));
    EXPECT_EQ(ParseMonth("2025-4")->ToString(), "2025-04");
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"2026-13", "2026-13: there is no month 13"},
        {"2026-0", "2026-0: there is no month 0"},
        {"2026-02-10", "2026-02-10: not a month of the form YYYY-MM"},
        {"2026", "2026: not a date of the form YYYY-MM"},
        {"2026-1a", "2026-1a: not a month of the form YYYY-MM"},
    };
    for (const auto& [text, why] : refused) {
        EXPECT_FALSE(ParseMonth(text, &error)) << text;
        EXPECT_EQ(error, why);
    }
}

TEST(YearMonth, KnowsItsFirstAndLastDayAndWhichDatesItHolds) {
    const YearMonth february = YearMonth::From(2024, 2).value();
    EXPECT_EQ(february.FirstDay(), D(2024, 2, 1));
    EXPECT_EQ(february.LastDay(), D(2024, 2, 29));
    EXPECT_EQ(february.DayCount(), 29);
    EXPECT_EQ(february.Day(29), D(2024, 2, 29));
    EXPECT_FALSE(february.Day(30));
    EXPECT_TRUE(february.Holds(D(2024, 2, 15)));
    EXPECT_FALSE(february.Holds(D(2023, 2, 15)));
    EXPECT_FALSE(YearMonth::From(2024, 13));
    EXPECT_FALSE(YearMonth::From(0, 1));
}

TEST(DateAndSystemTime, ConvertWithWindowsSundayBasedDayOfWeek) {
    const SystemTime midnight = MidnightOf(D(2013, 2, 10));
    EXPECT_EQ(midnight.year, 2013);
    EXPECT_EQ(midnight.month, 2);
    EXPECT_EQ(midnight.day, 10);
    EXPECT_EQ(midnight.dayOfWeek, 0);  // Sunday
    EXPECT_EQ(midnight.hour + midnight.minute + midnight.second + midnight.milliseconds, 0);
    EXPECT_EQ(MidnightOf(D(2014, 1, 1)).dayOfWeek, 3);  // Wednesday

    SystemTime evening = midnight;
    evening.hour = 23;
    evening.dayOfWeek = 5;  // not read
    EXPECT_EQ(DateOf(evening), D(2013, 2, 10));
    SystemTime damaged = midnight;
    damaged.day = 30;
    damaged.month = 2;
    EXPECT_FALSE(DateOf(damaged));
}

}  // namespace
