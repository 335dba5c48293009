#include "notices/notice_board.h"

#include <gtest/gtest.h>

namespace {

using Window = NoticeBoard::Window;
using Step = NoticeBoard::Step;

Notice Alert(const std::string& line, std::optional<std::string> sound = std::nullopt) {
    return Notice{"\n\n" + line + "\n", std::move(sound), false, {}};
}

TEST(NoticeBoard, AHiddenWindowShowsTheNoticeAsItIs) {
    NoticeBoard board;
    EXPECT_EQ(board.Add(Alert("今天08:00：晨跑", "滴滴.wav"), Window::kHidden), Step::kShow);
    EXPECT_EQ(board.shown().message, "\n\n今天08:00：晨跑\n");
    EXPECT_EQ(board.shown().soundFile, "滴滴.wav");
}

TEST(NoticeBoard, AnAlertWhileANoticeIsUpIsAddedAboveItNewestFirst) {
    NoticeBoard board;
    board.Add(Alert("今天08:00：晨跑"), Window::kHidden);
    EXPECT_EQ(board.Add(Alert("今天08:05：开会", "滴滴.wav"), Window::kShowing), Step::kExtend);
    EXPECT_EQ(board.Add(Alert("今天08:10：打电话"), Window::kShowing), Step::kExtend);
    EXPECT_EQ(board.shown().message, "\n\n今天08:10：打电话\n今天08:05：开会\n今天08:00：晨跑\n");
    EXPECT_EQ(board.shown().soundFile, "滴滴.wav") << "a notice without its own sound keeps the last one";
}

TEST(NoticeBoard, TheDailyNoticeWithoutAFinalLineBreakStillGetsItsOwnLine) {
    NoticeBoard board;
    board.Add(Notice{"\n\n今天「春节」！\n明天「元宵节」", std::nullopt, true, {}}, Window::kHidden);
    board.Add(Alert("今天08:00：拜年"), Window::kShowing);
    EXPECT_EQ(board.shown().message, "\n\n今天08:00：拜年\n今天「春节」！\n明天「元宵节」");
    board.Add(Alert("今天08:30：出门"), Window::kHidden);
    board.Add(Notice{"\n\n今天「元宵节」！", std::nullopt, true, {}}, Window::kShowing);
    EXPECT_EQ(board.shown().message, "\n\n今天「元宵节」！\n今天08:30：出门\n");
}

TEST(NoticeBoard, ANewDaysNoticeTakesThePlaceOfTheOldDaysShownOrWaiting) {
    const Notice yesterday{"\n\n今天「除夕」！\n明天「春节」", std::nullopt, true, {}};
    const Notice today{"\n\n今天「春节」！", std::nullopt, true, {}};
    for (const Window window : {Window::kShowing, Window::kLeaving}) {
        NoticeBoard board;
        board.Add(yesterday, window == Window::kShowing ? Window::kHidden : Window::kLeaving);
        board.Add(Alert("今天23:59：守岁"), window);
        board.Add(today, window);
        const Notice shown = window == Window::kShowing ? board.shown() : board.Hidden().value_or(Notice{});
        EXPECT_EQ(shown.message, "\n\n今天「春节」！\n今天23:59：守岁\n");
    }
}

TEST(NoticeBoard, OneArrivingWhileTheWindowSlidesAwayIsShownAfterwardsAlone) {
    NoticeBoard board;
    board.Add(Alert("今天08:00：晨跑"), Window::kHidden);
    EXPECT_EQ(board.Add(Alert("今天08:05：开会"), Window::kLeaving), Step::kNone);
    EXPECT_EQ(board.Add(Alert("今天08:06：出门"), Window::kLeaving), Step::kNone);
    const std::optional<Notice> next = board.Hidden();
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->message, "\n\n今天08:06：出门\n今天08:05：开会\n");
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
