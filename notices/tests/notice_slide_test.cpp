#include "notices/notice_slide.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kScreenHeight = 768;
constexpr std::int32_t kWidth = 201, kHeight = 133;

// Slides in from the start until the window stops; returns where it rests and
// counts the steps.
NoticePosition SlideIn(const Rect& work, int& steps) {
    NoticePosition at = NoticeStartPosition(work, kScreenHeight, kWidth);
    steps = 0;
    for (;;) {
        const std::int32_t next = NoticeSlideInTop(at.top, kHeight, work.bottom);
        if (next == at.top) return at;
        EXPECT_LE(at.top - next, kNoticeSlideStep);
        at.top = next;
        if (++steps > 1000) return at;
    }
}

TEST(NoticeSlide, ComesToRestInTheWorkAreasCornerWhereverTheTaskbarIs) {
    const Rect taskbarBelow{0, 0, 1024, 728};
    const Rect taskbarAbove{0, 40, 1024, 768};
    const Rect taskbarLeft{60, 0, 1024, 768};
    const Rect taskbarRight{0, 0, 964, 768};
    for (const Rect& work : {taskbarBelow, taskbarAbove, taskbarLeft, taskbarRight}) {
        int steps = 0;
        const NoticePosition rest = SlideIn(work, steps);
        EXPECT_EQ(rest.left, work.right - kWidth - 5);
        EXPECT_EQ(rest.top + kHeight, work.bottom);
        const NoticePosition expected = NoticeRestingPosition(work, kWidth, kHeight);
        EXPECT_EQ(rest.left, expected.left);
        EXPECT_EQ(rest.top, expected.top);
        EXPECT_GT(steps, 1);
    }
}

TEST(NoticeSlide, StartsJustBelowTheScreenInItsRestingColumn) {
    const NoticePosition start = NoticeStartPosition(Rect{0, 0, 1024, 728}, kScreenHeight, kWidth);
    EXPECT_EQ(start.top, kScreenHeight);
    EXPECT_EQ(start.left, 1024 - kWidth - 5);
}

TEST(NoticeSlide, MovesTenPixelsATickAndOnlyTheRemainderAtTheEnd) {
    EXPECT_EQ(NoticeSlideInTop(700, 100, 728), 690);
    EXPECT_EQ(NoticeSlideInTop(632, 100, 728), 628);
    EXPECT_EQ(NoticeSlideInTop(628, 100, 728), 628);
}

TEST(NoticeSlide, SlidesOutUntilItsTopIsBelowTheScreen) {
    std::int32_t top = 728 - kHeight;
    int steps = 0;
    for (std::int32_t next; (next = NoticeSlideOutTop(top, kScreenHeight)) != top; top = next) ++steps;
    EXPECT_GT(top, kScreenHeight);
    EXPECT_LE(top, kScreenHeight + kNoticeSlideStep);
    EXPECT_EQ(steps, (kScreenHeight - (728 - kHeight)) / kNoticeSlideStep + 1);
}

TEST(NoticeSlide, AtOneAndAHalfTimesTheScaleTheStepsAndTheMarginGrowAlike) {
    const Rect work{0, 0, 1536, 1092};
    const NoticePosition start = NoticeStartPosition(work, 1152, 302, 8);
    EXPECT_EQ(start.left, 1536 - 302 - 8);
    EXPECT_EQ(NoticeSlideInTop(1152, 200, 1092, 15), 1137);
    EXPECT_EQ(NoticeSlideInTop(900, 200, 1092, 15), 892);  // the remainder only: it rests on the bottom
    EXPECT_EQ(NoticeRestingPosition(work, 302, 200, 8).left, start.left);
    EXPECT_EQ(NoticeSlideOutTop(1140, 1152, 15), 1155);
    // A step scaled down to nothing still moves the window.
    EXPECT_EQ(NoticeSlideOutTop(1140, 1152, 0), 1141);
}

}  // namespace
