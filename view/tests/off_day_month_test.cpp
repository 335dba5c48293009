// 休 and 班 of the holiday schedule on the month: the badges in the
// cells on both shipped templates and both week starts, the day numbers, the
// balloon, the day menu and the next holiday in the forenotice list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/profile_file.h"
#include "calendar/calendar_texts.h"
#include "calendar/lunar_calendar.h"
#include "holidays/holiday_schedule_texts.h"
#include "holidays/statutory_holidays.h"
#include "tests/support/fake_days.h"
#include "tests/support/fake_solar_terms.h"
#include "tests/support/holiday_schedule_samples.h"
#include "view/calendar_menus.h"
#include "view/month_layout.h"
#include "view/skin_template.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// The shipped schedule as the month window shows it, with the law's days of
// the years it lacks (清明 of 2027 falls on 5 April).
const HolidaySchedule& ShippedSchedule() {
    static const HolidaySchedule schedule = [] {
        FakeSolarTerms terms;
        terms.Add(2027, 4, 5, "清明");
        return WithStatutoryDays(ShippedHolidaySchedule(), &terms);
    }();
    return schedule;
}

SkinTemplate ShippedSkin(const std::string& name) {
    return LoadSkinTemplate(std::string(SOLVANE_SOURCE_DIR) + "/data", name, FontFamilyQuery());
}

MonthLayoutRequest Request(int year, int month, int firstColWeekDay, const Date& today = D(2026, 12, 8)) {
    MonthLayoutRequest request;
    request.month = Month(year, month);
    request.firstColWeekDay = firstColWeekDay;
    request.today = today;
    request.offDays = &ShippedSchedule();
    return request;
}

struct Badge {
    int day;
    std::string text;
    DisplayText drawn;
};

std::vector<Badge> Badges(const MonthLayout& layout) {
    std::vector<Badge> badges;
    for (const DisplayItem& item : layout.display.items) {
        const auto* text = std::get_if<DisplayText>(&item);
        if (!text || text->role != TextRole::kOffDayBadge) continue;
        const int day =
            DayAt(layout.cells, (text->box.left + text->box.right) / 2, (text->box.top + text->box.bottom) / 2);
        badges.push_back({day, text->text, *text});
    }
    return badges;
}

std::vector<std::string> BadgeDays(const MonthLayout& layout) {
    std::vector<std::string> days;
    for (const Badge& badge : Badges(layout)) days.push_back(std::to_string(badge.day) + badge.text);
    return days;
}

const DisplayText* DayNumber(const MonthLayout& layout, int day) {
    for (const DisplayItem& item : layout.display.items) {
        const auto* text = std::get_if<DisplayText>(&item);
        if (text && (text->role == TextRole::kDayNumber || text->role == TextRole::kTodayNumber) &&
            text->text == std::to_string(day)) {
            return text;
        }
    }
    return nullptr;
}

std::vector<std::string> Texts(const MonthLayout& layout, TextRole role) {
    std::vector<std::string> lines;
    for (const DisplayItem& item : layout.display.items) {
        const auto* text = std::get_if<DisplayText>(&item);
        if (text && text->role == role) lines.push_back(text->text);
    }
    return lines;
}

std::vector<std::string> ListLines(const MonthLayout& layout) { return Texts(layout, TextRole::kListItem); }

class ShippedSkinsTest : public ::testing::TestWithParam<std::tuple<std::string, int>> {};

TEST_P(ShippedSkinsTest, October2026ShowsDaysOffOneToSevenAndTheMakeUpDayInTheTopRightCornerOfTheirCells) {
    const auto& [skinName, firstColWeekDay] = GetParam();
    const SkinTemplate skin = ShippedSkin(skinName);
    ASSERT_TRUE(skin.body) << skinName;
    FakeDays days;
    const MonthLayout layout = LayOutMonth(skin, Request(2026, 10, firstColWeekDay), days);

    EXPECT_THAT(BadgeDays(layout), ElementsAre("1休", "2休", "3休", "4休", "5休", "6休", "7休", "10班"));
    for (const Badge& badge : Badges(layout)) {
        const Rect& cell = layout.cells.at(badge.day);
        const Rect& box = badge.drawn.box;
        EXPECT_GE(box.left, cell.left + cell.Width() / 2) << skinName << " day " << badge.day;
        EXPECT_LE(box.right, cell.right + 1) << skinName << " day " << badge.day;
        EXPECT_GE(box.top, cell.top) << skinName << " day " << badge.day;
        EXPECT_LE(box.bottom, cell.top + cell.Height() / 2) << skinName << " day " << badge.day;
        const bool off = badge.text == "休";
        EXPECT_EQ(badge.drawn.style.color, off ? skin.festivalStyle.color : skin.dayStyle.color) << skinName;
        EXPECT_NE(badge.drawn.style.color, off ? skin.festivalStyle.shadow : skin.dayStyle.shadow) << skinName;
        EXPECT_GT(badge.drawn.style.shadowHeight, 1) << "a halo keeps the badge readable over the picture";
    }
    // 4 October is a Sunday: first column on a Sunday-first week, last on a
    // Monday-first one.
    const int sundayColumn = (layout.cells.at(4).left - skin.body->left) / ((skin.body->right - skin.body->left) / 7);
    EXPECT_EQ(sundayColumn, firstColWeekDay == 1 ? 6 : 0);

    ASSERT_NE(DayNumber(layout, 5), nullptr);
    EXPECT_EQ(DayNumber(layout, 5)->style.color, skin.festivalStyle.color) << "a day off is a red day";
    ASSERT_NE(DayNumber(layout, 10), nullptr);
    EXPECT_EQ(DayNumber(layout, 10)->style.color, skin.dayStyle.color) << "a make-up working day is not";
    EXPECT_EQ(DayNumber(layout, 12)->style.color, skin.dayStyle.color);
}

// Both shipped skins colour the weekend's numbers, apart from the other days
// and from the red of the days off; the days off (a Sunday of 国庆) stay red,
// and a make-up working Saturday looks like a working day.
TEST_P(ShippedSkinsTest, October2026ShowsItsWeekendsInTheirOwnColourTheHolidayAndMakeUpDaysWinning) {
    const auto& [skinName, firstColWeekDay] = GetParam();
    const SkinTemplate skin = ShippedSkin(skinName);
    EXPECT_NE(skin.saturdayStyle.color, skin.dayStyle.color) << skinName;
    EXPECT_NE(skin.sundayStyle.color, skin.dayStyle.color) << skinName;
    EXPECT_NE(skin.saturdayStyle.color, skin.festivalStyle.color) << skinName;
    EXPECT_NE(skin.sundayStyle.color, skin.festivalStyle.color) << skinName;
    FakeDays days;
    const MonthLayout layout = LayOutMonth(skin, Request(2026, 10, firstColWeekDay, D(2026, 10, 25)), days);
    struct Case {
        int day;
        Color color;
        const char* why;
    };
    for (const Case& c : {
             Case{17, skin.saturdayStyle.color, "a Saturday"},
             Case{18, skin.sundayStyle.color, "a Sunday"},
             Case{31, skin.saturdayStyle.color, "the last Saturday"},
             Case{16, skin.dayStyle.color, "a Friday"},
             Case{19, skin.dayStyle.color, "a Monday"},
             Case{4, skin.festivalStyle.color, "a Sunday off for 国庆"},
             Case{10, skin.dayStyle.color, "a make-up working Saturday"},
             Case{25, skin.todayStyle.color, "today, a Sunday"},
         }) {
        ASSERT_NE(DayNumber(layout, c.day), nullptr) << c.day;
        EXPECT_EQ(DayNumber(layout, c.day)->style.color, c.color) << skinName << ": " << c.why;
    }
}

TEST_P(ShippedSkinsTest, September2026ShowsTheSundayMakeUpDayAndTheMidAutumnDaysOff) {
    const auto& [skinName, firstColWeekDay] = GetParam();
    FakeDays days;
    const MonthLayout layout = LayOutMonth(ShippedSkin(skinName), Request(2026, 9, firstColWeekDay), days);
    EXPECT_THAT(BadgeDays(layout), ElementsAre("20班", "25休", "26休", "27休"));
}

INSTANTIATE_TEST_SUITE_P(DefaultAndNightOnBothWeekStarts, ShippedSkinsTest,
                         ::testing::Combine(::testing::Values("Default", "Night"), ::testing::Values(7, 1)));

TEST_P(ShippedSkinsTest, AYearWithoutItsScheduleShowsTheLawsDaysOffInALookOfTheirOwnAndSaysSoOnce) {
    const auto& [skinName, firstColWeekDay] = GetParam();
    const SkinTemplate skin = ShippedSkin(skinName);
    FakeDays days;
    const MonthLayout january = LayOutMonth(skin, Request(2027, 1, firstColWeekDay), days);
    const MonthLayout february = LayOutMonth(skin, Request(2027, 2, firstColWeekDay), days);
    EXPECT_THAT(BadgeDays(january), ElementsAre("1休"));
    EXPECT_THAT(BadgeDays(february), ElementsAre("5休", "6休", "7休", "8休"));
    for (const Badge& badge : Badges(february)) {
        EXPECT_EQ(badge.drawn.style.color, skin.offDayBadge.statutoryStyle.color) << skinName;
        EXPECT_NE(badge.drawn.style.color, skin.offDayBadge.offStyle.color) << skinName;
    }
    EXPECT_EQ(DayNumber(february, 5)->style.color, skin.festivalStyle.color) << "still a red day";
    for (const MonthLayout* month : {&january, &february}) {
        EXPECT_THAT(Texts(*month, TextRole::kScheduleNote), ElementsAre("2027年放假安排尚未发布（仅显示法定假日）"));
    }
    EXPECT_THAT(BalloonTextOf(february, 6), HasSubstr("春节假期 休\n2027年放假安排尚未发布（仅显示法定假日）\n"));
    EXPECT_THAT(BalloonTextOf(february, 9), Not(HasSubstr("2027年放假安排")));
}

TEST(OffDayMonthTest, TheNoteTakesTheListsFirstLineOnlyInAYearWithoutItsSchedule) {
    const SkinTemplate skin = ShippedSkin("Default");
    FakeDays days;
    days.festivals["2026-12-25"] = {Festival("圣诞节")};
    const MonthLayout layout = LayOutMonth(skin, Request(2027, 1, 7, D(2026, 12, 20)), days);
    std::vector<Rect> boxes;
    for (const DisplayItem& item : layout.display.items) {
        const auto* text = std::get_if<DisplayText>(&item);
        if (text && (text->role == TextRole::kScheduleNote || text->role == TextRole::kListItem)) {
            boxes.push_back(text->box);
        }
    }
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].top, skin.listArea->top);
    EXPECT_EQ(boxes[1].top, boxes[0].bottom);
    EXPECT_THAT(ListLines(layout), ElementsAre("5天后「圣诞节」", "元旦：1月1日为法定假日，共1天"));
    EXPECT_THAT(Texts(LayOutMonth(skin, Request(2026, 12, 7, D(2026, 12, 20)), days), TextRole::kScheduleNote),
                IsEmpty());
    MonthLayoutRequest hidden = Request(2027, 1, 7, D(2026, 12, 20));
    hidden.offDays = nullptr;
    EXPECT_THAT(Texts(LayOutMonth(skin, hidden, days), TextRole::kScheduleNote), IsEmpty());
}

TEST(OffDayMonthTest, WithTheScheduleSwitchedOffNothingIsMarked) {
    const SkinTemplate skin = ShippedSkin("Default");
    FakeDays days;
    MonthLayoutRequest request = Request(2026, 10, 7, D(2026, 9, 28));
    request.offDays = nullptr;
    const MonthLayout layout = LayOutMonth(skin, request, days);
    EXPECT_THAT(Badges(layout), IsEmpty());
    EXPECT_THAT(BalloonTextOf(layout, 1), Not(HasSubstr("休")));
    for (const std::string& line : ListLines(layout)) EXPECT_THAT(line, Not(HasSubstr("放假")));
}

TEST(OffDayMonthTest, TodayOnADayOffKeepsTodaysColoursAndGetsItsBadge) {
    const SkinTemplate skin = ShippedSkin("Default");
    FakeDays days;
    const MonthLayout layout = LayOutMonth(skin, Request(2026, 10, 7, D(2026, 10, 2)), days);
    ASSERT_NE(DayNumber(layout, 2), nullptr);
    EXPECT_EQ(DayNumber(layout, 2)->role, TextRole::kTodayNumber);
    EXPECT_EQ(DayNumber(layout, 2)->style.color, skin.todayStyle.color);
    EXPECT_THAT(BadgeDays(layout), testing::Contains("2休"));
}

TEST(OffDayMonthTest, TheBalloonNamesTheHolidayOrTheMakeUpDayAfterTheFestivals) {
    FakeDays days;
    days.festivals["2026-10-01"] = {Festival("国庆节")};
    const MonthLayout layout = LayOutMonth(ShippedSkin("Default"), Request(2026, 10, 7), days);
    EXPECT_THAT(BalloonTextOf(layout, 1), HasSubstr("马年\n国庆节\n国庆节假期 休\n"));
    EXPECT_THAT(BalloonTextOf(layout, 10), HasSubstr("马年\n国庆节调休上班 班\n"));
    EXPECT_THAT(BalloonTextOf(layout, 8), Not(HasSubstr("休")));
    EXPECT_EQ(OffDayBalloonText(layout.offDays.at(10)), "国庆节调休上班 班");
}

TEST(OffDayMonthTest, TheDayMenuListsTheDaysHolidayLineLastAndChoosingItTellsTheArrangement) {
    const std::vector<MenuItem> items = BuildDayMenu({"国庆节"}, "", "国庆节假期 休");
    ASSERT_EQ(items.size(), 8u);
    EXPECT_TRUE(items[6].IsSeparator());
    EXPECT_EQ(items[7].text, "国庆节假期 休");
    EXPECT_EQ(items[7].command, kOffDayItem);
    EXPECT_EQ(BuildDayMenu({}, "").size(), 4u);

    struct Case {
        Date day;
        const char* arrangement;
    };
    const Case cases[] = {
        {D(2026, 10, 10), "国庆节：10月1日至7日放假调休，共7天\n9月20日（周日）、10月10日（周六）上班"},
        {D(2026, 9, 26), "中秋节：9月25日至27日放假，共3天"},
        {D(2027, 2, 6), "春节：2月5日至8日为法定假日，共4天\n2027年放假安排尚未发布（仅显示法定假日）"},
        {D(2026, 10, 8), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(HolidayArrangementText(ShippedSchedule(), c.day), c.arrangement);
}

TEST(OffDayMonthTest, TheNextHolidayIsListedOnItsFirstDayOffAcrossAMonthBoundary) {
    FakeDays days;
    days.festivals["2026-02-14"] = {Festival("情人节")};
    days.festivals["2026-02-17"] = {Festival("春节")};
    const MonthLayout layout = LayOutMonth(ShippedSkin("Default"), Request(2026, 2, 7, D(2026, 2, 1)), days);
    EXPECT_THAT(ListLines(layout), ElementsAre("13天后「情人节」", "春节：2月15日至23日放假调休，共9天",
                                               "2月14日（周六）、2月28日（周六）上班", "16天后「春节」"));
}

TEST(OffDayMonthTest, AHolidayUnderWayIsListedFirstAndAFarOneNotAtAll) {
    FakeDays days;
    days.festivals["2026-02-20"] = {Festival("甲")};
    const SkinTemplate skin = ShippedSkin("Default");
    EXPECT_THAT(ListLines(LayOutMonth(skin, Request(2026, 2, 7, D(2026, 2, 20)), days)),
                ElementsAre("春节：2月15日至23日放假调休，共9天", "2月28日（周六）上班", "今天「甲」！"));
    // From 24 February the next is 清明节 on 4 April, beyond the 30 days listed.
    EXPECT_THAT(ListLines(LayOutMonth(skin, Request(2026, 2, 7, D(2026, 2, 24)), days)), IsEmpty());
    MonthLayoutRequest off = Request(2026, 2, 7, D(2026, 2, 20));
    off.forenotice.showHolidays = false;
    EXPECT_THAT(ListLines(LayOutMonth(skin, off, days)), ElementsAre("今天「甲」！"));
}

TEST(OffDayBadgeStyleTest, ATemplateMayPlaceAndColourTheBadgesInASectionOfItsOwn) {
    const ProfileDocument config(
        "[Settings]\nBODY=0,0,350,300\nJieRi_FONT_COLOR=200,0,0\n"
        "[OffDays]\nCORNER=2\nOFFSET=3,-2\nFONT_SIZE=11\nOFF_COLOR=0,160,0\nWORK_COLOR=0,0,200\nWORK_SHADOW=1,2,3\n");
    const SkinTemplate skin = ReadSkinTemplate(config, FontFamilyQuery());
    EXPECT_EQ(skin.offDayBadge.offStyle.color, (Color{255, 0, 160, 0}));
    EXPECT_EQ(skin.offDayBadge.workStyle.color, (Color{255, 0, 0, 200}));
    EXPECT_EQ(skin.offDayBadge.workStyle.shadow, (Color{255, 1, 2, 3}));
    EXPECT_EQ(OffDayBadgeBox(Rect{100, 50, 150, 100}, skin.offDayBadge), (Rect{103, 83, 118, 98}));

    const SkinTemplate plain =
        ReadSkinTemplate(ProfileDocument("[Settings]\nJieRi_FONT_COLOR=200,0,0\nDAYROW2_FONT_COLOR=100,100,101\n"), {});
    EXPECT_EQ(plain.offDayBadge.offStyle.color, (Color{255, 200, 0, 0})) << "the festival colour by default";
    EXPECT_EQ(plain.offDayBadge.statutoryStyle.color, (Color{255, 150, 50, 51})) << "halfway to the second line's";
    const SkinTemplate own = ReadSkinTemplate(ProfileDocument("[OffDays]\nSTATUTORY_COLOR=9,8,7\n"), {});
    EXPECT_EQ(own.offDayBadge.statutoryStyle.color, (Color{255, 9, 8, 7}));
}

}  // namespace
