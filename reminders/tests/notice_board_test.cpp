#include "reminders/notice_board.h"

#include <gtest/gtest.h>

namespace {

using Window = NoticeBoard::Window;
using Step = NoticeBoard::Step;

Notice Alert(const std::string& line, std::optional<std::string> sound = std::nullopt) {
    return Notice{"\n\n" + line + "\n", std::move(sound)};
}

TEST(NoticeBoard, AHiddenWindowShowsTheNoticeAsItIs) {
    NoticeBoard board;
    EXPECT_EQ(board.Add(Alert("今天08:00：晨跑", "滴滴.wav"), Window::kHidden), Step::kShow);
    EXPECT_EQ(board.shown().message, "\n\n今天08:00：晨跑\n");
    EXPECT_EQ(board.shown().soundFile, "滴滴.wav");
}

TEST(NoticeBoard, AnAlertWhileANoticeIsUpIsAddedBelowItNewestLast) {
    NoticeBoard board;
    board.Add(Alert("今天08:00：晨跑"), Window::kHidden);
    EXPECT_EQ(board.Add(Alert("今天08:05：开会", "滴滴.wav"), Window::kShowing), Step::kExtend);
    EXPECT_EQ(board.Add(Alert("今天08:10：打电话"), Window::kShowing), Step::kExtend);
    EXPECT_EQ(board.shown().message, "\n\n今天08:00：晨跑\n今天08:05：开会\n今天08:10：打电话\n");
    EXPECT_EQ(board.shown().soundFile, "滴滴.wav") << "a notice without its own sound keeps the last one";
}

TEST(NoticeBoard, TheDailyNoticeWithoutAFinalLineBreakStillGetsItsOwnLine) {
    NoticeBoard board;
    board.Add(Notice{"\n\n今天「春节」！\n明天「元宵节」", std::nullopt}, Window::kHidden);
    board.Add(Alert("今天08:00：拜年"), Window::kShowing);
    EXPECT_EQ(board.shown().message, "\n\n今天「春节」！\n明天「元宵节」\n今天08:00：拜年\n");
}

TEST(NoticeBoard, OneArrivingWhileTheWindowSlidesAwayIsShownAfterwardsAlone) {
    NoticeBoard board;
    board.Add(Alert("今天08:00：晨跑"), Window::kHidden);
    EXPECT_EQ(board.Add(Alert("今天08:05：开会"), Window::kLeaving), Step::kNone);
    EXPECT_EQ(board.Add(Alert("今天08:06：出门"), Window::kLeaving), Step::kNone);
    const std::optional<Notice> next = board.Hidden();
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->message, "\n\n今天08:05：开会\n今天08:06：出门\n");
    EXPECT_EQ(board.shown().message, next->message);
}

TEST(NoticeBoard, DismissingAcknowledgesEverythingShown) {
    NoticeBoard board;
    board.Add(Alert("今天08:00：晨跑"), Window::kHidden);
    board.Add(Alert("今天08:05：开会"), Window::kShowing);
    EXPECT_FALSE(board.Hidden().has_value());
    EXPECT_EQ(board.Add(Alert("今天09:00：午休"), Window::kHidden), Step::kShow);
    EXPECT_EQ(board.shown().message, "\n\n今天09:00：午休\n");
}

}  // namespace
