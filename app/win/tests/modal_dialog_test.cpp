#include "base/win/dialog_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/win/scoped_win.h"
#include "resources/resource_ids.h"

namespace {

// A modal dialog whose opening, and what follows it, the test scripts.
class ProbeDialog : public DialogWindow {
public:
    std::function<void(ProbeDialog&)> opened;
    std::function<void(ProbeDialog&)> afterwards;  // once the modal loop runs

    using DialogWindow::EndModal;
    using DialogWindow::HoldLogOffWhileEdited;

protected:
    bool OnInitDialog() override {
        if (opened) opened(*this);
        if (afterwards) PostMessageW(hwnd(), WM_APP, 0, 0);
        return true;
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message != WM_APP) return false;
        afterwards(*this);
        return true;
    }
};

class DialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Like the program's own shell window: a top-level window that is
        // never shown.
        owner_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(owner_);
    }

    INT_PTR Run(ProbeDialog& dialog) { return dialog.RunModal(IDD_ABOUT_BOX, owner_.get()); }

    ScopedWindow owner_;
};

TEST_F(DialogWindowTest, OpenedFromAHiddenOwnerItHasATaskbarButtonAndTheProgramsIcon) {
    ProbeDialog dialog;
    LONG_PTR exStyle = 0;
    LRESULT icon = 0;
    RECT place{}, area{};
    dialog.opened = [&](ProbeDialog& d) {
        exStyle = GetWindowLongPtrW(d.hwnd(), GWL_EXSTYLE);
        icon = SendMessageW(d.hwnd(), WM_GETICON, ICON_SMALL, 0);
        GetWindowRect(d.hwnd(), &place);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        d.EndModal(7);
    };
    EXPECT_EQ(Run(dialog), 7);
    EXPECT_NE(exStyle & WS_EX_APPWINDOW, 0);
    EXPECT_NE(icon, 0);
    EXPECT_GE(place.left, area.left);
    EXPECT_GE(place.top, area.top);
    EXPECT_LE(place.right, area.right);
    EXPECT_LE(place.bottom, area.bottom);
}

TEST_F(DialogWindowTest, EscapeEndsAModalDialogThatDoesNotHandleIt) {
    ProbeDialog dialog;
    dialog.opened = [](ProbeDialog& d) { PostMessageW(d.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); };
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(DialogWindowTest, ItTellsHowItWasEndedUntilItRunsAgain) {
    ProbeDialog dialog;
    bool beforeEnd = true, afterEnd = false;
    dialog.afterwards = [&](ProbeDialog& d) {
        beforeEnd = d.EndedWith(IDOK);
        d.EndModal(IDOK);
        afterEnd = d.EndedWith(IDOK) && !d.EndedWith(IDCANCEL);
    };
    EXPECT_EQ(Run(dialog), IDOK);
    EXPECT_FALSE(beforeEnd);
    EXPECT_TRUE(afterEnd);
    EXPECT_TRUE(dialog.EndedWith(IDOK)) << "its owner asks once the window is gone";
    dialog.afterwards = [&](ProbeDialog& d) {
        beforeEnd = d.EndedWith(IDOK);
        d.EndModal(IDCANCEL);
    };
    EXPECT_EQ(Run(dialog), IDCANCEL);
    EXPECT_FALSE(beforeEnd) << "a new run starts unended";
    EXPECT_TRUE(dialog.EndedWith(IDCANCEL));
}

TEST_F(DialogWindowTest, LogOffWaitsOnceTheUserHasChangedSomething) {
    ProbeDialog dialog;
    LRESULT untouched = FALSE, edited = TRUE, cancelled = TRUE;
    dialog.opened = [](ProbeDialog& d) { d.HoldLogOffWhileEdited("有尚未保存的节日修改"); };
    dialog.afterwards = [&](ProbeDialog& d) {
        untouched = SendMessageW(d.hwnd(), WM_QUERYENDSESSION, 0, 0);
        SendMessageW(d.hwnd(), WM_COMMAND, MAKEWPARAM(1017, EN_CHANGE), 0);  // typing into a field
        edited = SendMessageW(d.hwnd(), WM_QUERYENDSESSION, 0, 0);
        SendMessageW(d.hwnd(), WM_ENDSESSION, FALSE, 0);  // another program cancelled it
        cancelled = SendMessageW(d.hwnd(), WM_QUERYENDSESSION, 0, 0);
        d.EndModal(IDOK);
    };
    EXPECT_EQ(Run(dialog), IDOK);
    EXPECT_EQ(untouched, TRUE);
    EXPECT_EQ(edited, FALSE);
    EXPECT_EQ(cancelled, FALSE) << "still unsaved: asked to wait again";
}

}  // namespace
