#include "view/month_layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "calendar/calendar_texts.h"
#include "calendar/lunar_calendar.h"
#include "tests/support/fake_days.h"
#include "view/month_grid.h"

namespace {

Reminder ReminderAt(int hour, int minute, const std::string& text) {
    Reminder reminder;
    reminder.start = At(2015, 1, 1, hour, minute);
    SetReminderText(reminder, text);
    return reminder;
}

MonthLayout LayOutWithoutEvents(const SkinTemplate& skin, const MonthLayoutRequest& request) {
    FakeDays days;
    return LayOutMonth(skin, request, days);
}

TextStyle Style(std::uint8_t red) {
    TextStyle style;
    style.color = {255, red, 0, 0};
    return style;
}

SkinTemplate Skin() {
    SkinTemplate skin;
    skin.backgroundPath = "backgroud.png";
    skin.yearBox = Rect{40, 22, 100, 58};
    skin.monthBox = Rect{236, 16, 286, 62};
    skin.body = Rect{18, 80, 342, 380};
    skin.weekdayRowHeight = 24;
    skin.listArea = Rect{26, 392, 334, 492};  // 100 pixels: five lines of 20
    skin.listItemHeight = 20;
    skin.yearStyle = Style(1);
    skin.monthStyle = Style(2);
    skin.weekdayStyle = Style(3);
    skin.dayStyle = Style(4);
    skin.todayStyle = Style(5);
    skin.secondLineStyle = Style(6);
    skin.festivalStyle = Style(7);
    skin.solarTermStyle = Style(8);
    skin.listItemStyle = Style(9);
    skin.todayEllipseColor = {155, 255, 0, 0};
    skin.reminderFlagColor = {255, 0, 128, 255};
    return skin;
}

MonthLayoutRequest Request(int year, int month, const Date& today) {
    MonthLayoutRequest request;
    request.month = Month(year, month);
    request.today = today;
    request.firstColWeekDay = 7;
    request.listForDays = 30;
    return request;
}

std::vector<DisplayText> Texts(const MonthLayout& layout) {
    std::vector<DisplayText> texts;
    for (const DisplayItem& item : layout.display.items) {
        if (auto text = std::get_if<DisplayText>(&item)) texts.push_back(*text);
    }
    return texts;
}

const DisplayText* TextIn(const std::vector<DisplayText>& texts, const Rect& box) {
    for (const DisplayText& text : texts) {
        if (text.box == box) return &text;
    }
    return nullptr;
}

template <typename T>
std::vector<T> Shapes(const MonthLayout& layout) {
    std::vector<T> shapes;
    for (const DisplayItem& item : layout.display.items) {
        if (auto shape = std::get_if<T>(&item)) shapes.push_back(*shape);
    }
    return shapes;
}

std::vector<std::string> ListLines(const MonthLayout& layout, const SkinTemplate& skin) {
    std::vector<std::string> lines;
    for (const DisplayText& text : Texts(layout)) {
        if (text.box.top >= skin.listArea->top) lines.push_back(text.text);
    }
    return lines;
}

MonthGrid GridOf(const SkinTemplate& skin, const MonthLayoutRequest& r) {
    return ComputeMonthGrid(*skin.body, skin.weekdayRowHeight, r.month, r.firstColWeekDay);
}

TEST(MonthLayoutTest, EveryDayOfTheMonthGetsItsCellItsInformationAndItsBalloon) {
    const SkinTemplate skin = Skin();
    FakeDays days;
    const MonthLayout layout = LayOutMonth(skin, Request(2015, 2, D(2015, 2, 10)), days);
    ASSERT_EQ(layout.cells.size(), 28u);
    EXPECT_EQ(layout.days.size(), 28u);
    for (int day = 1; day <= 28; ++day) EXPECT_FALSE(BalloonTextOf(layout, day).empty()) << day;
    EXPECT_EQ(BalloonTextOf(layout, 29), "");
    EXPECT_EQ(layout.cells.at(1), (Rect{18, 104, 64, 104 + 27 + 41}));  // Sunday, first column
    EXPECT_EQ(layout.cells.at(28).left, 18 + 6 * 46);                   // Saturday of the fourth row
    EXPECT_EQ(layout.cells.at(28).top, 104 + 3 * 69);
    EXPECT_EQ(layout.days.at(19).lunar, (LunarDate{2015, 1, 1, 0}));
    EXPECT_EQ(BalloonTextOf(layout, 19).rfind("阳历：2015年2月19日\n旧历：", 0), 0u);
    EXPECT_EQ(layout.display.backgroundPath, "backgroud.png");
}

TEST(MonthLayoutTest, DrawsYearMonthAndTheWeekdayHeaderInTheirBoxes) {
    const SkinTemplate skin = Skin();
    MonthLayoutRequest request = Request(2015, 2, D(2015, 2, 10));
    request.firstColWeekDay = 1;
    const MonthLayout layout = LayOutWithoutEvents(skin, request);
    const auto texts = Texts(layout);
    ASSERT_NE(TextIn(texts, *skin.yearBox), nullptr);
    EXPECT_EQ(TextIn(texts, *skin.yearBox)->text, "2015");
    EXPECT_EQ(TextIn(texts, *skin.monthBox)->text, "2");
    EXPECT_EQ(TextIn(texts, *skin.monthBox)->style.color.red, 2);
    const MonthGrid grid = GridOf(skin, request);
    EXPECT_EQ(TextIn(texts, WeekdayHeaderBox(grid, 0))->text, "一");
    EXPECT_EQ(TextIn(texts, WeekdayHeaderBox(grid, 6))->text, "日");
    EXPECT_EQ(TextIn(texts, WeekdayHeaderBox(grid, 6))->style.color.red, 3);
}

TEST(MonthLayoutTest, MissingBoxesSwitchOffWhatTheyPlace) {
    SkinTemplate skin = Skin();
    skin.yearBox.reset();
    skin.monthBox.reset();
    skin.body.reset();
    skin.listArea.reset();
    FakeDays days;
    days.festivals[DateKey(2015, 2, 10)] = {Festival("测试节")};
    const MonthLayout layout = LayOutMonth(skin, Request(2015, 2, D(2015, 2, 10)), days);
    EXPECT_TRUE(layout.display.items.empty());
    EXPECT_TRUE(layout.cells.empty());
    EXPECT_EQ(layout.display.backgroundPath, "backgroud.png");
}

TEST(MonthLayoutTest, TheSecondLineShowsFestivalThenSolarTermThenLunarDay) {
    const SkinTemplate skin = Skin();
    FakeDays days;
    days.festivals[DateKey(2015, 4, 5)] = {Festival("清明节", "（第1个）"), Festival("另一节")};
    days.solarTerms[DateKey(2015, 4, 5)] = "清明";
    days.solarTerms[DateKey(2015, 4, 20)] = "谷雨";
    const MonthLayoutRequest request = Request(2015, 4, D(2015, 1, 1));
    const MonthLayout layout = LayOutMonth(skin, request, days);
    const auto texts = Texts(layout);
    const MonthGrid grid = GridOf(skin, request);

    const DisplayText* festival = TextIn(texts, DayCellBoxesOf(grid, 5).secondLine);
    ASSERT_NE(festival, nullptr);
    EXPECT_EQ(festival->text, "清明节");  // the first festival, without its suffix
    EXPECT_EQ(festival->style.color.red, 7);

    const DisplayText* term = TextIn(texts, DayCellBoxesOf(grid, 20).secondLine);
    EXPECT_EQ(term->text, "谷雨");
    EXPECT_EQ(term->style.color.red, 8);

    const DisplayText* lunar = TextIn(texts, DayCellBoxesOf(grid, 21).secondLine);  // lunar 2015-03-03
    EXPECT_EQ(lunar->text, "初三");
    EXPECT_EQ(lunar->style.color.red, 6);
}

TEST(MonthLayoutTest, TheFirstDayOfALunarMonthShowsTheMonthsName) {
    const SkinTemplate skin = Skin();
    const MonthLayoutRequest february = Request(2015, 2, D(2015, 1, 1));
    const auto texts = Texts(LayOutWithoutEvents(skin, february));
    EXPECT_EQ(TextIn(texts, DayCellBoxesOf(GridOf(skin, february), 19).secondLine)->text, "正月");
    const MonthLayoutRequest january = Request(2015, 1, D(2015, 1, 1));
    const auto januaryTexts = Texts(LayOutWithoutEvents(skin, january));
    EXPECT_EQ(TextIn(januaryTexts, DayCellBoxesOf(GridOf(skin, january), 20).secondLine)->text, "腊月");
}

// The first of a lunar month names the month, a leap month's too, unless a
// festival announced in the notice falls on it; an observance that is only
// listed does not hide it.
TEST(MonthLayoutTest, TheFirstOfALunarMonthGivesWayOnlyToAMajorFestival) {
    SkinTemplate skin = Skin();
    skin.festivalStyle.size = 12;  // as the shipped skins have it
    FakeDays days;
    days.festivals[DateKey(2028, 6, 23)] = {Festival("奥林匹克日", "", "1", "0")};              // 闰五月初一
    days.festivals[DateKey(2028, 7, 22)] = {Festival("小节", "", "1", "0"), Festival("大节")};  // 六月初一
    days.festivals[DateKey(2028, 6, 24)] = {Festival("奥林匹克日", "", "1", "0")};              // 闰五月初二
    const MonthLayoutRequest june = Request(2028, 6, D(2028, 1, 1));
    const auto texts = Texts(LayOutMonth(skin, june, days));
    const MonthGrid grid = GridOf(skin, june);
    EXPECT_EQ(TextIn(texts, DayCellBoxesOf(grid, 23).secondLine)->text, "闰五月");
    EXPECT_EQ(TextIn(texts, DayCellBoxesOf(grid, 23).secondLine)->role, TextRole::kLunarDay);
    EXPECT_EQ(TextIn(texts, DayCellBoxesOf(grid, 24).secondLine)->text, "奥林匹克");  // its short name
    const MonthLayoutRequest july = Request(2028, 7, D(2028, 1, 1));
    EXPECT_EQ(TextIn(Texts(LayOutMonth(skin, july, days)), DayCellBoxesOf(GridOf(skin, july), 22).secondLine)->text,
              "大节");
}

// A cell of the shipped skins holds three characters at 12 pixels: a longer
// name is drawn smaller, or ends in "…", and a shipped one shows its short
// name; the list's lines end in "…" where they run off.
TEST(MonthLayoutTest, TextsTooLongForTheirBoxesAreDrawnSmallerOrEndInAnEllipsis) {
    SkinTemplate skin = Skin();
    skin.festivalStyle.size = 12;
    skin.listItemStyle.size = 12;
    FakeDays days;
    days.festivals[DateKey(2026, 12, 1)] = {Festival("世界艾滋病日")};
    days.festivals[DateKey(2026, 12, 2)] = {Festival("妈妈生日")};
    days.festivals[DateKey(2026, 12, 3)] = {Festival("妈妈的生日")};
    days.festivals[DateKey(2026, 12, 4)] = {Festival("国庆节")};
    const MonthLayoutRequest request = Request(2026, 12, D(2026, 12, 1));
    const MonthLayout layout = LayOutMonth(skin, request, days);
    const auto texts = Texts(layout);
    const MonthGrid grid = GridOf(skin, request);
    struct Expected {
        int day;
        const char* text;
        int size, templateSize;
    };
    for (const Expected& e : {Expected{1, "艾滋病日", 10, 12}, Expected{2, "妈妈生日", 10, 12},
                              Expected{3, "妈妈的…", 10, 12}, Expected{4, "国庆节", 12, 0}}) {
        const DisplayText* text = TextIn(texts, DayCellBoxesOf(grid, e.day).secondLine);
        ASSERT_NE(text, nullptr) << e.day;
        EXPECT_EQ(text->text, e.text) << e.day;
        EXPECT_EQ(text->style.size, e.size) << e.day;
        EXPECT_EQ(text->templateSize, e.templateSize) << e.day;
    }
    const auto lines = ListLines(layout, skin);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "今天「世界艾滋病日」！");
    const std::string longName(60, 'x');
    days.festivals[DateKey(2026, 12, 1)] = {Festival(longName)};
    const auto cut = ListLines(LayOutMonth(skin, request, days), skin);
    ASSERT_FALSE(cut.empty());
    EXPECT_EQ(cut[0].substr(cut[0].size() - std::string("…").size()), "…");
    EXPECT_EQ(cut[0].rfind("今天「xxx", 0), 0u);
}

TEST(MonthLayoutTest, TodayHasItsOwnStyleAndTheRing) {
    const SkinTemplate skin = Skin();
    const MonthLayoutRequest request = Request(2015, 2, D(2015, 2, 10));
    const MonthLayout layout = LayOutWithoutEvents(skin, request);
    const auto texts = Texts(layout);
    const DayCellBoxes today = DayCellBoxesOf(GridOf(skin, request), 10);
    EXPECT_EQ(TextIn(texts, today.number)->style.color.red, 5);
    EXPECT_EQ(TextIn(texts, DayCellBoxesOf(GridOf(skin, request), 11).number)->style.color.red, 4);
    const auto rings = Shapes<DisplayEllipse>(layout);
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(rings[0].box, TodayRingBox(today.number));
    EXPECT_EQ(rings[0].penWidth, 4);
    EXPECT_EQ(rings[0].color, (Color{155, 255, 0, 0}));
}

// A good day found and the days of a leave plan keep their marks from month
// to month; the badges take the corner across from 休 and 班.
TEST(MonthLayoutTest, MarkedDaysGetABandAndABadgeAndTheDayGoneToARing) {
    SkinTemplate skin = Skin();
    skin.offDayBadge.offStyle = Style(10);
    DayMarks marks;
    marks.days[D(2026, 10, 8)] = DayMark::kLeaveDay;
    marks.days[D(2026, 10, 11)] = DayMark::kPlanDayOff;
    marks.days[D(2026, 10, 20)] = DayMark::kGoodDay;
    marks.days[D(2026, 11, 2)] = DayMark::kGoodDay;  // another month
    marks.ringed = D(2026, 10, 20);
    MonthLayoutRequest request = Request(2026, 10, D(2026, 12, 8));
    request.marks = &marks;
    const MonthLayout layout = LayOutWithoutEvents(skin, request);
    const MonthGrid grid = GridOf(skin, request);

    const auto bands = Shapes<DisplayBand>(layout);
    ASSERT_EQ(bands.size(), 3u);
    const Rect leaveCell = DayCellBoxesOf(grid, 8).cell;
    EXPECT_EQ(bands[0].box, (Rect{leaveCell.left + 1, leaveCell.top + 1, leaveCell.right - 1, leaveCell.bottom - 1}));
    EXPECT_EQ(bands[0].color, DayMarkBandColor(DayMark::kLeaveDay));
    EXPECT_EQ(bands[1].color, DayMarkBandColor(DayMark::kPlanDayOff));
    EXPECT_EQ(bands[2].color, DayMarkBandColor(DayMark::kGoodDay));
    EXPECT_NE(DayMarkBandColor(DayMark::kLeaveDay), DayMarkBandColor(DayMark::kGoodDay));

    std::vector<std::pair<std::string, int>> badges;  // text, left edge
    for (const DisplayText& text : Texts(layout)) {
        if (text.role == TextRole::kMarkBadge) badges.emplace_back(text.text, text.box.left);
    }
    // The 休 / 班 badge sits in the top right corner by default: these in the top left.
    EXPECT_EQ(badges, (std::vector<std::pair<std::string, int>>{{"假", DayCellBoxesOf(grid, 8).cell.left - 1},
                                                                {"吉", DayCellBoxesOf(grid, 20).cell.left - 1}}));

    const auto rings = Shapes<DisplayEllipse>(layout);
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(rings[0].color, SkinTemplate().focusRingColor);
    // Round the whole number (a two-digit day is not struck through), within
    // the cell's width, and round today's ring when the day is today.
    const DayCellBoxes ringed = DayCellBoxesOf(grid, 20);
    const Rect ring = rings[0].box, today = TodayRingBox(ringed.number);
    EXPECT_EQ(ring.Width(), ring.Height());
    EXPECT_LE(std::abs((ring.left + ring.right) - (ringed.number.left + ringed.number.right)), 1) << "centred";
    EXPECT_LT(ring.top, ringed.number.top);
    EXPECT_GT(ring.bottom, ringed.number.bottom);
    EXPECT_GE(ring.left, ringed.cell.left);
    EXPECT_LE(ring.right, ringed.cell.right);
    EXPECT_TRUE(ring.left < today.left && ring.top < today.top && ring.right > today.right &&
                ring.bottom > today.bottom);
}

TEST(MonthLayoutTest, WithShowTodayOffTodayLooksLikeAnyOtherDay) {
    const SkinTemplate skin = Skin();
    MonthLayoutRequest request = Request(2015, 2, D(2015, 2, 10));
    request.showToday = false;
    const MonthLayout layout = LayOutWithoutEvents(skin, request);
    EXPECT_TRUE(Shapes<DisplayEllipse>(layout).empty());
    EXPECT_EQ(TextIn(Texts(layout), DayCellBoxesOf(GridOf(skin, request), 10).number)->style.color.red, 4);
}

TEST(MonthLayoutTest, AnotherMonthThanTodaysHasNoRing) {
    const MonthLayout layout = LayOutWithoutEvents(Skin(), Request(2015, 3, D(2015, 2, 10)));
    EXPECT_TRUE(Shapes<DisplayEllipse>(layout).empty());
}

TEST(MonthLayoutTest, DaysWithRemindersCarryADotOnTheLineUnderTheNumber) {
    const SkinTemplate skin = Skin();
    FakeDays days;
    days.remindersOn[DateKey(2015, 2, 14)] = {ReminderAt(8, 0, "买花")};
    const MonthLayoutRequest request = Request(2015, 2, D(2015, 2, 10));
    const MonthLayout layout = LayOutMonth(skin, request, days);
    const auto dots = Shapes<DisplayDot>(layout);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].box, ReminderDotBox(DayCellBoxesOf(GridOf(skin, request), 14).number));
    EXPECT_EQ(dots[0].color, (Color{255, 0, 128, 255}));
}

TEST(MonthLayoutTest, HitTestsFindTheDayUnderAPointAndNothingOutsideTheMonth) {
    const MonthLayout layout = LayOutWithoutEvents(Skin(), Request(2014, 8, D(2015, 2, 10)));
    const CellRect first = layout.cells.at(1);
    EXPECT_EQ(DayAt(layout.cells, first.left, first.top), 1);
    EXPECT_EQ(DayAt(layout.cells, first.right - 1, first.bottom - 1), 1);
    EXPECT_EQ(DayAt(layout.cells, 20, 110), 0);  // the empty cells before the 1st
    EXPECT_EQ(DayAt(layout.cells, 0, 0), 0);
}

// ---- the upcoming-events list

TEST(MonthLayoutTest, TheListStartsTodayAndNumbersLinesByDayOffset) {
    const SkinTemplate skin = Skin();
    FakeDays days;
    days.festivals[DateKey(2015, 2, 10)] = {Festival("甲节")};
    days.festivals[DateKey(2015, 2, 13)] = {Festival("乙节", "（5周年）")};
    const MonthLayout layout = LayOutMonth(skin, Request(2015, 2, D(2015, 2, 10)), days);
    const auto lines = ListLines(layout, skin);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "今天「甲节」！");
    EXPECT_EQ(lines[1], "3天后「乙节（5周年）」");
    const auto texts = Texts(layout);
    EXPECT_NE(TextIn(texts, {26, 392, 334, 412}), nullptr);
    EXPECT_NE(TextIn(texts, {26, 412, 334, 432}), nullptr);  // no gap for the days in between
    EXPECT_EQ(TextIn(texts, {26, 412, 334, 432})->alignment, HorizontalAlignment::kCenter);
    EXPECT_EQ(TextIn(texts, {26, 412, 334, 432})->style.color.red, 9);
}

TEST(MonthLayoutTest, TheListFollowsTheMonthOfTodayNotTheShownMonth) {
    const SkinTemplate skin = Skin();
    FakeDays days;
    days.festivals[DateKey(2015, 2, 11)] = {Festival("甲节")};
    const auto lines = ListLines(LayOutMonth(skin, Request(2030, 7, D(2015, 2, 10)), days), skin);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "明天「甲节」");
}

TEST(MonthLayoutTest, TheListStopsAtTheBottomOfItsArea) {
    SkinTemplate skin = Skin();
    FakeDays days;
    for (int d = 1; d <= 28; ++d) days.festivals[DateKey(2015, 2, d)] = {Festival("节")};
    EXPECT_EQ(ListLines(LayOutMonth(skin, Request(2015, 2, D(2015, 2, 1)), days), skin).size(), 5u);
    skin.listArea->bottom -= 1;  // the fifth line would now cross the bottom
    EXPECT_EQ(ListLines(LayOutMonth(skin, Request(2015, 2, D(2015, 2, 1)), days), skin).size(), 4u);
}

TEST(MonthLayoutTest, ListHorizonZeroListsTodayOnlyAndMinusOneNothing) {
    const SkinTemplate skin = Skin();
    FakeDays days;
    days.festivals[DateKey(2015, 2, 10)] = {Festival("甲节")};
    days.festivals[DateKey(2015, 2, 11)] = {Festival("乙节")};
    MonthLayoutRequest request = Request(2015, 2, D(2015, 2, 10));
    request.listForDays = 0;
    const auto today = ListLines(LayOutMonth(skin, request, days), skin);
    ASSERT_EQ(today.size(), 1u);
    EXPECT_EQ(today[0], "今天「甲节」！");
    request.listForDays = -1;
    EXPECT_TRUE(ListLines(LayOutMonth(skin, request, days), skin).empty());
}

TEST(MonthLayoutTest, TheListIsAlignedAsTheTemplateSays) {
    SkinTemplate skin = Skin();
    skin.listAlignment = HorizontalAlignment::kRight;
    FakeDays days;
    days.festivals[DateKey(2015, 2, 10)] = {Festival("甲节")};
    const auto texts = Texts(LayOutMonth(skin, Request(2015, 2, D(2015, 2, 10)), days));
    EXPECT_EQ(TextIn(texts, {26, 392, 334, 412})->alignment, HorizontalAlignment::kRight);
}

TEST(MonthLayoutTest, AReminderRepeatedOnSeveralDaysIsListedOnceWhenRemindersAreShown) {
    const SkinTemplate skin = Skin();
    FakeDays days;
    for (int d = 10; d <= 12; ++d) days.remindersOn[DateKey(2015, 2, d)] = {ReminderAt(8, 0, "晨跑\n半小时")};
    days.solarTerms[DateKey(2015, 2, 19)] = "雨水";
    MonthLayoutRequest request = Request(2015, 2, D(2015, 2, 10));
    EXPECT_TRUE(ListLines(LayOutMonth(skin, request, days), skin).empty());
    request.forenotice.showReminders = true;
    request.forenotice.showSolarTerms = true;
    const auto lines = ListLines(LayOutMonth(skin, request, days), skin);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "今天「08:00 晨跑 半小时」！");
    EXPECT_EQ(lines[1], "9天后「雨水」");
}

TEST(MonthLayoutTest, ARebuildAsksForEachDayOfTheMonthAndOfTheHorizonOnce) {
    FakeDays days;
    MonthLayoutRequest request = Request(2015, 2, D(2015, 2, 10));
    request.listForDays = 30;
    LayOutMonth(Skin(), request, days);
    EXPECT_EQ(days.queries, 28 + 31);
    EXPECT_EQ(days.partialQueries, 0);
}

}  // namespace
