#include "planning/leave_plan.h"
#include "holidays/holiday_schedule_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/dates.h"

namespace {

// The 2026 notice as the shipped schedule holds it: 元旦 with a 班 Sunday,
// 中秋 on a Friday to Sunday, 国庆 with make-up Sunday 9月20日 and Saturday
// 10月10日.
HolidaySchedule Schedule2026() {
    return ParseHolidaySchedule(
               "2026-01-01,休,元旦\r\n2026-01-02,休,元旦\r\n2026-01-03,休,元旦\r\n2026-01-04,班,元旦\r\n"
               "2026-09-20,班,国庆节\r\n"
               "2026-09-25,休,中秋节\r\n2026-09-26,休,中秋节\r\n2026-09-27,休,中秋节\r\n"
               "2026-10-01,休,国庆节\r\n2026-10-02,休,国庆节\r\n2026-10-03,休,国庆节\r\n2026-10-04,休,国庆节\r\n"
               "2026-10-05,休,国庆节\r\n2026-10-06,休,国庆节\r\n2026-10-07,休,国庆节\r\n2026-10-10,班,国庆节\r\n")
        .schedule;
}

std::vector<std::string> Texts(const HolidayLeavePlans& holiday, int year) {
    std::vector<std::string> texts;
    for (const LeavePlan& plan : holiday.plans) texts.push_back(LeavePlanText(plan, year));
    return texts;
}

// The plans of one holiday of 2026 with at most `maxLeave` days of leave, as
// the program writes them; none when the year has no such holiday.
std::vector<std::string> PlansOf(const std::string& name, int maxLeave) {
    const LeavePlanYear year = PlanLeave(Schedule2026(), 2026, maxLeave);
    for (const HolidayLeavePlans& holiday : year.holidays) {
        if (holiday.holiday.name == name) return Texts(holiday, 2026);
    }
    return {};
}

// Worked out by hand on the calendar of September and October 2026: three
// days of leave between 中秋 and 国庆 join both into thirteen days off; the
// other runs take one or two days before or after 中秋.
TEST(PlanLeave, Joins中秋And国庆WithThreeDaysOfLeave) {
    EXPECT_EQ(PlansOf("中秋节", 3), (std::vector<std::string>{
                                        "请3天（9月28日至30日）连休13天（9月25日至10月7日）",
                                        "请1天（9月24日）连休4天（9月24日至27日）",
                                        "请1天（9月28日）连休4天（9月25日至28日）",
                                        "请2天（9月23日至24日）连休5天（9月23日至27日）",
                                        "请2天（9月24日、9月28日）连休5天（9月24日至28日）",
                                        "请2天（9月28日至29日）连休5天（9月25日至29日）",
                                    }));
}

// The make-up Saturday 10月10日 is a working day: leave on 10月8日 and 9日
// ends the run on the 9th instead of reaching the Sunday after it. 国庆 itself
// gives the most days off per day of leave.
TEST(PlanLeave, Counts班DaysAsWorkingDays) {
    EXPECT_EQ(PlansOf("国庆节", 2), (std::vector<std::string>{
                                        "请1天（9月30日）连休8天（9月30日至10月7日）",
                                        "请1天（10月8日）连休8天（10月1日至8日）",
                                        "请2天（9月29日至30日）连休9天（9月29日至10月7日）",
                                        "请2天（9月30日、10月8日）连休9天（9月30日至10月8日）",
                                        "请2天（10月8日至9日）连休9天（10月1日至9日）",
                                    }));

    // 元旦: the 班 Sunday 1月4日 takes a day of leave like a Monday; three days
    // before the holiday reach back to the weekend of the year before.
    const std::vector<std::string> texts = PlansOf("元旦", 3);
    for (const char* plan :
         {"请1天（1月4日）连休4天（1月1日至4日）", "请3天（2025年12月29日至31日）连休8天（2025年12月27日至1月3日）"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), plan), texts.end()) << plan;
    }
}

TEST(MonthToShow, IsTheMonthOfMostDaysOfLeave) {
    EXPECT_EQ(MonthToShow(LeavePlan{D(2026, 9, 25), D(2026, 10, 7), {D(2026, 9, 28), D(2026, 9, 29), D(2026, 9, 30)}}),
              Month(2026, 9));
    EXPECT_EQ(MonthToShow(LeavePlan{D(2026, 9, 24), D(2026, 10, 8), {D(2026, 9, 24), D(2026, 10, 8)}}), Month(2026, 9));
    EXPECT_EQ(MonthToShow(LeavePlan{D(2026, 10, 1), D(2026, 10, 9), {D(2026, 10, 8), D(2026, 10, 9)}}),
              Month(2026, 10));
}

TEST(PlanLeave, OrdersByDaysOffPerDayOfLeave) {
    for (const HolidayLeavePlans& holiday : PlanLeave(Schedule2026(), 2026).holidays) {
        for (size_t i = 1; i < holiday.plans.size(); ++i) {
            const LeavePlan &a = holiday.plans[i - 1], &b = holiday.plans[i];
            EXPECT_GE(a.daysOff() * b.leave(), b.daysOff() * a.leave()) << holiday.holiday.name << " " << i;
            EXPECT_TRUE(a.leave() >= 1 && a.leave() <= kMaxLeaveDays);
        }
    }
}

TEST(PlanLeave, SaysAYearWithoutAScheduleHasNoPlans) {
    const LeavePlanYear year = PlanLeave(Schedule2026(), 2027);
    EXPECT_FALSE(year.published);
    EXPECT_TRUE(year.holidays.empty());
    EXPECT_EQ(LeavePlanYearText(year), "2027年的放假安排尚未发布，无法拼假\n");
}

TEST(PlanLeave, PrintsEachHolidayWithItsPlansUnderIt) {
    const std::string text = LeavePlanYearText(PlanLeave(Schedule2026(), 2026, 1));
    EXPECT_EQ(text,
              "元旦：1月1日至3日放假调休，共3天\n"
              "  请1天（2025年12月31日）连休4天（2025年12月31日至1月3日）\n"
              "  请1天（1月4日）连休4天（1月1日至4日）\n"
              "中秋节：9月25日至27日放假，共3天\n"
              "  请1天（9月24日）连休4天（9月24日至27日）\n"
              "  请1天（9月28日）连休4天（9月25日至28日）\n"
              "国庆节：10月1日至7日放假调休，共7天\n"
              "  请1天（9月30日）连休8天（9月30日至10月7日）\n"
              "  请1天（10月8日）连休8天（10月1日至8日）\n");
}

}  // namespace
