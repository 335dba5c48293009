#include "reminders/reminder_manager_model.h"

#include <gtest/gtest.h>

#include "tests/support/reminder_samples.h"

namespace {

SystemTime Clock() { return At(2013, 7, 9, 14, 25, 7); }

TEST(ReminderManagerModel, AnOpenedListIsUnmodifiedUntilSomethingIsConfirmed) {
    ReminderManagerModel model(
        {Gregorian(ReminderRepeat::kNone, 2013, 1, 1), Gregorian(ReminderRepeat::kNone, 2013, 1, 2)});
    EXPECT_FALSE(model.modified());
    EXPECT_EQ(model.Add(Gregorian(ReminderRepeat::kNone, 2013, 1, 3, 8, 0, "新")), 2);
    EXPECT_TRUE(model.modified());
    model.MarkSaved();
    model.Replace(0, Gregorian(ReminderRepeat::kDaily, 2013, 1, 1));
    EXPECT_TRUE(model.modified());
    EXPECT_EQ(model.row(0).repeat, ReminderRepeat::kDaily);
}

TEST(ReminderManagerModel, DeletingSelectsTheRowThatTookItsPlaceOrTheLast) {
    ReminderManagerModel model({Gregorian(ReminderRepeat::kNone, 2013, 1, 1, 8, 0, "a"),
                                Gregorian(ReminderRepeat::kNone, 2013, 1, 2, 8, 0, "b"),
                                Gregorian(ReminderRepeat::kNone, 2013, 1, 3, 8, 0, "c")});
    EXPECT_EQ(model.Delete(1), 1);
    EXPECT_EQ(ReminderText(model.row(1)), "c");
    EXPECT_EQ(model.Delete(1), 0);
    EXPECT_EQ(model.Delete(0), -1);
    EXPECT_EQ(model.size(), 0);
    EXPECT_TRUE(model.modified());
    EXPECT_EQ(model.Delete(0), -1);
}

TEST(ReminderManagerModel, TwoRemindersWithTheSameTextStayTwoRows) {
    ReminderManagerModel model;
    model.Add(Gregorian(ReminderRepeat::kNone, 2013, 1, 1, 8, 0, "同"));
    model.Add(Gregorian(ReminderRepeat::kNone, 2013, 1, 1, 8, 0, "同"));
    EXPECT_EQ(model.rows().size(), 2u);
}

TEST(NewReminder, FromTheTrayStartsNowAsAGregorianReminderAlertedWhenItHappens) {
    const Reminder r = NewReminder(std::nullopt, false, Clock());
    EXPECT_EQ(ReminderStartText(r), "2013年07月09日14点25分");
    EXPECT_EQ(ReminderEndText(r), "2014年07月09日14点25分");
    EXPECT_EQ(r.start.second, 7);
    EXPECT_EQ(r.calendar, ReminderCalendar::kGregorian);
    EXPECT_EQ(r.firstAlert, ReminderAlert::kAtTime);
    EXPECT_EQ(r.secondAlert, ReminderAlert::kNone);
    EXPECT_EQ(r.repeat, ReminderRepeat::kNone);
    EXPECT_EQ(r.category, ReminderCategory::kNone);
    EXPECT_FALSE(r.hasRepeatEnd());
    EXPECT_EQ(ReminderText(r), "");
}

TEST(NewReminder, FromALunarDayStartsOnThatLunarDateAtMidnight) {
    SystemTime lunar{};
    lunar.year = 2013;
    lunar.month = 8;
    lunar.day = 15;
    const Reminder r = NewReminder(lunar, true, Clock());
    EXPECT_EQ(r.calendar, ReminderCalendar::kLunar);
    EXPECT_EQ(ReminderRowTexts(r)[6], "2013年八月十五00点00分");
    EXPECT_EQ(ReminderEndText(r), "2014年08月15日00点00分");
}

TEST(NewReminder, EndsOnARealDateAYearAfterAStartThatHasNone) {
    SystemTime leapDay = At(2012, 2, 29);
    EXPECT_EQ(ReminderEndText(NewReminder(leapDay, false, Clock())), "2013年02月28日00点00分");
    SystemTime lunar{};
    lunar.year = 2013;
    lunar.month = 2;
    lunar.day = 30;
    EXPECT_EQ(ReminderEndText(NewReminder(lunar, true, Clock())), "2014年02月28日00点00分");
}

TEST(ReminderManagerColumns, ShowContentAlertCategoryAndStartAndHideTheRest) {
    std::string shown;
    for (const ReminderColumn& column : ReminderManagerColumns())
        shown += column.title + ":" + std::to_string(column.width) + " ";
    EXPECT_EQ(shown, "备忘内容:280 日历:0 提醒:120 第二次提醒:0 重复:0 分类:90 开始时间:160 结束重复时间:0 ");
}

}  // namespace
