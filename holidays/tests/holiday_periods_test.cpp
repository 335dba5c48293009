// The holidays a schedule groups into: their days off, the make-up days
// that belong to each, and how the program words them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/holiday_schedule_texts.h"
#include "tests/support/dates.h"
#include "tests/support/holiday_schedule_samples.h"

namespace {

using ::testing::ElementsAre;

std::vector<std::string> DateTexts(const std::vector<Date>& dates) {
    std::vector<std::string> texts;
    for (const Date& date : dates) texts.push_back(date.ToString());
    return texts;
}

TEST(HolidayPeriodTest, GroupsDaysOffAndAttachesMakeUpDaysAcrossAMonthBoundary) {
    const std::vector<HolidayPeriod> periods = HolidayPeriods(ParseHolidaySchedule(k2026).schedule);
    ASSERT_EQ(periods.size(), 4u);
    const HolidayPeriod& spring = periods[1];
    EXPECT_EQ(spring.name, "春节");
    EXPECT_EQ(spring.first, D(2026, 2, 15));
    EXPECT_EQ(spring.last, D(2026, 2, 23));
    EXPECT_EQ(spring.days, 9);
    EXPECT_THAT(DateTexts(spring.workDays), ElementsAre("2026-02-14", "2026-02-28"));
    EXPECT_EQ(HolidayPeriodText(spring), "春节：2月15日至23日放假调休，共9天");
    EXPECT_EQ(HolidayWorkDaysText(spring), "2月14日（周六）、2月28日（周六）上班");
    // 中秋节 lies between 国庆节 and its make-up day of 20 September.
    EXPECT_EQ(periods[2].name, "中秋节");
    EXPECT_EQ(HolidayPeriodText(periods[2]), "中秋节：9月25日至27日放假，共3天");
    EXPECT_EQ(HolidayWorkDaysText(periods[2]), "");
    EXPECT_EQ(HolidayPeriodText(periods[3]), "国庆节：10月1日至7日放假调休，共7天");
    EXPECT_EQ(HolidayWorkDaysText(periods[3]), "9月20日（周日）、10月10日（周六）上班");
}

TEST(HolidayPeriodTest, ANewYearHolidayStartingInDecemberBelongsToTheComingYear) {
    const HolidaySchedule schedule =
        ParseHolidaySchedule("2007-12-29,班,元旦\n2007-12-30,休,元旦\n2007-12-31,休,元旦\n2008-01-01,休,元旦\n")
            .schedule;
    const std::vector<HolidayPeriod> periods = HolidayPeriods(schedule);
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0].Year(), 2008);
    EXPECT_EQ(HolidayPeriodText(periods[0]), "元旦：12月30日至1月1日放假调休，共3天");
    EXPECT_EQ(HolidayWorkDaysText(periods[0]), "12月29日（周六）上班");
    EXPECT_THAT(schedule.CoveredYears(), ElementsAre(2008));
}

TEST(HolidayPeriodTest, OneDayOffAndTheBalloonTexts) {
    const HolidaySchedule schedule = ParseHolidaySchedule("2008-04-04,休,清明节\n2008-05-04,班,劳动节\n").schedule;
    EXPECT_EQ(HolidayPeriodText(HolidayPeriods(schedule).at(0)), "清明节：4月4日放假，共1天");
    EXPECT_EQ(OffDayBalloonText(*schedule.Find(D(2008, 4, 4))), "清明节假期 休");
    EXPECT_EQ(OffDayBalloonText(*schedule.Find(D(2008, 5, 4))), "劳动节调休上班 班");
}

TEST(HolidayPeriodTest, EachDayOffAndMakeUpDayFindsTheHolidayItServes) {
    const std::vector<HolidayPeriod> periods = HolidayPeriods(ParseHolidaySchedule(k2026).schedule);
    struct Case {
        Date date;
        const char* holiday;  // "" for none
    };
    const Case cases[] = {
        {D(2026, 9, 20), "国庆节"},  // a make-up day before 中秋节 serves 国庆节
        {D(2026, 9, 26), "中秋节"}, {D(2026, 10, 7), "国庆节"}, {D(2026, 10, 10), "国庆节"},
        {D(2026, 2, 14), "春节"},   {D(2026, 9, 21), ""},
    };
    for (const Case& c : cases) {
        const HolidayPeriod* period = PeriodOfDay(periods, c.date);
        EXPECT_EQ(period ? period->name : "", c.holiday) << c.date.ToString();
    }
    EXPECT_EQ(MakeUpDaysText(periods[3], {D(2026, 9, 20)}), "国庆节调休：9月20日（周日）上班");
    EXPECT_EQ(MakeUpDaysText(periods[3], {}), "");
}

TEST(HolidayPeriodTest, CoveredYearsAreWrittenAsRanges) {
    EXPECT_EQ(CoveredYearsText(HolidaySchedule{}), "");
    EXPECT_EQ(
        CoveredYearsText(ParseHolidaySchedule("2010-01-01,休,元旦\n2011-01-01,休,元旦\n2013-01-01,休,元旦\n").schedule),
        "2010-2011、2013");
}

}  // namespace
