#include "view/accessible_month.h"

#include <gtest/gtest.h>

#include "tests/support/dates.h"
#include "tests/support/festival_samples.h"
#include "tests/support/reminder_samples.h"

namespace {

DayInfo Day(const Date& date, LunarDate lunar) {
    DayInfo day;
    day.date = date;
    day.lunar = lunar;
    day.zodiac = "马";
    return day;
}

TEST(AccessibleMonth, NamesTheTableByItsMonth) {
    EXPECT_EQ(AccessibleMonthName(Month(2026, 12)), "2026年12月");
    EXPECT_EQ(AccessibleMonthName(Month(1901, 1)), "1901年1月");
}

TEST(AccessibleMonth, ADayIsReadAsASentence) {
    const Date today = D(2026, 12, 8);
    DayInfo plain = Day(D(2026, 12, 9), {2026, 11, 1, 0});
    DayInfo todayWithReminders = Day(today, {2026, 10, 30, 0});
    const ReminderList twoToday = {Gregorian(ReminderRepeat::kNone, 2026, 12, 8),
                                   Gregorian(ReminderRepeat::kNone, 2026, 12, 8, 9)};
    todayWithReminders.reminders = OccurringReminders::AllOf(twoToday);
    DayInfo festival = Day(D(2026, 10, 1), {2026, 8, 21, 0});
    festival.festivals = {MatchedFestival("国庆节"), MatchedFestival("老王生日", "（33周岁）")};
    DayInfo term = Day(D(2026, 12, 22), {2026, 11, 14, 0});
    term.solarTerm = "冬至";
    DayInfo leap = Day(D(2025, 7, 25), {2025, 6, 1, 1});
    const OffDay off{D(2026, 10, 1), OffDayKind::kOff, "国庆节"};
    const OffDay work{D(2026, 9, 20), OffDayKind::kWork, "国庆节"};
    DayInfo workDay = Day(D(2026, 9, 20), {2026, 8, 9, 0});

    struct Case {
        const DayInfo& day;
        const OffDay* offDay;
        const char* name;
    };
    const Case cases[] = {
        {plain, nullptr, "12月9日 星期三，旧历十一月初一"},
        {todayWithReminders, nullptr, "12月8日 星期二，旧历十月三十，今天，有2条备忘"},
        // The festival's own name, not its suffix; the day's holiday line.
        {festival, &off, "10月1日 星期四，旧历八月廿一，国庆节、老王生日，国庆节假期 休"},
        {term, nullptr, "12月22日 星期二，旧历十一月十四，冬至"},
        {leap, nullptr, "7月25日 星期五，旧历闰六月初一"},
        {workDay, &work, "9月20日 星期日，旧历八月初九，国庆节调休上班 班"},
    };
    for (const Case& c : cases) EXPECT_EQ(AccessibleDayName(c.day, today, c.offDay), c.name);
}

TEST(AccessibleMonth, TheHeaderButtonsSayWhatTheyDo) {
    EXPECT_EQ(AccessibleSpotName(HotSpot::kYearBack), "选择更早的年份");
    EXPECT_EQ(AccessibleSpotName(HotSpot::kYearNext), "选择更晚的年份");
    EXPECT_EQ(AccessibleSpotName(HotSpot::kMonthBack), "选择月份");
    EXPECT_EQ(AccessibleSpotName(HotSpot::kMonthNext), "选择月份");
    EXPECT_EQ(AccessibleSpotName(HotSpot::kToday), "回到今天");
    EXPECT_EQ(AccessibleSpotName(HotSpot::kNone), "");
}

}  // namespace
