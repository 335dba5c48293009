// The days off of a year whose holiday schedule is not published yet: the
// holiday law's own days, and how they stand beside a published schedule.
#include "holidays/statutory_holidays.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/holiday_schedule_texts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/dates.h"
#include "tests/support/fake_solar_terms.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

std::vector<std::string> Texts(const std::vector<OffDay>& days) {
    std::vector<std::string> texts;
    for (const OffDay& day : days) texts.push_back(day.date.ToString() + " " + day.name);
    return texts;
}

// 2027, worked out by hand: 正月初一 is 6 February, so 除夕 (腊月三十) is 5
// February; 清明 falls on 5 April; 五月初五 is 9 June, 八月十五 15 September.
TEST(StatutoryOffDays, AreTheLawsDaysOf2027) {
    FakeSolarTerms terms;
    terms.Add(2027, 4, 5, "清明");
    const std::vector<OffDay> days = StatutoryOffDays(2027, &terms);
    EXPECT_THAT(Texts(days), ElementsAre("2027-01-01 元旦", "2027-02-05 春节", "2027-02-06 春节", "2027-02-07 春节",
                                         "2027-02-08 春节", "2027-04-05 清明节", "2027-05-01 劳动节",
                                         "2027-05-02 劳动节", "2027-06-09 端午节", "2027-09-15 中秋节",
                                         "2027-10-01 国庆节", "2027-10-02 国庆节", "2027-10-03 国庆节"));
    for (const OffDay& day : days) {
        EXPECT_EQ(day.kind, OffDayKind::kOff);
        EXPECT_TRUE(day.statutory);
    }
}

TEST(StatutoryOffDays, BeginSpringFestivalOnTheLastDayOfTheTwelfthMonthWhateverItsLength) {
    struct Case {
        int year;
        Date eve;  // 腊月二十九 when the twelfth month is short, else 腊月三十
    };
    const Case cases[] = {{2025, D(2025, 1, 28)}, {2026, D(2026, 2, 16)}, {2030, D(2030, 2, 2)}};
    for (const Case& c : cases) {
        const std::vector<OffDay> days = StatutoryOffDays(c.year, nullptr);
        ASSERT_GE(days.size(), 5u);
        EXPECT_EQ(days[1].date, c.eve) << c.year;
        EXPECT_EQ(days[4].date, c.eve + 3) << c.year;
        EXPECT_EQ(days[4].name, "春节") << c.year;
    }
}

TEST(StatutoryOffDays, JoinMidAutumnFallingOnNationalDayIntoOneHoliday) {
    // 八月十五 of 2028 is 3 October.
    const std::vector<std::string> days = Texts(StatutoryOffDays(2028, nullptr));
    EXPECT_THAT(std::vector<std::string>(days.end() - 3, days.end()),
                ElementsAre("2028-10-01 国庆节、中秋节", "2028-10-02 国庆节、中秋节", "2028-10-03 国庆节、中秋节"));
}

TEST(StatutoryOffDays, LeaveOutQingmingWithoutAnAlmanacAndAreNoneBeforeTheLawOrPastTheCalendar) {
    for (const OffDay& day : StatutoryOffDays(2027, nullptr)) EXPECT_NE(day.name, "清明节");
    EXPECT_THAT(StatutoryOffDays(2024, nullptr), IsEmpty());
    EXPECT_THAT(StatutoryOffDays(2100, nullptr), IsEmpty());
}

TEST(WithStatutoryDays, FillsOnlyTheYearsThePublishedScheduleLacks) {
    const HolidaySchedule published =
        ParseHolidaySchedule("2026-01-01,休,元旦\n2026-01-02,休,元旦\n2026-01-03,休,元旦\n2026-01-04,班,元旦\n")
            .schedule;
    const HolidaySchedule shown = WithStatutoryDays(published, nullptr);
    EXPECT_EQ(YearsAwaitingSchedule(published).front(), 2025);
    EXPECT_EQ(YearsAwaitingSchedule(published)[1], 2027);
    EXPECT_FALSE(shown.StatutoryOnly(2026));
    EXPECT_TRUE(shown.StatutoryOnly(2027));
    EXPECT_TRUE(shown.StatutoryOnly(2099));
    EXPECT_FALSE(shown.StatutoryOnly(2024));  // before the law: simply not covered
    // The published days stay as they are; a statutory year has no 班.
    EXPECT_FALSE(shown.Find(D(2026, 1, 2))->statutory);
    EXPECT_EQ(shown.Find(D(2026, 1, 4))->kind, OffDayKind::kWork);
    ASSERT_NE(shown.Find(D(2027, 1, 1)), nullptr);
    EXPECT_TRUE(shown.Find(D(2027, 1, 1))->statutory);
    EXPECT_EQ(shown.Find(D(2027, 1, 2)), nullptr);
    EXPECT_THAT(shown.CoveredYears(), ElementsAre(2026));
}

TEST(WithStatutoryDays, GivesWayToTheScheduleOnceItIsPublished) {
    HolidayScheduleFile file = ParseHolidaySchedule(
        "2027-01-01,休,元旦\n2027-02-05,休,春节\n2027-02-06,休,春节\n2027-02-07,休,春节\n2027-02-08,休,春节\n"
        "2027-02-09,休,春节\n2027-02-10,休,春节\n2027-02-11,休,春节\n2027-02-20,班,春节\n");
    const HolidaySchedule shown = WithStatutoryDays(file.schedule, nullptr);
    EXPECT_FALSE(shown.StatutoryOnly(2027));
    EXPECT_EQ(shown.Find(D(2027, 10, 1)), nullptr);
    EXPECT_EQ(shown.Find(D(2027, 2, 20))->kind, OffDayKind::kWork);
    std::vector<std::string> texts;
    for (const HolidayPeriod& period : HolidayPeriods(shown)) {
        if (period.Year() == 2027) texts.push_back(HolidayPeriodText(period));
    }
    EXPECT_THAT(texts, ElementsAre("元旦：1月1日放假，共1天", "春节：2月5日至11日放假调休，共7天"));
}

TEST(WithStatutoryDays, AnnouncesTheLawsDaysAsNoArrangement) {
    FakeSolarTerms terms;
    terms.Add(2027, 4, 5, "清明");
    std::vector<HolidayPeriod> periods;
    for (const HolidayPeriod& period : HolidayPeriods(WithStatutoryDays(HolidaySchedule{}, &terms))) {
        if (period.Year() == 2027) periods.push_back(period);
    }
    std::vector<std::string> texts;
    for (const HolidayPeriod& period : periods) texts.push_back(HolidayPeriodText(period));
    EXPECT_THAT(texts, ElementsAreArray({"元旦：1月1日为法定假日，共1天", "春节：2月5日至8日为法定假日，共4天",
                                         "清明节：4月5日为法定假日，共1天", "劳动节：5月1日至2日为法定假日，共2天",
                                         "端午节：6月9日为法定假日，共1天", "中秋节：9月15日为法定假日，共1天",
                                         "国庆节：10月1日至3日为法定假日，共3天"}));
    EXPECT_EQ(UnpublishedScheduleNote(2027), "2027年放假安排尚未发布（仅显示法定假日）");
}

}  // namespace
