#include "notices/alert_snooze.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "notices/notice_board.h"
#include "tests/support/dates.h"

namespace {

std::string MinuteText(const SystemTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

DueAlert Alert(const SystemTime& occurrence, const std::string& text) { return DueAlert{occurrence, text}; }

TEST(Snooze, TheChoicesPutTheAlertsOffFromThisMinute) {
    const struct {
        SystemTime now;
        SnoozeLength length;
        const char* until;
    } cases[] = {
        {At(2026, 12, 9, 8, 0, 40), SnoozeLength::k5Minutes, "2026-12-09 08:05"},
        {At(2026, 12, 9, 8, 55), SnoozeLength::k10Minutes, "2026-12-09 09:05"},
        {At(2026, 12, 9, 23, 45), SnoozeLength::k30Minutes, "2026-12-10 00:15"},
        {At(2026, 12, 31, 23, 30), SnoozeLength::k1Hour, "2027-01-01 00:30"},
        {At(2026, 2, 28, 7, 0), SnoozeLength::kTomorrow, "2026-03-01 07:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(MinuteText(SnoozedUntil(c.now, c.length)), c.until) << c.until;
    std::string texts;
    for (const SnoozeChoice& choice : SnoozeChoices()) texts += std::string(choice.text) + " ";
    EXPECT_EQ(texts, "5分钟 10分钟 30分钟 1小时 明天 ");
}

TEST(Snooze, AlertsComeBackInTheirMinuteOrAfterItInTheOrderTheyAreDue) {
    std::vector<SnoozedAlert> snoozed;
    Snooze(snoozed, {Alert(At(2026, 12, 9, 9, 0), "周会")}, At(2026, 12, 9, 9, 10));
    Snooze(snoozed, {Alert(At(2026, 12, 9, 8, 0), "晨会"), Alert(At(2026, 12, 10, 8, 0), "明早")},
           At(2026, 12, 9, 8, 5));
    EXPECT_TRUE(TakeDueSnoozes(snoozed, At(2026, 12, 9, 8, 4, 59)).empty());
    std::vector<SnoozedAlert> due = TakeDueSnoozes(snoozed, At(2026, 12, 9, 8, 5));
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].alert.text + due[1].alert.text, "晨会明早");
    ASSERT_EQ(snoozed.size(), 1u);
    // The program was not running at 09:10: the alert comes at the next check.
    due = TakeDueSnoozes(snoozed, At(2026, 12, 9, 11, 0));
    ASSERT_EQ(due.size(), 1u);
    EXPECT_TRUE(snoozed.empty());
}

TEST(Snooze, AtMostAHundredAreKeptTheLatestDueStaying) {
    std::vector<SnoozedAlert> snoozed;
    for (int i = 0; i < 120; ++i) {
        Snooze(snoozed, {Alert(At(2026, 12, 9, 8, 0), std::to_string(i))}, AddSeconds(At(2026, 12, 9, 9, 0), 60 * i));
    }
    ASSERT_EQ(snoozed.size(), kMostSnoozedAlerts);
    EXPECT_EQ(snoozed.front().alert.text, "20");
    EXPECT_EQ(snoozed.back().alert.text, "119");
}

TEST(Snooze, TheNoticeNamesEachAlertsDayFromTheDayItComesBack) {
    const std::vector<SnoozedAlert> due = {
        {At(2026, 12, 9, 8, 5), Alert(At(2026, 12, 9, 8, 0), "晨会")},
        {At(2026, 12, 9, 8, 5), Alert(At(2026, 12, 10, 9, 0), "明早")},
        {At(2026, 12, 9, 8, 5), Alert(At(2026, 12, 8, 20, 0), "昨晚")},
    };
    const std::optional<Notice> notice = SnoozedNotice(due, At(2026, 12, 9, 8, 5), {}, "滴滴.wav");
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->message, "\n\n稍后提醒：\n今天08:00：晨会\n明天09:00：明早\n12月8日20:00：昨晚\n");
    EXPECT_EQ(notice->soundFile, "滴滴.wav");
    EXPECT_EQ(notice->alerts.size(), 3u) << "put off again, they come back as they are";
    EXPECT_FALSE(SnoozedNotice(due, At(2026, 12, 9, 8, 5), NoticeSwitches{false, false}, "滴滴.wav"));
    EXPECT_FALSE(SnoozedNotice({}, At(2026, 12, 9, 8, 5), {}, "滴滴.wav"));
}

TEST(Snooze, AWindowOfSeveralNoticesPutsOffAllTheAlertsItShows) {
    NoticeBoard board;
    Notice daily{"\n\n今天「冬至」！", std::nullopt, true, {}};
    Notice first{"\n\n今天08:00：晨会\n", "滴滴.wav", false, {Alert(At(2026, 12, 21, 8, 0), "晨会")}};
    Notice second{"\n\n今天08:01：打卡\n", "滴滴.wav", false, {Alert(At(2026, 12, 21, 8, 1), "打卡")}};
    board.Add(daily, NoticeBoard::Window::kHidden);
    board.Add(first, NoticeBoard::Window::kShowing);
    board.Add(second, NoticeBoard::Window::kShowing);
    ASSERT_EQ(board.shown().alerts.size(), 2u);
    EXPECT_EQ(board.shown().alerts[0].text + board.shown().alerts[1].text, "打卡晨会") << "in the order shown";
}

}  // namespace
