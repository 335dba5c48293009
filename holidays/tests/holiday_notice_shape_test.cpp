// What a year of the holiday notice looks like: every year the program ships
// does, and a served year that breaks one rule of it does not.
#include "holidays/holiday_notice_shape.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>

#include "base/file_system.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"
#include "tests/support/dates.h"
#include "tests/support/holiday_schedule_samples.h"

namespace {

// The shipped schedule split into its years, each day in the year of its holiday.
std::map<int, HolidaySchedule> ShippedYears() {
    std::string shipped;
    EXPECT_TRUE(ReadWholeFile(std::string(SOLVANE_SOURCE_DIR) + "/data/Ostrel/offdays-shipped.cfg", shipped));
    const HolidaySchedule schedule = ParseHolidaySchedule(shipped).schedule;
    std::map<int, HolidaySchedule> years;
    for (const HolidayPeriod& period : HolidayPeriods(schedule)) {
        HolidaySchedule& year = years[period.Year()];
        for (const Date date : DateRange(period.first, period.last)) year.Set(*schedule.Find(date));
        for (const Date& work : period.workDays) year.Set(*schedule.Find(work));
    }
    return years;
}

// The sample 2027 with lines added and whole lines taken out.
HolidaySchedule Served2027With(const std::string& lines, std::initializer_list<const char*> without = {}) {
    std::string text = kServed2027;
    for (const std::string line : without) text.erase(text.find(line), line.size());
    return ParseHolidaySchedule(text + lines).schedule;
}

TEST(HolidayNoticeShape, EveryPublishedYearLooksLikeANotice) {
    const std::map<int, HolidaySchedule> years = ShippedYears();
    ASSERT_EQ(years.size(), 20u);  // 2007-2026
    for (const auto& [year, schedule] : years) EXPECT_TRUE(LooksLikeHolidayNotice(schedule, year)) << year;
    EXPECT_TRUE(LooksLikeHolidayNotice(Served2027With(""), 2027));
}

TEST(HolidayNoticeShape, AYearBreakingOneRuleOfTheNoticesIsNone) {
    std::string wholeYear;
    for (const Date date : DateRange(D(2027, 1, 1), D(2027, 12, 31))) wholeYear += date.ToString() + ",休,春节\r\n";
    const struct {
        const char* what;
        HolidaySchedule schedule;
        int year;
    } cases[] = {
        {"another year than asked for", Served2027With(""), 2028},
        {"a year of days off", ParseHolidaySchedule(wholeYear).schedule, 2027},
        {"nothing but 元旦", ParseHolidaySchedule("2027-01-01,休,元旦\r\n").schedule, 2027},
        {"a name no notice gave", Served2027With("2027-06-10,休,公司年会\r\n"), 2027},
        {"a make-up day on a Thursday", Served2027With("2027-06-10,班,端午节\r\n"), 2027},
        {"a make-up day of no holiday", Served2027With("2027-08-07,班,端午节\r\n"), 2027},
        {"three make-up days for one holiday", Served2027With("2027-01-30,班,春节\r\n2027-02-27,班,春节\r\n"), 2027},
        {"春节 of eleven days",
         Served2027With("2027-02-14,休,春节\r\n2027-02-15,休,春节\r\n", {"2027-02-20,班,春节\r\n"}), 2027},
        {"34 days off",
         Served2027With("2027-06-10,休,端午节\r\n2027-06-11,休,端午节\r\n2027-06-12,休,端午节\r\n"
                        "2027-09-16,休,中秋节\r\n2027-09-17,休,中秋节\r\n"),
         2027},
        {"no more than 4 make-up days", Served2027With("", {"2027-04-25,班,劳动节\r\n", "2027-05-08,班,劳动节\r\n"}),
         2027},
        {"ten runs of days off",
         Served2027With("2027-03-08,休,劳动节\r\n2027-07-01,休,国庆节\r\n2027-08-02,休,中秋节\r\n"), 2027},
        {"the law's days, not the notice's",
         [] {
             HolidaySchedule schedule = Served2027With("");
             OffDay day = *schedule.Find(D(2027, 1, 1));
             day.statutory = true;
             schedule.Set(day);
             return schedule;
         }(),
         2027},
    };
    for (const auto& c : cases) EXPECT_FALSE(LooksLikeHolidayNotice(c.schedule, c.year)) << c.what;
}

}  // namespace
