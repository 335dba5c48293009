#include "reminders/reminder_editor_form.h"

#include <gtest/gtest.h>

#include <cstring>

#include "reminders/reminder_manager_model.h"
#include "tests/support/reminder_samples.h"

namespace {

ReminderEditorForm GregorianForm(const std::string& y, const std::string& m, const std::string& d,
                                 const std::string& hour = "9", const std::string& minute = "30") {
    ReminderEditorForm form;
    form.content = "开会";
    form.calendar = ReminderCalendar::kGregorian;
    form.startYear = y;
    form.startMonth = m;
    form.startDay = d;
    form.startHour = hour;
    form.startMinute = minute;
    form.endYear = "2014";
    form.endMonth = "3";
    form.endDay = "1";
    form.endHour = "0";
    form.endMinute = "0";
    return form;
}

// The field and message of a refusal, or "accepted".
std::string Outcome(const ReminderEditorForm& form) {
    Reminder record = Gregorian(ReminderRepeat::kNone, 2013, 3, 1);
    const auto problem = ApplyEditorForm(form, record);
    if (!problem) return "accepted";
    return std::to_string(static_cast<int>(problem->field)) + " " + problem->message;
}

int FieldOf(const ReminderEditorForm& form) {
    Reminder record;
    const auto problem = ApplyEditorForm(form, record);
    return problem ? static_cast<int>(problem->field) : -1;
}

TEST(ReminderEditorForm, RefusesStartDatesThatDoNotExistInTheGregorianCalendar) {
    EXPECT_EQ(Outcome(GregorianForm("2013", "2", "30")), "3 开始时间的日期不存在：2013年2月只有28天。");
    EXPECT_EQ(Outcome(GregorianForm("2013", "4", "31")), "3 开始时间的日期不存在：2013年4月只有30天。");
    EXPECT_EQ(Outcome(GregorianForm("2012", "2", "29")), "accepted");
    EXPECT_EQ(Outcome(GregorianForm("2013", "13", "1")), "2 开始时间的月份应在1到12之间。");
    EXPECT_EQ(Outcome(GregorianForm("2013", "0", "1")), "2 开始时间的月份应在1到12之间。");
    EXPECT_EQ(Outcome(GregorianForm("2013", "3", "0")), "3 开始时间的日期应在1到31之间。");
    EXPECT_EQ(Outcome(GregorianForm("1899", "3", "1")), "1 开始时间的年份应在1900到2099之间。");
}

TEST(ReminderEditorForm, RefusesTimesOutsideTheDay) {
    EXPECT_EQ(Outcome(GregorianForm("2013", "3", "1", "24", "0")), "4 开始时间的小时应在0到23之间。");
    EXPECT_EQ(Outcome(GregorianForm("2013", "3", "1", "-1", "0")), "4 开始时间的小时应在0到23之间。");
    EXPECT_EQ(Outcome(GregorianForm("2013", "3", "1", "23", "60")), "5 开始时间的分钟应在0到59之间。");
    EXPECT_EQ(Outcome(GregorianForm("2013", "3", "1", "23", "59")), "accepted");
    EXPECT_EQ(Outcome(GregorianForm("2013", "3", "1", "0", "0")), "accepted");
}

TEST(ReminderEditorForm, RefusesTextThatIsNotANumberInsteadOfReadingItAsZero) {
    EXPECT_EQ(FieldOf(GregorianForm("2013", "3", "1", "abc", "0")), static_cast<int>(ReminderFormField::kStartHour));
    EXPECT_EQ(FieldOf(GregorianForm("", "3", "1")), static_cast<int>(ReminderFormField::kStartYear));
    EXPECT_EQ(FieldOf(GregorianForm("2013", "3月", "1")), static_cast<int>(ReminderFormField::kStartMonth));
    EXPECT_EQ(Outcome(GregorianForm(" 2013 ", "3", "1", "09", "05")), "accepted");
}

TEST(ReminderEditorForm, AcceptsEveryLunarDayUpToTheThirtiethByNameOrNumber) {
    ReminderEditorForm form = GregorianForm("2013", "腊", "三十");
    form.calendar = ReminderCalendar::kLunar;
    EXPECT_EQ(Outcome(form), "accepted");
    form.startMonth = "2";
    form.startDay = "30";
    EXPECT_EQ(Outcome(form), "accepted");
    form.startDay = "31";
    EXPECT_EQ(Outcome(form), "3 开始时间的日期应是初一到三十中的一天。");
    form.startDay = "初一";
    form.startMonth = "13";
    EXPECT_EQ(Outcome(form), "2 开始时间的月份应是正月到腊月中的一个。");
}

TEST(ReminderEditorForm, ChecksTheEndOfRepetitionOnlyWhileItIsInForce) {
    ReminderEditorForm form = GregorianForm("2013", "3", "1");
    form.endMonth = "2";
    form.endDay = "30";
    EXPECT_EQ(Outcome(form), "accepted");
    form.hasRepeatEnd = true;
    EXPECT_EQ(Outcome(form), "8 结束重复时间的日期不存在：2014年2月只有28天。");
    form.endDay = "28";
    form.endHour = "25";
    EXPECT_EQ(Outcome(form), "9 结束重复时间的小时应在0到23之间。");
}

TEST(ReminderEditorForm, RefusesAnEmptyReminderAndOneLongerThanTheRecordHolds) {
    ReminderEditorForm form = GregorianForm("2013", "3", "1");
    form.content.clear();
    EXPECT_EQ(Outcome(form), "0 尚未输入备忘内容。");
    form.content = "\r\n";  // a line break alone is a memo
    EXPECT_EQ(Outcome(form), "accepted");
    form.content = std::string(9999, 'a');
    EXPECT_EQ(Outcome(form), "accepted");
    form.content = std::string(4999, '\xB0') + std::string(4999, '\xA1') + "ab";  // 10 000 bytes
    EXPECT_EQ(FieldOf(form), static_cast<int>(ReminderFormField::kContent));
    EXPECT_NE(Outcome(form).find("现在有10000个字节"), std::string::npos);
    form.content = "笑\x3F";
    form.contentLostCharacters = true;
    EXPECT_EQ(FieldOf(form), static_cast<int>(ReminderFormField::kContent));
}

TEST(ReminderEditorForm, ARefusedFormLeavesTheRecordUntouched) {
    Reminder record = Gregorian(ReminderRepeat::kWeekly, 2013, 3, 1, 8, 0, "原来的");
    const Reminder before = record;
    ReminderEditorForm form = GregorianForm("2013", "2", "30");
    EXPECT_TRUE(ApplyEditorForm(form, record));
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST(ReminderEditorForm, WritesTheShownFieldsAndKeepsEveryOtherByte) {
    Reminder record = Gregorian(ReminderRepeat::kNone, 2013, 3, 1, 8, 0, "一段较长的旧内容");
    record.start.second = 42;
    record.start.dayOfWeek = 5;
    record.content[500] = 'x';
    ReminderEditorForm form = GregorianForm("2020", "12", "31", "23", "59");
    form.content = "新";
    form.repeat = ReminderRepeat::kWeekly;
    form.firstAlert = ReminderAlert::k1Day;
    form.secondAlert = ReminderAlert::k5Minutes;
    form.category = ReminderCategory::kFamily;
    form.hasRepeatEnd = true;
    ASSERT_FALSE(ApplyEditorForm(form, record));
    EXPECT_EQ(ReminderStartText(record), "2020年12月31日23点59分");
    EXPECT_EQ(ReminderEndText(record), "2014年03月01日00点00分");
    EXPECT_EQ(record.start.second, 42);
    EXPECT_EQ(record.start.dayOfWeek, 5);
    EXPECT_EQ(record.content[500], 'x');
    EXPECT_EQ(ReminderText(record), "新");
    EXPECT_TRUE(record.hasRepeatEnd());
    EXPECT_EQ(record.repeat, ReminderRepeat::kWeekly);
    EXPECT_EQ(record.firstAlert, ReminderAlert::k1Day);
    EXPECT_EQ(record.secondAlert, ReminderAlert::k5Minutes);
    EXPECT_EQ(record.category, ReminderCategory::kFamily);
}

TEST(ReminderEditorForm, AWorkdayReminderOpensAsItWasSavedAndTurnsOneOffAsALunarOne) {
    Reminder record = Gregorian(ReminderRepeat::kNone, 2026, 9, 28, 8, 30);
    record.start.dayOfWeek = 1;  // the clock's Monday, which the export keeps as identity
    ReminderEditorForm form = EditorFormFromReminder(record);
    form.repeat = ReminderRepeat::kWorkdays;
    ASSERT_FALSE(ApplyEditorForm(form, record));
    EXPECT_EQ(record.repeat, ReminderRepeat::kDaily);
    EXPECT_EQ(record.start.dayOfWeek & 0xFF, 1);
    EXPECT_EQ(EditorFormFromReminder(record).repeat, ReminderRepeat::kWorkdays);
    form.repeat = ReminderRepeat::kRestDays;
    ASSERT_FALSE(ApplyEditorForm(form, record));
    EXPECT_EQ(EditorFormFromReminder(record).repeat, ReminderRepeat::kRestDays);
    form.calendar = ReminderCalendar::kLunar;
    form.repeat = OfferedRepeat(ReminderCalendar::kLunar, EditorFormFromReminder(record).repeat);
    EXPECT_EQ(form.repeat, ReminderRepeat::kNone);
    ASSERT_FALSE(ApplyEditorForm(form, record));
    EXPECT_EQ(record.repeat, ReminderRepeat::kNone);
    EXPECT_EQ(record.start.dayOfWeek, 1) << "no mark left behind";
}

TEST(ReminderEditorForm, SwitchingAMarchFifteenthToLunarKeepsTheNumbers) {
    Reminder record = Gregorian(ReminderRepeat::kWeekly, 2013, 3, 15);
    ReminderEditorForm form = EditorFormFromReminder(record);
    EXPECT_EQ(form.startMonth + form.startDay, "315");
    // The editor rebuilds the lists for the lunar calendar: the same numbers
    // now show as the lunar names, and weekly is not offered.
    form.calendar = ReminderCalendar::kLunar;
    form.repeat = OfferedRepeat(ReminderCalendar::kLunar, record.repeat);
    form.startMonth = StartMonthItems(ReminderCalendar::kLunar)[2].text;
    form.startDay = StartDayItems(ReminderCalendar::kLunar)[14].text;
    EXPECT_EQ(form.startMonth + "月" + form.startDay, "三月十五");
    ASSERT_FALSE(ApplyEditorForm(form, record));
    EXPECT_EQ(record.calendar, ReminderCalendar::kLunar);
    EXPECT_EQ(record.repeat, ReminderRepeat::kNone);
    EXPECT_EQ(ReminderStartText(record), "2013年三月十五08点00分");
}

TEST(ReminderEditorForm, TheHintSaysWhichDayTheFieldsNameInTheOtherCalendar) {
    ReminderEditorForm form = GregorianForm("2026", "12", "8");
    EXPECT_EQ(ReminderDateHint(form), "即旧历十月三十");
    // Switched to 旧历, the same numbers name 腊月初八, a month later.
    form.calendar = ReminderCalendar::kLunar;
    form.startMonth = "腊";
    form.startDay = "初八";
    EXPECT_EQ(ReminderDateHint(form), "即阳历2027年1月15日");
    form.startDay = "8";  // typed as a number
    EXPECT_EQ(ReminderDateHint(form), "即阳历2027年1月15日");
    // Fields being typed name no date yet.
    const struct {
        const char *year, *month, *day, *hint;
    } kUnfinished[] = {
        {"", "12", "8", ""}, {"20", "12", "8", ""}, {"2026", "腊月", "8", ""}, {"2026", "腊", "三十", "没有这一天"}};
    for (const auto& c : kUnfinished) {
        form.startYear = c.year;
        form.startMonth = c.month;
        form.startDay = c.day;
        EXPECT_EQ(ReminderDateHint(form), c.hint) << c.year << "/" << c.month << "/" << c.day;
    }
}

// What the day menu's 添加旧历备忘... gives the editor, and what 确定 keeps:
// the clicked day's month, leap or not, all the way into the record.
TEST(ReminderEditorForm, AReminderAddedOnALunarDayKeepsItsMonthLeapOrNot) {
    struct Case {
        int year, month, day;
        bool leap;
        const char *shownMonth, *hint, *startText;
    };
    const Case cases[] = {
        {2023, 2, 10, true, "闰二", "即阳历2023年3月31日", "2023年闰二月初十00点00分"},
        {2020, 4, 10, true, "闰四", "即阳历2020年6月1日", "2020年闰四月初十00点00分"},
        {2025, 6, 10, true, "闰六", "即阳历2025年8月3日", "2025年闰六月初十00点00分"},
        {2023, 2, 10, false, "二", "即阳历2023年3月1日", "2023年二月初十00点00分"},
    };
    for (const Case& c : cases) {
        SystemTime date{};
        date.year = static_cast<std::uint16_t>(c.year);
        date.month = static_cast<std::uint16_t>(c.month);
        date.day = static_cast<std::uint16_t>(c.day);
        Reminder record = NewReminder(date, true, SystemTime{}, c.leap);
        ReminderEditorForm form = EditorFormFromReminder(record);
        form.content = "生日";
        EXPECT_EQ(form.startMonth, c.shownMonth) << c.startText;
        EXPECT_EQ(ReminderDateHint(form), c.hint) << c.startText;
        record = Reminder{};
        ASSERT_FALSE(ApplyEditorForm(form, record)) << c.startText;
        EXPECT_EQ(StartsInLeapMonth(record), c.leap) << c.startText;
        EXPECT_EQ(record.start.month, c.month) << c.startText;
        EXPECT_EQ(ReminderStartText(record), c.startText);
    }
}

TEST(ReminderEditorForm, ALeapMonthNeedsAYearThatHasItAndAYearlyOneSaysWhereItFalls) {
    ReminderEditorForm form = GregorianForm("2023", "闰三", "初十");
    form.calendar = ReminderCalendar::kLunar;
    EXPECT_EQ(ReminderDateHint(form), "2023年没有闰三月");
    EXPECT_EQ(Outcome(form), "2 2023年没有闰三月。");
    form.startMonth = "闰二";
    form.repeat = ReminderRepeat::kYearly;
    EXPECT_EQ(ReminderDateHint(form), "即阳历2023年3月31日\n逢闰二月：2023、2042、2099年\n其余年份在二月初十");
    // Changed back to the regular month, the record loses its leap mark.
    Reminder record = Lunar(ReminderRepeat::kYearly, 2023, 2, 10);
    SetStartsInLeapMonth(record, true);
    form.startMonth = "二";
    ASSERT_FALSE(ApplyEditorForm(form, record));
    EXPECT_FALSE(StartsInLeapMonth(record));
    // In the Gregorian lists a month is never a leap one.
    EXPECT_EQ(StartMonthItems(ReminderCalendar::kGregorian).size(), 12u);
    EXPECT_EQ(GregorianForm("2023", "102", "10").startMonth, "102");
    EXPECT_EQ(Outcome(GregorianForm("2023", "102", "10")), "2 开始时间的月份应在1到12之间。");
}

TEST(ReminderEditorForm, ShowsStoredCodesWithoutAnItemAsBareNumbers) {
    Reminder record = Lunar(ReminderRepeat::kWeekly, 2013, 13, 0);
    const ReminderEditorForm form = EditorFormFromReminder(record);
    EXPECT_EQ(form.startMonth, "13");
    EXPECT_EQ(form.startDay, "0");
    EXPECT_EQ(form.repeat, ReminderRepeat::kNone);
    EXPECT_EQ(StartDayItems(ReminderCalendar::kGregorian).size(), 31u);
    EXPECT_EQ(StartDayItems(ReminderCalendar::kLunar).back().text, std::string("三十"));
    EXPECT_EQ(NumberItems(1900, 2099).size(), 200u);
}

}  // namespace
