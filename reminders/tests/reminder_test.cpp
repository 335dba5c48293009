#include "reminders/reminder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Reminder, ANewRecordIsAllZeroBytes) {
    const Reminder r;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&r);
    for (std::size_t i = 0; i < sizeof r; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(Reminder, FieldsLieAtTheirStoredPlacesInLittleEndianOrder) {
    Reminder r;
    r.start.year = 2013;
    r.repeatEnd.minute = 0x0102;
    r.category = kCategoryFamily;
    r.calendar = kReminderGregorian;
    r.content[0] = 'x';
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&r);
    EXPECT_EQ(bytes[0], 2013 & 0xFF);
    EXPECT_EQ(bytes[1], 2013 >> 8);
    EXPECT_EQ(bytes[16 + 10], 0x02);
    EXPECT_EQ(bytes[16 + 11], 0x01);
    EXPECT_EQ(bytes[36], 3);
    EXPECT_EQ(bytes[52], 1);
    EXPECT_EQ(bytes[56], 'x');
}

TEST(ReminderCodes, HaveTheTextsTheDialogsShow) {
    EXPECT_EQ(CategoryText(kCategoryNone), "无分类");
    EXPECT_EQ(CategoryText(kCategoryImportant), "重要");
    EXPECT_EQ(RepeatText(kRepeatBiweekly), "每2周");
    EXPECT_EQ(RepeatText(kRepeatYearly), "每年");
    EXPECT_EQ(AlertText(kAlertAtTime), "事件发生时");
    EXPECT_EQ(AlertText(kAlert1Day), "1天之前");
    EXPECT_EQ(ReminderCalendarText(kReminderLunar), "旧历");
    EXPECT_EQ(ReminderCalendarText(kReminderGregorian), "阳历");
    EXPECT_EQ(ReminderCategories().size(), 5u);
    EXPECT_EQ(ReminderRepeats().size(), 6u);
    EXPECT_EQ(ReminderAlerts().size(), 9u);
}

TEST(ReminderCodes, OutsideTheirTablesHaveNoText) {
    EXPECT_EQ(CategoryText(5), "");
    EXPECT_EQ(RepeatText(-1), "");
    EXPECT_EQ(AlertText(9), "");
    EXPECT_EQ(ReminderCalendarText(2), "");
}

TEST(ReminderCodes, AlertLeadTimesRunFromNoneToTwoDays) {
    EXPECT_EQ(AlertLeadSeconds(kAlertNone), -1);
    EXPECT_EQ(AlertLeadSeconds(kAlertAtTime), 0);
    EXPECT_EQ(AlertLeadSeconds(kAlert5Minutes), 300);
    EXPECT_EQ(AlertLeadSeconds(kAlert15Minutes), 900);
    EXPECT_EQ(AlertLeadSeconds(kAlert30Minutes), 1800);
    EXPECT_EQ(AlertLeadSeconds(kAlert1Hour), 3600);
    EXPECT_EQ(AlertLeadSeconds(kAlert2Hours), 7200);
    EXPECT_EQ(AlertLeadSeconds(kAlert1Day), 86400);
    EXPECT_EQ(AlertLeadSeconds(kAlert2Days), 172800);
    EXPECT_EQ(AlertLeadSeconds(9), -1);
}

TEST(ReminderCodes, LunarMemosAreNotOfferedWeeklyRepeats) {
    std::vector<std::int32_t> lunar;
    for (const ReminderCode& c : RepeatsOfferedFor(kReminderLunar)) lunar.push_back(c.code);
    EXPECT_EQ(lunar, (std::vector<std::int32_t>{kRepeatNone, kRepeatDaily, kRepeatMonthly, kRepeatYearly}));
    EXPECT_EQ(RepeatsOfferedFor(kReminderGregorian).size(), 6u);
}

TEST(ReminderText, HoldsUpTo9999BytesAndCutsOnlyBetweenCharacters) {
    Reminder r;
    EXPECT_TRUE(SetReminderText(r, std::string(9999, 'a')));
    EXPECT_EQ(ReminderText(r).size(), 9999u);
    EXPECT_EQ(r.content[9999], '\0');

    EXPECT_FALSE(SetReminderText(r, std::string(10000, 'b')));
    EXPECT_EQ(ReminderText(r), std::string(9999, 'b'));

    // 9 998 single bytes and one double-byte character do not fit: the whole
    // character is left out.
    EXPECT_FALSE(SetReminderText(r, std::string(9998, 'c') + "备"));
    EXPECT_EQ(ReminderText(r), std::string(9998, 'c'));
}

TEST(ReminderText, ReplacingAShorterTextLeavesNothingOfTheLongerOne) {
    Reminder r;
    SetReminderText(r, "买菜买菜");
    SetReminderText(r, "开会");
    EXPECT_EQ(ReminderText(r), "开会");
    EXPECT_EQ(r.content[5], '\0');
}

TEST(ReminderText, OfADamagedRecordWithoutTerminatorStaysInsideTheField) {
    Reminder r;
    std::memset(r.content, 'z', sizeof r.content);
    EXPECT_EQ(ReminderText(r).size(), sizeof r.content);
}

}  // namespace

namespace {

TEST(ReminderRow, ShowsEveryColumnOfTheMemoList) {
    Reminder r;
    r.calendar = kReminderGregorian;
    r.start = MakeDate(2013, 3, 1);
    r.start.hour = 9;
    r.start.minute = 5;
    r.repeatEnd = MakeDate(2014, 3, 1);
    r.firstAlert = kAlert15Minutes;
    r.repeat = kRepeatMonthly;
    r.category = kCategoryWork;
    SetReminderText(r, "交报告");
    EXPECT_EQ(ReminderRowTexts(r), (std::vector<std::string>{"交报告", "阳历", "15分钟之前", "无提醒", "每月", "工作",
                                                             "2013年03月01日09点05分", "2014年03月01日00点00分"}));
    EXPECT_EQ(ReminderColumnTitles().size(), 8u);
}

TEST(ReminderRow, NamesTheLunarStartWithLunarMonthAndDayNames) {
    Reminder r;
    r.calendar = kReminderLunar;
    r.start.year = 2013;
    r.start.month = 1;
    r.start.day = 1;
    EXPECT_EQ(ReminderStartText(r), "2013年正月初一00点00分");
    r.start.month = 12;
    r.start.day = 30;
    r.start.hour = 23;
    EXPECT_EQ(ReminderStartText(r), "2013年腊月三十23点00分");
}

TEST(ReminderRow, LeavesCodesOutsideTheTablesEmpty) {
    Reminder r;
    r.calendar = 7;
    r.category = 9;
    r.repeat = 6;
    const std::vector<std::string> row = ReminderRowTexts(r);
    EXPECT_EQ(row[1], "");
    EXPECT_EQ(row[4], "");
    EXPECT_EQ(row[5], "");
    EXPECT_EQ(ReminderStartText(r), "0000年00月00日00点00分");
}

}  // namespace
