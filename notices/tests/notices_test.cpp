#include "notices/notices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/data_paths.h"
#include "tests/support/fake_days.h"
#include "tests/support/reminder_samples.h"

namespace {

const std::string kSound = "C:\\Solvane\\Sound\\滴滴.wav";

std::string AlertAt(FakeDays& days, const SystemTime& now, const NoticeSwitches& switches = {}) {
    const std::optional<Notice> notice = CheckReminderAlerts(now, switches, days, kSound);
    if (!notice) return "";
    EXPECT_EQ(notice->soundFile, kSound);
    return notice->message;
}

Reminder WithAlerts(Reminder r, ReminderAlert first, ReminderAlert second = ReminderAlert::kNone) {
    r.firstAlert = first;
    r.secondAlert = second;
    return r;
}

TEST(ReminderAlerts, FiveMinutesAheadOfADailyReminderEveryDayFromItsStart) {
    FakeDays days;
    days.reminders = {
        WithAlerts(Gregorian(ReminderRepeat::kDaily, 2013, 1, 10, 8, 0, "晨跑"), ReminderAlert::k5Minutes)};
    EXPECT_EQ(AlertAt(days, At(2013, 1, 9, 7, 55)), "");
    EXPECT_EQ(AlertAt(days, At(2013, 1, 10, 7, 55)), "\n\n今天08:00：晨跑\n");
    EXPECT_EQ(AlertAt(days, At(2013, 6, 1, 7, 55, 59)), "\n\n今天08:00：晨跑\n");
    EXPECT_EQ(AlertAt(days, At(2013, 6, 1, 7, 56)), "");
    EXPECT_EQ(AlertAt(days, At(2013, 6, 1, 8, 0)), "");
    // Only memos are asked for: the alert check never touches the almanac.
    EXPECT_EQ(days.requests[0], "2013-01-09 --R");
}

TEST(ReminderAlerts, LabelTheDayOfTheOccurrenceAcrossMidnightAndTheYearEnd) {
    FakeDays days;
    days.reminders = {WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 1, 9, 30, "交房租"), ReminderAlert::k1Day)};
    EXPECT_EQ(AlertAt(days, At(2013, 2, 28, 9, 30)), "\n\n明天09:30：交房租\n");
    days.reminders[0].firstAlert = ReminderAlert::k2Days;
    EXPECT_EQ(AlertAt(days, At(2013, 2, 27, 9, 30)), "\n\n后天09:30：交房租\n");
    days.reminders = {
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2014, 1, 1, 0, 10, "新年"), ReminderAlert::k15Minutes)};
    EXPECT_EQ(AlertAt(days, At(2013, 12, 31, 23, 55)), "\n\n明天00:10：新年\n");
}

TEST(ReminderAlerts, CheckBothAlertsIndependentlyInDayAndListOrder) {
    FakeDays days;
    days.reminders = {
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 3, 10, 0, "后天的事"), ReminderAlert::k2Days),
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 1, 10, 0, "今天的事"), ReminderAlert::kAtTime,
                   ReminderAlert::kAtTime),
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 2, 10, 0, "明天的事"), ReminderAlert::kNone,
                   ReminderAlert::k1Day)};
    EXPECT_EQ(AlertAt(days, At(2013, 3, 1, 10, 0)),
              "\n\n今天10:00：今天的事\n今天10:00：今天的事\n明天10:00：明天的事\n后天10:00：后天的事\n");
    EXPECT_EQ(AlertAt(days, At(2013, 3, 1, 10, 0), NoticeSwitches{false, false}), "");
}

TEST(ReminderAlerts, LongLeadsCountTheDaysAheadAndSayWhichReminderTheyAnnounce) {
    FakeDays days;
    days.reminders = {
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2026, 12, 16, 19, 0, "妈妈生日"), ReminderAlert::k1Week),
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2026, 12, 12, 8, 0, "体检"), ReminderAlert::k3Days,
                   ReminderAlert::k1Minute)};
    const std::optional<Notice> week = CheckReminderAlerts(At(2026, 12, 9, 19, 0), {}, days, kSound);
    ASSERT_TRUE(week.has_value());
    EXPECT_EQ(week->message, "\n\n7天后19:00：妈妈生日\n");
    ASSERT_EQ(week->alerts.size(), 1u);
    EXPECT_EQ(week->alerts[0].text, "妈妈生日");
    EXPECT_EQ(week->alerts[0].occurrence.day * 10000 + week->alerts[0].occurrence.hour * 100, 161900);
    EXPECT_EQ(AlertAt(days, At(2026, 12, 9, 8, 0)), "\n\n3天后08:00：体检\n");
    EXPECT_EQ(AlertAt(days, At(2026, 12, 12, 7, 59)), "\n\n今天08:00：体检\n");
}

// The 2026 National Day holiday as the schedule has it.
TEST(ReminderAlerts, AWorkdayReminderAlertsOnAMakeUpSaturdayAndNotOnADayOff) {
    FakeDays days;
    days.offDays.Set(OffDay{D(2026, 10, 5), OffDayKind::kOff, "国庆节"});
    days.offDays.Set(OffDay{D(2026, 10, 10), OffDayKind::kWork, "国庆节"});
    Reminder clockIn =
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2026, 9, 1, 8, 30, "打卡"), ReminderAlert::k10Minutes);
    SetRepetition(clockIn, ReminderRepeat::kWorkdays);
    days.reminders = {clockIn};
    EXPECT_EQ(AlertAt(days, At(2026, 10, 10, 8, 20)), "\n\n今天08:30：打卡\n");
    EXPECT_EQ(AlertAt(days, At(2026, 10, 5, 8, 20)), "");
    EXPECT_EQ(AlertAt(days, At(2026, 10, 9, 8, 20)), "\n\n今天08:30：打卡\n");
    EXPECT_EQ(AlertAt(days, At(2026, 10, 11, 8, 20)), "");
}

class DailyNoticeTest : public ::testing::Test {
protected:
    std::optional<Notice> NoticeFor(const NoticeSwitches& switches = {}) {
        return BuildDailyNotice(D(2013, 2, 9), switches, days_);
    }
    FakeDays days_;
    const std::string today_ = DateKey(2013, 2, 9);
    const std::string tomorrow_ = DateKey(2013, 2, 10);
};

TEST_F(DailyNoticeTest, AnnouncesTodayAndTomorrowWithTheSoundOfTheFirstFestival) {
    days_.festivals[today_] = {Festival("小节", "", "1", "0", "小节.wav"), Festival("除夕", "", "1", "1", "除夕.wav"),
                               Festival("爸爸生日", "（60周岁）", "1", "1", "b.wav")};
    days_.festivals[tomorrow_] = {Festival("春节", "", "1", "1", "春节.wav")};
    auto notice = NoticeFor();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->message, "\n\n今天「除夕,爸爸生日（60周岁）」！\n明天「春节」");
    EXPECT_EQ(notice->soundFile, "小节.wav");  // first of the day, announced or not
    EXPECT_EQ(days_.requests, (std::vector<std::string>{today_ + " AFR", tomorrow_ + " AFR"}));
    days_.festivals.erase(today_);
    notice = NoticeFor();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->message, "\n\n明天「春节」");
    EXPECT_EQ(notice->soundFile, "春节.wav");
    EXPECT_TRUE(notice->daily) << "the next day's notice takes its place";
    EXPECT_FALSE(NoticeFor(NoticeSwitches{false, true}));
}

TEST_F(DailyNoticeTest, KeepsTheLastSoundWhenOnlyASolarTermIsAnnounced) {
    days_.solarTerms[today_] = "立春";
    EXPECT_FALSE(NoticeFor());  // solar terms are off by default
    const auto notice = NoticeFor(NoticeSwitches{true, true});
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->message, "\n\n今天「立春」！");
    EXPECT_FALSE(notice->soundFile);
}

}  // namespace

namespace {

std::string MissedBetween(FakeDays& days, const SystemTime& after, const SystemTime& now,
                          const NoticeSwitches& switches = {}) {
    const std::optional<Notice> notice = MissedReminderAlerts(after, now, switches, days, kSound);
    if (!notice) return "";
    EXPECT_EQ(notice->soundFile, kSound);
    return notice->message;
}

TEST(MissedReminderAlerts, ASleepAcrossOneAlertReportsItWithTheTimeItWasDue) {
    FakeDays days;
    days.reminders = {
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 4, 12, 30, "午饭约会"), ReminderAlert::k15Minutes),
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 4, 14, 0, "醒来之后"), ReminderAlert::kAtTime)};
    EXPECT_EQ(MissedBetween(days, At(2013, 3, 4, 11, 50), At(2013, 3, 4, 13, 5, 20)),
              "\n\n错过的提醒：\n3月4日12:15到期：12:30 午饭约会\n");
}

TEST(MissedReminderAlerts, TheMinutesAtEitherEndOfTheGapWereNotMissed) {
    FakeDays days;
    days.reminders = {
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 4, 9, 0, "已提醒"), ReminderAlert::kAtTime),
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 4, 9, 1, "错过"), ReminderAlert::kAtTime),
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 4, 9, 5, "现在提醒"), ReminderAlert::kAtTime)};
    EXPECT_EQ(MissedBetween(days, At(2013, 3, 4, 9, 0), At(2013, 3, 4, 9, 5)),
              "\n\n错过的提醒：\n3月4日09:01到期：09:01 错过\n");
    EXPECT_EQ(MissedBetween(days, At(2013, 3, 4, 9, 0), At(2013, 3, 4, 9, 1)), "") << "no gap";
}

TEST(MissedReminderAlerts, ASleepOverMidnightListsBothDaysInTheOrderDue) {
    FakeDays days;
    // The second alert of tomorrow's memo came a day ahead, before midnight.
    days.reminders = {
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 12, 31, 23, 30, "跨年"), ReminderAlert::kAtTime),
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2014, 1, 1, 7, 0, "早班"), ReminderAlert::k1Hour,
                   ReminderAlert::k1Day)};
    EXPECT_EQ(MissedBetween(days, At(2013, 12, 31, 6, 0), At(2014, 1, 1, 8, 0)),
              "\n\n错过的提醒：\n12月31日07:00到期：07:00 早班\n12月31日23:30到期：23:30 跨年\n"
              "1月1日06:00到期：07:00 早班\n");
}

TEST(MissedReminderAlerts, ADailyReminderMissedOnTwoDaysIsListedTwice) {
    FakeDays days;
    days.reminders = {WithAlerts(Gregorian(ReminderRepeat::kDaily, 2013, 1, 1, 8, 0, "吃药"), ReminderAlert::kAtTime)};
    EXPECT_EQ(MissedBetween(days, At(2013, 5, 1, 7, 0), At(2013, 5, 3, 7, 0)),
              "\n\n错过的提醒：\n5月1日08:00到期：08:00 吃药\n5月2日08:00到期：08:00 吃药\n");
}

TEST(MissedReminderAlerts, NothingWhenNoneWasDueOrNoticesAreOff) {
    FakeDays days;
    days.reminders = {
        WithAlerts(Gregorian(ReminderRepeat::kNone, 2013, 3, 4, 12, 30, "午饭约会"), ReminderAlert::kAtTime),
        Gregorian(ReminderRepeat::kNone, 2013, 3, 4, 12, 40, "不提醒")};
    EXPECT_EQ(MissedBetween(days, At(2013, 3, 4, 12, 31), At(2013, 3, 4, 13, 0)), "");
    EXPECT_EQ(MissedBetween(days, At(2013, 3, 4, 12, 0), At(2013, 3, 4, 13, 0), NoticeSwitches{false, false}), "");
}

}  // namespace
