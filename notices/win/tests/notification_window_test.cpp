#include "notices/win/notification_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/win/gbk_text.h"
#include "base/win/screen_dpi.h"
#include "resources/resource_ids.h"

namespace {

namespace fs = std::filesystem;

using Offered = std::vector<std::wstring>;

struct SoundLog {
    std::vector<std::vector<std::wstring>> played;  // the files offered, first choice first
    int stops = 0;
};

class RecordedSound : public NoticeSound {
public:
    explicit RecordedSound(SoundLog& log) : log_(log) {}
    void Play(std::vector<std::wstring> paths) override { log_.played.push_back(std::move(paths)); }
    void Stop() override { ++log_.stops; }

private:
    SoundLog& log_;
};

void Pump(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(2);
    }
}

// The bound is for a slow machine, not a speed check: in the emulated 32-bit
// guest a 10 ms slide step can take ten times as long.
bool PumpUntilStill(const NotificationWindow& window, int milliseconds = 60000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (window.IsSliding()) {
        if (std::chrono::steady_clock::now() > end) return false;
        Pump(5);
    }
    return true;
}

RECT RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

RECT WorkArea() {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

std::wstring MessageText(HWND window) {
    wchar_t text[4096] = {};
    GetDlgItemTextW(window, IDC_NOTICE_MESSAGE, text, 4096);
    return text;
}

struct TipSearch {
    HWND notice;
    HWND tip;
};

// A named stdcall function: 32-bit builds turn no lambda into one.
BOOL CALLBACK FindMessageTip(HWND candidate, LPARAM parameter) {
    auto& search = *reinterpret_cast<TipSearch*>(parameter);
    wchar_t name[64] = {};
    GetClassNameW(candidate, name, 64);
    if (lstrcmpiW(name, L"tooltips_class32") != 0) return TRUE;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = search.notice;
    tool.uId = IDC_NOTICE_MESSAGE;
    if (!SendMessageW(candidate, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return TRUE;
    search.tip = candidate;
    return FALSE;
}

// The text of the tooltip over the message label, or "(no tip)".
std::wstring MessageTipText(HWND window) {
    TipSearch search{window, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindMessageTip, reinterpret_cast<LPARAM>(&search));
    if (!search.tip) return L"(no tip)";
    wchar_t text[4096] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = IDC_NOTICE_MESSAGE;
    tool.lpszText = text;
    SendMessageW(search.tip, TTM_GETTEXTW, 4096, reinterpret_cast<LPARAM>(&tool));
    return text;
}

void Click(HWND window, int button) { SendMessageW(GetDlgItem(window, button), BM_CLICK, 0, 0); }

class NotificationWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The program's folder may be named in any script.
        folder_ =
            fs::temp_directory_path() / fs::u8path(u8"notice-test-한글 😀-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder_ / "Sound");
        std::ofstream(folder_ / "Sound" / "festival.wav") << "RIFF";
    }
    void TearDown() override {
        window_.reset();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    NotificationWindow& Open() {
        window_ = std::make_unique<NotificationWindow>(std::make_unique<RecordedSound>(log_));
        EXPECT_TRUE(window_->Create([this] { return playSounds_; }, folder_));
        return *window_;
    }

    std::wstring FestivalSound() const { return (folder_ / "Sound" / "festival.wav").wstring(); }
    std::wstring FallbackSound() const { return (folder_ / "Sound" / L"提醒.wav").wstring(); }

    fs::path folder_;
    bool playSounds_ = true;
    SoundLog log_;
    std::unique_ptr<NotificationWindow> window_;
};

TEST_F(NotificationWindowTest, IsCreatedHiddenWithItsCaption) {
    NotificationWindow& window = Open();
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    wchar_t title[64] = {};
    GetWindowTextW(window.hwnd(), title, 64);
    EXPECT_STREQ(title, L"Tavro日历提醒你");
}

TEST_F(NotificationWindowTest, IsLaidOutAtTheScreensScaleWithEveryControlInside) {
    NotificationWindow& window = Open();
    const int dpi = WindowDpi(window.hwnd());
    const RECT r = RectOf(window.hwnd());
    EXPECT_EQ(r.right - r.left, MulDiv(235, dpi, 96));
    EXPECT_EQ(r.bottom - r.top, MulDiv(144, dpi, 96));
    for (const int id : {IDC_NOTICE_CAPTION, IDCANCEL, IDC_NOTICE_MESSAGE, IDOK}) {
        RECT control = RectOf(GetDlgItem(window.hwnd(), id)), inside{};
        EXPECT_TRUE(IntersectRect(&inside, &control, &r) && EqualRect(&inside, &control)) << "control " << id;
    }
    // The close box sits on the title band, the message below it.
    EXPECT_LE(RectOf(GetDlgItem(window.hwnd(), IDCANCEL)).bottom - r.top, MulDiv(30, dpi, 96));
    EXPECT_GE(RectOf(GetDlgItem(window.hwnd(), IDC_NOTICE_MESSAGE)).top - r.top, MulDiv(28, dpi, 96));
}

TEST_F(NotificationWindowTest, SlidesUpIntoTheCornerAndPlaysItsSoundOnArrival) {
    NotificationWindow& window = Open();
    window.SetMessage("\n\n今天08:00：开会\n");
    window.SetSoundFile("festival.wav");
    window.Show();
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    EXPECT_TRUE(window.IsSliding());
    EXPECT_GE(RectOf(window.hwnd()).top, GetSystemMetrics(SM_CYSCREEN) - 10);
    EXPECT_TRUE(log_.played.empty()) << "no sound before the window has arrived";

    ASSERT_TRUE(PumpUntilStill(window));
    const RECT rest = RectOf(window.hwnd()), work = WorkArea();
    EXPECT_EQ(rest.right, work.right - 5);
    EXPECT_EQ(rest.bottom, work.bottom);
    EXPECT_EQ(MessageText(window.hwnd()), L"\n\n今天08:00：开会\n");
    EXPECT_TRUE(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_EQ(log_.played.size(), 1u);
    EXPECT_EQ(log_.played[0], (Offered{FestivalSound(), FallbackSound()}));
}

TEST_F(NotificationWindowTest, ANewMessageWhileRestingOnlyReplacesTheText) {
    NotificationWindow& window = Open();
    window.SetMessage("\n\n今天08:00：开会\n");
    window.Show();
    ASSERT_TRUE(PumpUntilStill(window));
    const RECT rest = RectOf(window.hwnd());

    window.SetMessage("\n\n今天08:01：打电话\n");
    window.Show();
    Pump(200);
    EXPECT_FALSE(window.IsSliding());
    const RECT now = RectOf(window.hwnd());
    EXPECT_EQ(std::memcmp(&rest, &now, sizeof rest), 0);
    EXPECT_NE(MessageText(window.hwnd()).find(L"打电话"), std::wstring::npos);
    EXPECT_EQ(log_.played.size(), 1u) << "the sound played for the first arrival only";
}

TEST_F(NotificationWindowTest, ClicksWhileSlidingInAreIgnoredAndTheButtonSlidesItAway) {
    NotificationWindow& window = Open();
    window.SetMessage("\n\n明天「元旦」");
    window.Show();
    // Clicked at once, while the slide has surely not ended: how far 30 ms of
    // pumping gets depends on the machine (under emulation, all the way).
    ASSERT_TRUE(window.IsSliding());
    Click(window.hwnd(), IDCANCEL);
    ASSERT_TRUE(PumpUntilStill(window));
    EXPECT_TRUE(IsWindowVisible(window.hwnd())) << "X during the slide in did nothing";
    EXPECT_EQ(RectOf(window.hwnd()).bottom, WorkArea().bottom);

    const int stopsBefore = log_.stops;
    Click(window.hwnd(), IDOK);
    EXPECT_TRUE(window.IsSliding());
    Click(window.hwnd(), IDCANCEL);  // ignored while sliding out
    ASSERT_TRUE(PumpUntilStill(window));
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    EXPECT_GT(RectOf(window.hwnd()).top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(log_.stops, stopsBefore) << "dismissing stops the sound";

    window.Show();  // and it comes back for the next notice
    EXPECT_TRUE(window.IsSliding());
    ASSERT_TRUE(PumpUntilStill(window));
    EXPECT_EQ(log_.played.size(), 2u);
}

TEST_F(NotificationWindowTest, ANetworkSoundFileIsNeverOfferedOnlyTheReminderChime) {
    NotificationWindow& window = Open();
    window.SetMessage("\n\n今天「春节」！");
    window.SetSoundFile("\\\\host\\share\\a.wav");
    window.Show();
    ASSERT_TRUE(PumpUntilStill(window));
    ASSERT_EQ(log_.played.size(), 1u);
    EXPECT_EQ(log_.played[0], (Offered{L"", FallbackSound()}));

    // A relative name is looked for under Sound\.
    Click(window.hwnd(), IDOK);
    ASSERT_TRUE(PumpUntilStill(window));
    window.SetSoundFile("festival.wav");
    window.Show();
    ASSERT_TRUE(PumpUntilStill(window));
    ASSERT_EQ(log_.played.size(), 2u);
    EXPECT_EQ(log_.played[1], (Offered{FestivalSound(), FallbackSound()}));
}

TEST_F(NotificationWindowTest, StaysSilentWhenSoundsAreSwitchedOffAtShowTime) {
    NotificationWindow& window = Open();
    playSounds_ = false;
    window.SetMessage("\n\n今天08:00：开会\n");
    window.SetSoundFile("festival.wav");
    window.Show();
    ASSERT_TRUE(PumpUntilStill(window));
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    EXPECT_TRUE(log_.played.empty());

    Click(window.hwnd(), IDOK);
    ASSERT_TRUE(PumpUntilStill(window));
    playSounds_ = true;  // asked again at the next arrival
    window.Show();
    ASSERT_TRUE(PumpUntilStill(window));
    EXPECT_EQ(log_.played.size(), 1u);
}

TEST_F(NotificationWindowTest, ALongMessageIsDrawnCutWithAnEllipsisAndWholeInItsTip) {
    NotificationWindow& window = Open();
    window.SetMessage("\n\n今天08:00：开会\n");
    EXPECT_EQ(window.ShownText(), L"\n\n今天08:00：开会\n") << "a short message is drawn as it is";

    std::string reminder;
    for (int i = 0; i < 12; ++i) reminder += "记得带上身份证、合同和钥匙。";
    const std::string message = "\n\n今天08:00：" + reminder + "\n今天08:00：第二条\n";
    window.SetMessage(message);
    const std::wstring whole = WideFromGbk(message);
    EXPECT_EQ(MessageText(window.hwnd()), whole) << "the label keeps the whole text";
    const std::wstring shown = window.ShownText();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), L'…');
    EXPECT_EQ(shown.rfind(L"今天08:00", 0), 0u) << "the blank lines went first";
    EXPECT_LT(shown.size(), whole.size() / 2);
    EXPECT_EQ(MessageTipText(window.hwnd()), whole.substr(2));
}

}  // namespace
