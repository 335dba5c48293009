#include "view/win/balloon_tooltip.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "base/win/gbk_text.h"

namespace {

// A window standing for the month window: it hands its WM_NOTIFY to the
// balloon, as the month window does.
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* balloon = reinterpret_cast<BalloonTooltip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (message == WM_NOTIFY && balloon && balloon->OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

class BalloonTooltipTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW kind{};
        kind.lpfnWndProc = OwnerProc;
        kind.hInstance = GetModuleHandleW(nullptr);
        kind.lpszClassName = L"SolvaneBalloonOwner";
        RegisterClassW(&kind);
        owner_.reset(CreateWindowExW(0, kind.lpszClassName, L"", WS_POPUP, 100, 100, 360, 500, nullptr, nullptr,
                                     kind.hInstance, nullptr));
        ASSERT_TRUE(owner_);
        SetWindowLongPtrW(owner_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&balloon_));
    }
    void TearDown() override { balloon_.Destroy(); }

    // A month of `days` cells in a balloon whose texts are counted as asked
    // for.
    void Rebuild(bool active, const std::string& month, UINT days = 31, const BalloonLook& look = BalloonLook{}) {
        balloon_.Reset(owner_.get(), look, active, [this, month](UINT day) {
            ++asked_[day];
            return month + std::to_string(day) + "日\n星期三\n";
        });
        for (UINT day = 1; day <= days; ++day) {
            const int row = static_cast<int>(day - 1) / 7, column = static_cast<int>(day - 1) % 7;
            balloon_.AddRegion(day, Rect{column * 46, 100 + row * 60, column * 46 + 46, 160 + row * 60});
        }
    }

    // What the balloon of a day shows, as the control reads it when about to
    // show it; without the no-break spaces that pad a line drawn wider than
    // it measures.
    std::wstring TextShownFor(UINT day) {
        wchar_t text[1024] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = owner_.get();
        tool.uId = day;
        tool.lpszText = text;
        SendMessageW(balloon_.hwnd(), TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
        std::wstring shown(text);
        shown.erase(std::remove(shown.begin(), shown.end(), L'\u00A0'), shown.end());
        return shown;
    }

    int Asked() const {
        int count = 0;
        for (const auto& [day, times] : asked_) count += times;
        return count;
    }

    ScopedWindow owner_;
    BalloonTooltip balloon_;
    std::map<UINT, int> asked_;
};

TEST_F(BalloonTooltipTest, ARebuildMakesNoBalloonTextWhetherTheBalloonIsOnOrOff) {
    for (const bool active : {true, false}) {
        asked_.clear();
        Rebuild(active, "12月");
        EXPECT_EQ(Asked(), 0) << (active ? "balloon on" : "balloon off");
    }
}

TEST_F(BalloonTooltipTest, ABalloonAboutToShowAsksForItsOwnDayOnceUntilTheNextRebuild) {
    Rebuild(true, "12月");
    EXPECT_EQ(TextShownFor(9), WideFromGbk("12月9日\n星期三\n"));
    EXPECT_EQ(TextShownFor(9), WideFromGbk("12月9日\n星期三\n"));
    EXPECT_EQ(asked_[9], 1) << "the text laid out once is kept";
    EXPECT_EQ(Asked(), 1) << "no other day's text is made";

    Rebuild(true, "1月");
    EXPECT_EQ(TextShownFor(9), WideFromGbk("1月9日\n星期三\n")) << "the new month's text, not the kept one";
}

TEST_F(BalloonTooltipTest, ARebuildReplacesTheRegionsOfTheMonthBeforeInTheSameBalloon) {
    Rebuild(true, "1月", 31);
    const HWND balloon = balloon_.hwnd();
    Rebuild(true, "2月", 28);
    EXPECT_EQ(SendMessageW(balloon_.hwnd(), TTM_GETTOOLCOUNT, 0, 0), 28) << "no cell of January is left";
    EXPECT_EQ(balloon_.hwnd(), balloon);
    EXPECT_EQ(TextShownFor(30), L"") << "30 February has no balloon";

    // The template's colours are the balloon window's own: other colours,
    // another balloon.
    Rebuild(true, "3月", 31, BalloonLook{Color{255, 250, 240, 200}, Color{255, 40, 20, 0}});
    EXPECT_NE(balloon_.hwnd(), balloon);
    EXPECT_EQ(SendMessageW(balloon_.hwnd(), TTM_GETTOOLCOUNT, 0, 0), 31);
    EXPECT_EQ(SendMessageW(balloon_.hwnd(), TTM_GETTIPBKCOLOR, 0, 0), RGB(250, 240, 200));
}

}  // namespace
