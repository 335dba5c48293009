#include "base/window_placement.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_system.h"
#include "tests/support/scratch_folder.h"

namespace {

const Rect kScreen{0, 0, 1280, 800};
const Rect kWorkArea{0, 0, 1280, 760};  // a taskbar of 40 pixels at the bottom

TEST(ClampToWorkAreaTest, AWindowOnTheScreenStaysWhereItIs) {
    EXPECT_EQ(ClampToWorkArea(Rect{100, 50, 400, 350}, kWorkArea), (Rect{100, 50, 400, 350}));
}

TEST(ClampToWorkAreaTest, AWindowOffTheLeftOrTopIsPulledBackOntoTheWorkArea) {
    EXPECT_EQ(ClampToWorkArea(Rect{-30, -10, 270, 290}, kWorkArea), (Rect{0, 0, 300, 300}));
    // A task bar on the left or at the top is not covered.
    EXPECT_EQ(ClampToWorkArea(Rect{-30, -10, 270, 290}, Rect{60, 30, 1280, 800}), (Rect{60, 30, 360, 330}));
}

TEST(ClampToWorkAreaTest, AWindowBeyondTheRightOrBottomIsPulledInside) {
    EXPECT_EQ(ClampToWorkArea(Rect{1200, 700, 1500, 1000}, kWorkArea), (Rect{980, 460, 1280, 760}));
}

TEST(ClampToWorkAreaTest, AWindowLargerThanTheWorkAreaEndsOnItsRightAndBottomEdges) {
    EXPECT_EQ(ClampToWorkArea(Rect{-50, -50, 1450, 950}, kWorkArea), (Rect{-220, -240, 1280, 760}));
    EXPECT_EQ(ClampToWorkArea(Rect{10, 10, 1510, 910}, kWorkArea), (Rect{-220, -140, 1280, 760}));
}

TEST(ClampToWorkAreaTest, ExtremeCoordinatesDoNotOverflow) {
    const Rect far{2147483000, 2147483000, 2147483600, 2147483600};
    EXPECT_EQ(ClampToWorkArea(far, kWorkArea), (Rect{680, 160, 1280, 760}));
}

TEST(PlaceResizedWindowTest, AWindowWithoutAStoredPlaceIsCentredAtItsNewSize) {
    // The dialog's first guess, 316 x 420 centred; the picture makes it 360 x 500.
    EXPECT_EQ(PlaceResizedWindow(Rect{482, 170, 798, 590}, 360, 500, false, kWorkArea), (Rect{460, 130, 820, 630}));
    // Centred on the work area, not the whole screen.
    EXPECT_EQ(PlaceResizedWindow(Rect{0, 0, 10, 10}, 360, 500, false, Rect{100, 40, 1280, 800}),
              (Rect{510, 170, 870, 670}));
}

TEST(PlaceResizedWindowTest, AWindowWithItsOwnPlaceKeepsItsCornerWhileItFits) {
    EXPECT_EQ(PlaceResizedWindow(Rect{100, 50, 300, 150}, 360, 500, true, kWorkArea), (Rect{100, 50, 460, 550}));
}

TEST(PlaceResizedWindowTest, AWindowGrownPastTheWorkAreaIsPulledBackOntoIt) {
    // Stored at a smaller template's size near the bottom-right corner.
    EXPECT_EQ(PlaceResizedWindow(Rect{1000, 600, 1200, 700}, 360, 500, true, kWorkArea), (Rect{920, 260, 1280, 760}));
}

TEST(PlaceResizedWindowTest, AWindowLargerThanTheWorkAreaEndsOnItsRightAndBottomEdges) {
    EXPECT_EQ(PlaceResizedWindow(Rect{0, 0, 10, 10}, 1400, 900, false, kWorkArea), (Rect{-120, -140, 1280, 760}));
}

// The month window (360 x 500) and a finder of 600 x 450 opened beside it, 8
// pixels apart, on a work area of 1280 x 760 unless the case says otherwise.
TEST(PlaceBesideTest, AFinderOpensBesideTheWindowItMarksHidingNoneOfItWhereThereIsRoom) {
    const struct {
        const char* where;
        Rect month;
        Rect work;
        Rect finder;
    } cases[] = {
        {"room on the right: there, tops level", Rect{20, 100, 380, 600}, kWorkArea, Rect{388, 100, 988, 550}},
        {"room on the left only: there", Rect{900, 100, 1260, 600}, kWorkArea, Rect{292, 100, 892, 550}},
        {"near the bottom: raised onto the work area", Rect{20, 400, 380, 900}, kWorkArea, Rect{388, 310, 988, 760}},
        {"a monitor left of the primary one", Rect{-1900, 50, -1540, 550}, Rect{-1920, 0, 0, 1040},
         Rect{-1532, 50, -932, 500}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceBeside(c.month, 600, 450, 8, c.work), c.finder) << c.where;
    }
}

TEST(PlaceBesideTest, WhereItFitsOnNeitherSideItKeepsToTheEdgeWithMoreRoom) {
    // Centred on 1280 pixels, the month leaves 460 on each side: the right edge.
    EXPECT_EQ(PlaceBeside(Rect{460, 130, 820, 630}, 600, 450, 8, kWorkArea), (Rect{680, 130, 1280, 580}));
    // A little left of the centre: the left edge, more of the month in view.
    EXPECT_EQ(PlaceBeside(Rect{500, 130, 860, 630}, 600, 450, 8, kWorkArea), (Rect{0, 130, 600, 580}));
    // Wider than the work area: its left edge on the screen's, as the caption needs.
    EXPECT_EQ(PlaceBeside(Rect{460, 130, 820, 630}, 1400, 900, 8, kWorkArea), (Rect{0, 0, 1400, 900}));
}

// On a 1280 x 800 screen the month window, where users keep it in the middle,
// leaves no room for a finder on either side: the month moves aside.
TEST(PlaceSideBySideTest, TheMonthMovesTheLeastThatShowsItWholeBesideTheFinder) {
    const struct {
        const char* where;
        Rect month;
        std::int64_t width, gap;
        Rect movedMonth;
        Rect finder;
    } cases[] = {
        {"room on the right: nothing moves", Rect{20, 100, 380, 600}, 600, 8, Rect{20, 100, 380, 600},
         Rect{388, 100, 988, 550}},
        {"centred at 100 %: the finder on the right edge, the month just left of it", Rect{460, 130, 820, 630}, 600, 8,
         Rect{312, 130, 672, 630}, Rect{680, 130, 1280, 580}},
        {"more room on the left: the finder on the left edge, the month just right of it", Rect{600, 100, 960, 600},
         700, 8, Rect{708, 100, 1068, 600}, Rect{0, 100, 700, 550}},
        {"at 150 % the two are wider than the screen: the month on the left edge, under the finder by 32 pixels",
         Rect{370, 10, 910, 760}, 760, 12, Rect{0, 10, 540, 760}, Rect{520, 10, 1280, 460}},
    };
    for (const auto& c : cases) {
        const SideBySide placed = PlaceSideBySide(c.month, c.width, 450, c.gap, kWorkArea);
        EXPECT_EQ(placed.other, c.movedMonth) << c.where;
        EXPECT_EQ(placed.window, c.finder) << c.where;
    }
}

// A 1920 x 1080 primary monitor with its task bar at the bottom, and a 1280 x
// 1024 second one beside or above it.
const MonitorArea kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
const MonitorArea kLeftSecond{{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}};
const MonitorArea kAboveSecond{{0, -1024, 1280, 0}, {0, -1024, 1280, 0}};

TEST(SeveralMonitors, AWindowOnASecondMonitorLeftOfThePrimaryStaysThere) {
    const Rect onLeft{-1000, 200, -640, 700};
    EXPECT_EQ(MonitorOfWindow(onLeft, {kPrimary, kLeftSecond}), 1u);
    EXPECT_EQ(KeepOnMonitors(onLeft, {kPrimary, kLeftSecond}, kPrimary.work), onLeft);
}

TEST(SeveralMonitors, AWindowOnASecondMonitorAboveThePrimaryStaysThere) {
    const Rect above{300, -800, 660, -300};
    EXPECT_EQ(KeepOnMonitors(above, {kPrimary, kAboveSecond}, kPrimary.work), above);
}

TEST(SeveralMonitors, AWindowAcrossTwoMonitorsIsKeptOnTheOneHoldingMostOfIt) {
    // 260 pixels on the left monitor, 100 on the primary: pulled onto the left one.
    EXPECT_EQ(KeepOnMonitors(Rect{-260, 100, 100, 600}, {kPrimary, kLeftSecond}, kPrimary.work),
              (Rect{-360, 100, 0, 600}));
    // Mostly below the second monitor's bottom edge, beside the primary's.
    EXPECT_EQ(KeepOnMonitors(Rect{-600, 900, -240, 1400}, {kPrimary, kLeftSecond}, kPrimary.work),
              (Rect{-600, 524, -240, 1024}));
}

TEST(SeveralMonitors, AWindowOnAMonitorNoLongerThereMovesToTheNearestOne) {
    const Rect wasOnLeft{-1000, 200, -640, 700};
    EXPECT_EQ(KeepOnMonitors(wasOnLeft, {kPrimary}, kPrimary.work), (Rect{0, 200, 360, 700}));
    // Far to the right of a monitor on the left and the primary: the primary is nearer.
    EXPECT_EQ(MonitorOfWindow(Rect{2500, 100, 2860, 600}, {kLeftSecond, kPrimary}), 1u);
    EXPECT_EQ(KeepOnMonitors(Rect{2500, 100, 2860, 600}, {kLeftSecond, kPrimary}, kPrimary.work),
              (Rect{1560, 100, 1920, 600}));
}

TEST(SeveralMonitors, ATaskBarOnAnyEdgeIsNotCovered) {
    const Rect screen{0, 0, 1920, 1080};
    const Rect tooFar{-50, -50, 310, 450};
    const Rect tooLow{1700, 900, 2060, 1400};
    const MonitorArea left{screen, {48, 0, 1920, 1080}}, top{screen, {0, 40, 1920, 1080}};
    const MonitorArea right{screen, {0, 0, 1872, 1080}}, bottom{screen, {0, 0, 1920, 1040}};
    EXPECT_EQ(KeepOnMonitors(tooFar, {left}, screen), (Rect{48, 0, 408, 500}));
    EXPECT_EQ(KeepOnMonitors(tooFar, {top}, screen), (Rect{0, 40, 360, 540}));
    EXPECT_EQ(KeepOnMonitors(tooLow, {right}, screen), (Rect{1512, 580, 1872, 1080}));
    EXPECT_EQ(KeepOnMonitors(tooLow, {bottom}, screen), (Rect{1560, 540, 1920, 1040}));
}

TEST(SeveralMonitors, WithNoMonitorListedTheFallbackWorkAreaServes) {
    EXPECT_EQ(MonitorOfWindow(Rect{0, 0, 10, 10}, {}), 0u);
    EXPECT_EQ(KeepOnMonitors(Rect{1200, 700, 1500, 1000}, {}, kWorkArea), (Rect{980, 460, 1280, 760}));
}

class WindowPlacementTest : public ::testing::Test {
protected:
    void SetUp() override { file_ = (folder_ / "Solvane.ini").string(); }
    ScratchFolder scratch_{"solvane-place-"};
    const std::filesystem::path& folder_ = scratch_.path();
    std::string file_;
};

TEST_F(WindowPlacementTest, TheMonthWindowIsStoredUnderRect1OfGadgets) {
    ASSERT_TRUE(ReplaceFileAtomically(file_, "[Ostrel]\r\nShowToday=0\r\n"));
    ASSERT_TRUE(StoreWindowRect(file_, kMonthWindowNumber, Rect{-40, 20, 260, 320}));
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(file_, contents));
    EXPECT_EQ(contents, "[Ostrel]\r\nShowToday=0\r\n[GADGETS]\r\nRECT_1=D8FFFFFF1400000004010000400100002F\r\n");
    EXPECT_EQ(StoredWindowRect(file_, 1), (Rect{-40, 20, 260, 320}));
    EXPECT_EQ(RestoredWindowRect(file_, 1, {{kScreen, kWorkArea}}, kWorkArea), (Rect{0, 20, 300, 320}));
}

TEST_F(WindowPlacementTest, NothingIsRestoredFromAMissingOrDamagedRectangle) {
    EXPECT_FALSE(RestoredWindowRect(file_, 1, {{kScreen, kWorkArea}}, kWorkArea).has_value());
    ASSERT_TRUE(ReplaceFileAtomically(file_, "[GADGETS]\r\nRECT_1=D8FFFFFF1400000004010000400100002E\r\n"));
    EXPECT_FALSE(RestoredWindowRect(file_, 1, {{kScreen, kWorkArea}}, kWorkArea).has_value());
}

TEST_F(WindowPlacementTest, ARectangleNoWindowCouldHaveIsIgnored) {
    ASSERT_TRUE(StoreWindowRect(file_, 1, Rect{300, 300, 100, 100}));
    EXPECT_FALSE(StoredWindowRect(file_, 1).has_value());
    ASSERT_TRUE(StoreWindowRect(file_, 1, Rect{-2000000000, 0, 2000000000, 10}));
    EXPECT_FALSE(StoredWindowRect(file_, 1).has_value());
}

}  // namespace
