// The forenotice's lines about the next holiday, over the shipped schedule:
// on which day each is told and what it says.
#include "holidays/holiday_announcements.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/dates.h"
#include "tests/support/holiday_schedule_samples.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// "offset text" per line, in the order given.
std::vector<std::string> Told(const Date& today) {
    std::vector<std::string> lines;
    for (const HolidayAnnouncement& line : NextHolidayAnnouncements(ShippedHolidaySchedule(), today)) {
        lines.push_back(std::to_string(line.dayOffset) + " " + line.text);
    }
    return lines;
}

TEST(HolidayAnnouncements, TheNextHolidayIsToldOnItsFirstDayOffWithTheMakeUpDaysStillToCome) {
    EXPECT_THAT(Told(D(2026, 2, 1)),
                ElementsAre("14 春节：2月15日至23日放假调休，共9天", "14 2月14日（周六）、2月28日（周六）上班"));
    // Under way it is told first (its first day off is past) without the
    // make-up day already worked.
    EXPECT_THAT(Told(D(2026, 2, 20)), ElementsAre("-5 春节：2月15日至23日放假调休，共9天", "-5 2月28日（周六）上班"));
    // Once it is over the next one is told, however far.
    EXPECT_THAT(Told(D(2026, 2, 24)), ElementsAre("39 清明节：4月4日至6日放假，共3天"));
}

TEST(HolidayAnnouncements, AMakeUpDayIsAnnouncedBeforeTheHolidayThatComesFirst) {
    // On 18 September the Sunday worked for 国庆节 comes before 中秋节.
    EXPECT_THAT(Told(D(2026, 9, 18)),
                ElementsAre("7 中秋节：9月25日至27日放假，共3天", "2 国庆节调休：9月20日（周日）上班"));
    // Once it is worked, 国庆节 names only the make-up day still to come.
    EXPECT_THAT(Told(D(2026, 9, 28)), ElementsAre("3 国庆节：10月1日至7日放假调休，共7天", "3 10月10日（周六）上班"));
}

TEST(HolidayAnnouncements, NoneWhenTheScheduleHasNoHolidayLeft) {
    EXPECT_THAT(NextHolidayAnnouncements(ShippedHolidaySchedule(), D(2099, 12, 31)), IsEmpty());
    EXPECT_THAT(NextHolidayAnnouncements(HolidaySchedule{}, D(2026, 1, 1)), IsEmpty());
}

}  // namespace
