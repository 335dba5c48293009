#include "planning/leave_plan.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/statutory_holidays.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/dates.h"
#include "tests/support/fake_solar_terms.h"

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

// The schedule as the month shows it in December 2026: the 2026 notice, and
// for 2027, whose notice is not out, the law's days (清明 on 5 April).
HolidaySchedule ShownIn2026() {
    FakeSolarTerms terms;
    terms.Add(2027, 4, 5, "清明");
    return WithStatutoryDays(Schedule2026(), &terms);
}

// 2027 by hand: 国庆 10月1日 is a Friday, so the law's three days end on the
// Sunday; 劳动节 5月1日-2日 is a Saturday and Sunday. With no make-up days
// known, a day of leave on either side of a weekend holiday adds one day.
TEST(PlanLeave, PlansAYearAwaitingItsNoticeFromTheLawsDaysWithANote) {
    const LeavePlanYear year = PlanLeave(ShownIn2026(), 2027, 1);
    EXPECT_FALSE(year.published);
    EXPECT_TRUE(year.fromStatutoryDays);
    std::vector<std::string> names;
    for (const HolidayLeavePlans& holiday : year.holidays) names.push_back(holiday.holiday.name);
    EXPECT_EQ(names, (std::vector<std::string>{"元旦", "春节", "清明节", "劳动节", "端午节", "中秋节", "国庆节"}));
    const std::string text = LeavePlanYearText(year);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "2027年的放假安排尚未发布，以下按法定假日和周末推算，调休以国务院通知为准");
    for (const char* line : {"国庆节：10月1日至3日为法定假日，共3天\n"
                             "  请1天（9月30日）连休4天（9月30日至10月3日）\n"
                             "  请1天（10月4日）连休4天（10月1日至4日）\n",
                             "劳动节：5月1日至2日为法定假日，共2天\n"
                             "  请1天（4月30日）连休3天（4月30日至5月2日）\n"
                             "  请1天（5月3日）连休3天（5月1日至3日）\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    // A year with neither a notice nor the law's days still has nothing to offer.
    EXPECT_FALSE(PlanLeave(ShownIn2026(), 2024).fromStatutoryDays);
    EXPECT_TRUE(PlanLeave(ShownIn2026(), 2024).holidays.empty());
}

// The planner opens on the year whose holidays are still ahead: from the
// day after 国庆 2026 the next holiday is 元旦 2027.
TEST(YearToPlan, IsTheNextYearOnceTheYearsHolidaysAreOver) {
    const struct {
        Date today;
        int year;
    } cases[] = {
        {D(2026, 1, 1), 2026},  {D(2026, 9, 1), 2026},  {D(2026, 10, 7), 2026},
        {D(2026, 10, 8), 2027}, {D(2026, 12, 8), 2027}, {D(2026, 12, 31), 2027},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(YearToPlan(ShownIn2026(), c.today), c.year) << c.today.ToString();
        // Whether or not the next year's days are known.
        EXPECT_EQ(YearToPlan(Schedule2026(), c.today), c.year) << c.today.ToString();
    }
    // A year without any holiday known stays the year.
    EXPECT_EQ(YearToPlan(Schedule2026(), D(2030, 12, 8)), 2030);
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
