#include "reminders/reminder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "tests/support/dates.h"

namespace {

TEST(Reminder, IsStoredLittleEndianInFieldOrderAndStartsAsZeroBytes) {
    Reminder r;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    for (std::size_t i = 0; i < sizeof r; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
    r.start.year = 2013;
    r.repeatEnd.minute = 0x0102;
    r.category = ReminderCategory::kFamily;
    r.calendar = ReminderCalendar::kGregorian;
    r.content[0] = 'x';
    EXPECT_EQ(bytes[0], 2013 & 0xFF);
    EXPECT_EQ(bytes[1], 2013 >> 8);
    EXPECT_EQ(bytes[26], 0x02);
    EXPECT_EQ(bytes[27], 0x01);
    EXPECT_EQ(bytes[36], 3);
    EXPECT_EQ(bytes[52], 1);
    EXPECT_EQ(bytes[56], 'x');
}

TEST(Reminder, ReadsTheCodeWordsOfAStoredRecordAsTheirNames) {
    // The six words after the two times, as a file stores them: the end of
    // repetition's flag, category, repetition, both alerts, calendar.
    const std::int32_t stored[6] = {1, 4, 3, 8, 7, 0};
    Reminder r;
    std::memcpy(reinterpret_cast<unsigned char*>(&r) + 32, stored, sizeof stored);
    EXPECT_TRUE(r.hasRepeatEnd());
    EXPECT_EQ(r.category, ReminderCategory::kImportant);
    EXPECT_EQ(r.repeat, ReminderRepeat::kBiweekly);
    EXPECT_EQ(r.firstAlert, ReminderAlert::k2Days);
    EXPECT_EQ(r.secondAlert, ReminderAlert::k1Day);
    EXPECT_EQ(r.calendar, ReminderCalendar::kLunar);
    // A damaged flag word still means an end in force; setting it stores 0 or 1.
    const std::int32_t damaged = 7;
    std::memcpy(reinterpret_cast<unsigned char*>(&r) + 32, &damaged, sizeof damaged);
    EXPECT_TRUE(r.hasRepeatEnd());
    r.setHasRepeatEnd(false);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&r)[32], 0);
    r.setHasRepeatEnd(true);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&r)[32], 1);
}

TEST(ReminderCodes, HaveTheDialogsTextsAndLeadTimes) {
    EXPECT_EQ(CategoryText(ReminderCategory::kImportant), "重要");
    EXPECT_EQ(RepeatText(ReminderRepeat::kBiweekly), "每2周");
    EXPECT_EQ(AlertText(ReminderAlert::k1Day), "1天之前");
    EXPECT_EQ(ReminderCalendarText(ReminderCalendar::kLunar), "旧历");
    EXPECT_EQ(CategoryText(ReminderCategory{5}) + RepeatText(ReminderRepeat{-1}) + AlertText(ReminderAlert{13}) +
                  ReminderCalendarText(ReminderCalendar{2}),
              "");
    EXPECT_EQ(AlertLeadSeconds(ReminderAlert::kNone), -1);
    EXPECT_EQ(AlertLeadSeconds(ReminderAlert{13}), -1);
    EXPECT_EQ(RepeatsOfferedFor(ReminderCalendar::kLunar).size(), 4u);  // no weekly nor schedule repeats
    EXPECT_EQ(RepeatsOfferedFor(ReminderCalendar::kGregorian).size(), 8u);
}

// The first nine codes keep what files written before the longer leads mean.
TEST(ReminderCodes, AlertsRunFromTheMinuteItselfToAWeekBeforeListedByLead) {
    const struct {
        ReminderAlert code;
        const char* text;
        std::int64_t seconds;
    } leads[] = {
        {ReminderAlert::kAtTime, "事件发生时", 0},      {ReminderAlert::k1Minute, "1分钟之前", 60},
        {ReminderAlert::k5Minutes, "5分钟之前", 300},   {ReminderAlert::k10Minutes, "10分钟之前", 600},
        {ReminderAlert::k15Minutes, "15分钟之前", 900}, {ReminderAlert::k30Minutes, "30分钟之前", 1800},
        {ReminderAlert::k1Hour, "1小时之前", 3600},     {ReminderAlert::k2Hours, "2小时之前", 7200},
        {ReminderAlert::k1Day, "1天之前", 86400},       {ReminderAlert::k2Days, "2天之前", 172800},
        {ReminderAlert::k3Days, "3天之前", 259200},     {ReminderAlert::k1Week, "1周之前", 604800},
    };
    const std::vector<CodeText<ReminderAlert>>& listed = ReminderAlerts();
    ASSERT_EQ(listed.size(), std::size(leads) + 1);
    EXPECT_STREQ(listed[0].text, "无提醒");
    for (std::size_t i = 0; i < std::size(leads); ++i) {
        EXPECT_EQ(listed[i + 1].code, leads[i].code) << leads[i].text;
        EXPECT_EQ(AlertText(leads[i].code), leads[i].text);
        EXPECT_EQ(AlertLeadSeconds(leads[i].code), leads[i].seconds) << leads[i].text;
    }
    const ReminderAlert firstCodes[] = {ReminderAlert::k5Minutes, ReminderAlert::k15Minutes, ReminderAlert::k30Minutes,
                                        ReminderAlert::k1Hour,    ReminderAlert::k2Hours,    ReminderAlert::k1Day,
                                        ReminderAlert::k2Days};
    for (std::size_t i = 0; i < std::size(firstCodes); ++i) {
        EXPECT_EQ(static_cast<std::int32_t>(firstCodes[i]), static_cast<std::int32_t>(i) + 2);
    }
    EXPECT_EQ(LongestAlertLeadSeconds(), 604800);
}

// 每个工作日 and 每个休息日 are daily memos to a program that knows no mark;
// the mark keeps the clock's weekday below it and leaves a lunar memo's leap
// month alone.
TEST(ReminderRepetition, TheScheduleRepetitionsAreStoredAsDailyWithAMark) {
    const struct {
        ReminderRepeat repetition;
        ReminderRepeat stored;
        std::uint16_t weekdayWord;  // a clock's Wednesday (3) before
    } cases[] = {
        {ReminderRepeat::kWorkdays, ReminderRepeat::kDaily, 0x203},
        {ReminderRepeat::kRestDays, ReminderRepeat::kDaily, 0x403},
        {ReminderRepeat::kDaily, ReminderRepeat::kDaily, 3},
        {ReminderRepeat::kWeekly, ReminderRepeat::kWeekly, 3},
        {ReminderRepeat::kNone, ReminderRepeat::kNone, 3},
    };
    for (const auto& c : cases) {
        Reminder r;
        r.calendar = ReminderCalendar::kGregorian;
        r.start.dayOfWeek = 3;
        SetRepetition(r, ReminderRepeat::kRestDays);  // whatever it was before
        SetRepetition(r, c.repetition);
        EXPECT_EQ(r.repeat, c.stored) << RepeatText(c.repetition);
        EXPECT_EQ(r.start.dayOfWeek, c.weekdayWord) << RepeatText(c.repetition);
        EXPECT_EQ(RepetitionOf(r), c.repetition);
        EXPECT_EQ(RepeatText(RepetitionOf(r)), RepeatText(c.repetition));
    }
    Reminder marked;
    marked.calendar = ReminderCalendar::kGregorian;
    SetRepetition(marked, ReminderRepeat::kWorkdays);
    EXPECT_EQ(RepeatText(marked.repeat), "每天") << "what an older reader shows";
    EXPECT_EQ(ReminderRowTexts(marked)[4], "每个工作日");

    Reminder leap;
    leap.calendar = ReminderCalendar::kLunar;
    SetStartsInLeapMonth(leap, true);
    SetRepetition(leap, ReminderRepeat::kWorkdays);
    EXPECT_EQ(leap.repeat, ReminderRepeat::kDaily) << "a lunar memo has no schedule repetition";
    EXPECT_TRUE(StartsInLeapMonth(leap));
    EXPECT_EQ(RepetitionOf(leap), ReminderRepeat::kDaily);

    Reminder stored;
    stored.calendar = ReminderCalendar::kGregorian;
    stored.repeat = ReminderRepeat::kWorkdays;  // a code no file holds
    EXPECT_EQ(RepeatText(RepetitionOf(stored)), "");
}

TEST(ReminderText, HoldsUpTo9999BytesAndCutsOnlyBetweenCharacters) {
    Reminder r;
    EXPECT_TRUE(SetReminderText(r, std::string(9999, 'a')));
    EXPECT_EQ(ReminderText(r).size(), 9999u);
    EXPECT_FALSE(SetReminderText(r, std::string(9998, 'c') + "备"));
    EXPECT_EQ(ReminderText(r), std::string(9998, 'c'));
    SetReminderText(r, "开会");  // a shorter text leaves nothing of the longer one
    EXPECT_EQ(ReminderText(r), "开会");
    EXPECT_EQ(r.content[5], '\0');
    std::memset(r.content, 'z', sizeof r.content);  // a damaged record without terminator
    EXPECT_EQ(ReminderText(r).size(), sizeof r.content);
}

TEST(ReminderRow, ShowsEveryColumnOfTheReminderList) {
    Reminder r;
    r.calendar = ReminderCalendar::kGregorian;
    r.start = At(2013, 3, 1, 9, 5);
    r.repeatEnd = At(2014, 3, 1);
    r.firstAlert = ReminderAlert::k15Minutes;
    r.repeat = ReminderRepeat::kMonthly;
    r.category = ReminderCategory::kWork;
    SetReminderText(r, "交报告");
    EXPECT_EQ(ReminderRowTexts(r), (std::vector<std::string>{"交报告", "阳历", "15分钟之前", "无提醒", "每月", "工作",
                                                             "2013年03月01日09点05分", "2014年03月01日00点00分"}));
    r.calendar = ReminderCalendar::kLunar;
    r.start.month = 12;
    r.start.day = 30;
    EXPECT_EQ(ReminderStartText(r), "2013年腊月三十09点05分");
}

}  // namespace
