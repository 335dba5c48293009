#include "reminders/notices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/data_paths.h"

#include "reminders/tests/fake_days.h"
#include "reminders/tests/reminder_samples.h"

namespace {

const std::string kSound = "C:\\Solvane\\Sound\\滴滴.wav";

SystemTime At(int year, int month, int day, int hour, int minute, int second = 0) {
    SystemTime t = MakeDate(year, month, day);
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    t.second = static_cast<std::uint16_t>(second);
    return t;
}

std::string AlertAt(FakeDays& days, const SystemTime& now, const NoticeSwitches& switches = {}) {
    const std::optional<Notice> notice = CheckReminderAlerts(now, switches, days, kSound);
    if (!notice) return "";
    EXPECT_EQ(notice->soundFile, kSound);
    return notice->message;
}

TEST(AddSeconds, RollsOverDaysMonthsAndYears) {
    const SystemTime t = AddSeconds(At(2013, 12, 31, 23, 55, 30), 300);
    EXPECT_EQ(t.year, 2014);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 0);
    EXPECT_EQ(t.second, 30);
    EXPECT_EQ(t.dayOfWeek, 3);  // a Wednesday
    const SystemTime back = AddSeconds(At(2012, 3, 1, 0, 10), -86400);
    EXPECT_EQ(back.month, 2);
    EXPECT_EQ(back.day, 29);
    EXPECT_EQ(back.minute, 10);
}

TEST(ReminderAlerts, FiveMinutesAheadOfADailyMemoEveryDayFromItsStart) {
    FakeDays days;
    Reminder r = Gregorian(kRepeatDaily, 2013, 1, 10, 8, 0, "晨跑");
    r.firstAlert = kAlert5Minutes;
    days.reminders = {r};
    EXPECT_EQ(AlertAt(days, At(2013, 1, 9, 7, 55)), "");
    EXPECT_EQ(AlertAt(days, At(2013, 1, 10, 7, 55)), "\n\n今天08:00：晨跑\n");
    EXPECT_EQ(AlertAt(days, At(2013, 6, 1, 7, 55, 59)), "\n\n今天08:00：晨跑\n");
    EXPECT_EQ(AlertAt(days, At(2013, 6, 1, 7, 54)), "");
    EXPECT_EQ(AlertAt(days, At(2013, 6, 1, 7, 56)), "");
    EXPECT_EQ(AlertAt(days, At(2013, 6, 1, 8, 0)), "");
}

TEST(ReminderAlerts, ADayAheadIsLabelledTomorrowAndTwoDaysTheDayAfter) {
    FakeDays days;
    Reminder r = Gregorian(kRepeatNone, 2013, 3, 1, 9, 30, "交房租");
    r.firstAlert = kAlert1Day;
    days.reminders = {r};
    EXPECT_EQ(AlertAt(days, At(2013, 2, 28, 9, 30)), "\n\n明天09:30：交房租\n");
    days.reminders[0].firstAlert = kAlert2Days;
    EXPECT_EQ(AlertAt(days, At(2013, 2, 27, 9, 30)), "\n\n后天09:30：交房租\n");
    EXPECT_EQ(AlertAt(days, At(2013, 2, 28, 9, 30)), "");
}

TEST(ReminderAlerts, LeadTimesCrossMidnightAndTheYearEnd) {
    FakeDays days;
    Reminder r = Gregorian(kRepeatNone, 2014, 1, 1, 0, 10, "新年");
    r.firstAlert = kAlert15Minutes;
    days.reminders = {r};
    EXPECT_EQ(AlertAt(days, At(2013, 12, 31, 23, 55)), "\n\n明天00:10：新年\n");
    EXPECT_EQ(AlertAt(days, At(2014, 1, 1, 23, 55)), "");
}

TEST(ReminderAlerts, BothAlertsAreIndependent) {
    FakeDays days;
    Reminder r = Gregorian(kRepeatNone, 2013, 3, 1, 9, 30, "面试");
    r.firstAlert = kAlertNone;
    r.secondAlert = kAlert1Hour;
    days.reminders = {r};
    EXPECT_EQ(AlertAt(days, At(2013, 3, 1, 8, 30)), "\n\n今天09:30：面试\n");
    days.reminders[0].firstAlert = kAlert1Hour;
    EXPECT_EQ(AlertAt(days, At(2013, 3, 1, 8, 30)), "\n\n今天09:30：面试\n今天09:30：面试\n");
    days.reminders[0].firstAlert = kAlertAtTime;
    EXPECT_EQ(AlertAt(days, At(2013, 3, 1, 9, 30)), "\n\n今天09:30：面试\n");
}

TEST(ReminderAlerts, ListTodayThenTomorrowThenTheDayAfterInMemoOrder) {
    FakeDays days;
    Reminder a = Gregorian(kRepeatNone, 2013, 3, 3, 10, 0, "后天的事");
    a.firstAlert = kAlert2Days;
    Reminder b = Gregorian(kRepeatNone, 2013, 3, 1, 10, 0, "今天的事");
    b.firstAlert = kAlertAtTime;
    Reminder c = Gregorian(kRepeatNone, 2013, 3, 2, 10, 0, "明天的事");
    c.secondAlert = kAlert1Day;
    days.reminders = {a, b, c};
    EXPECT_EQ(AlertAt(days, At(2013, 3, 1, 10, 0)), "\n\n今天10:00：今天的事\n明天10:00：明天的事\n后天10:00：后天的事\n");
    // Only memos are asked for: the alert check never touches the almanac.
    EXPECT_EQ(days.requests, (std::vector<std::string>{"2013-03-01 --R", "2013-03-02 --R", "2013-03-03 --R"}));
}

TEST(ReminderAlerts, NothingWhenNotificationsAreSwitchedOff) {
    FakeDays days;
    Reminder r = Gregorian(kRepeatDaily, 2013, 1, 10, 8, 0, "晨跑");
    r.firstAlert = kAlert5Minutes;
    days.reminders = {r};
    EXPECT_EQ(AlertAt(days, At(2013, 1, 10, 7, 55), NoticeSwitches{false, false}), "");
    EXPECT_TRUE(days.requests.empty());
}

class DailyNoticeTest : public ::testing::Test {
protected:
    std::optional<Notice> NoticeFor(const NoticeSwitches& switches = {}) {
        return BuildDailyNotice(MakeDate(2013, 2, 9), switches, days_);
    }
    FakeDays days_;
    const std::string today_ = DateKey(2013, 2, 9);
    const std::string tomorrow_ = DateKey(2013, 2, 10);
};

TEST_F(DailyNoticeTest, AnnouncesTodayAndTomorrowWithTodaysFirstSound) {
    days_.festivals[today_] = {Festival("除夕", "", "1", "1", "除夕.wav"), Festival("爸爸生日", "（60周岁）", "1", "1", "b.wav")};
    days_.festivals[tomorrow_] = {Festival("春节", "", "1", "1", "春节.wav")};
    const auto notice = NoticeFor();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->message, "\n\n今天「除夕,爸爸生日（60周岁）」！\n明天「春节」");
    EXPECT_EQ(notice->soundFile, "除夕.wav");
    EXPECT_EQ(days_.requests, (std::vector<std::string>{today_ + " AFR", tomorrow_ + " AFR"}));
}

TEST_F(DailyNoticeTest, TakesTheFirstFestivalsSoundEvenWhenThatOneIsNotAnnounced) {
    days_.festivals[tomorrow_] = {Festival("小节", "", "1", "0", "小节.wav"), Festival("春节", "", "1", "1", "")};
    const auto notice = NoticeFor();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->message, "\n\n明天「春节」");
    EXPECT_EQ(notice->soundFile, "小节.wav");
}

TEST_F(DailyNoticeTest, KeepsTheLastSoundWhenOnlyASolarTermIsAnnounced) {
    days_.solarTerms[today_] = "立春";
    EXPECT_FALSE(NoticeFor());  // solar terms are off by default
    const auto notice = NoticeFor(NoticeSwitches{true, true});
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->message, "\n\n今天「立春」！");
    EXPECT_FALSE(notice->soundFile);
}

TEST_F(DailyNoticeTest, SaysNothingWithoutAnnouncementsOrWhenSwitchedOff) {
    days_.festivals[today_] = {Festival("植树节", "", "1", "0", "x.wav")};
    EXPECT_FALSE(NoticeFor());
    days_.festivals[today_] = {Festival("春节", "", "1", "1", "x.wav")};
    EXPECT_FALSE(NoticeFor(NoticeSwitches{false, true}));
    EXPECT_TRUE(NoticeFor());
}

}  // namespace

namespace {

class NoticeSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("solvane-notice-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        settings_ = (folder_ / "Solvane.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    void WriteSettings(const std::string& text) const { std::ofstream(settings_, std::ios::binary) << text; }
    std::filesystem::path folder_;
    std::string settings_;
};

TEST_F(NoticeSettingsTest, AlertsFollowTheSwitchAsTheFileHoldsItAtEachCheck) {
    FakeDays days;
    Reminder r = Gregorian(kRepeatDaily, 2013, 1, 10, 8, 0, "晨跑");
    r.firstAlert = kAlert5Minutes;
    days.reminders = {r};
    const SystemTime now = At(2013, 1, 10, 7, 55);

    auto notice = CheckReminderAlerts(now, settings_, "/opt/solvane", days);  // no file: on by default
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->soundFile, AlertSoundFile("/opt/solvane"));
    EXPECT_EQ(AlertSoundFile("/opt/solvane"), DataPath("/opt/solvane", "\\Sound\\滴滴.wav"));

    WriteSettings("[Ostrel]\r\nShowNotifyWindowOnScreen=0\r\n");
    EXPECT_FALSE(CheckReminderAlerts(now, settings_, "/opt/solvane", days));
    EXPECT_FALSE(BuildDailyNotice(MakeDate(2013, 1, 10), settings_, days));
}

TEST_F(NoticeSettingsTest, TheDailyNoticeNamesSolarTermsOnlyWhenTheFileSaysSo) {
    FakeDays days;
    days.solarTerms[DateKey(2013, 2, 4)] = "立春";
    EXPECT_FALSE(BuildDailyNotice(MakeDate(2013, 2, 4), settings_, days));
    WriteSettings("[Ostrel]\r\nShowJieQiOnRemindWindow=1\r\n");
    const auto notice = BuildDailyNotice(MakeDate(2013, 2, 4), settings_, days);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->message, "\n\n今天「立春」！");
}

}  // namespace
