#include "base/win/dialog_kit.h"

#include "base/win/gbk_text.h"

#include <gtest/gtest.h>

namespace {

class DialogKitTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        parent_.reset(CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(parent_);
    }

    HWND Child(const wchar_t* windowClass, DWORD style, int id) {
        return CreateWindowExW(0, windowClass, L"", WS_CHILD | style, 0, 0, 300, 200, parent_.get(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    }

    ScopedWindow parent_;
};

TEST_F(DialogKitTest, ListRowsKeepTheirTextsDataAndCheckBoxesInInsertionOrder) {
    const HWND list = Child(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 1014);
    list_view::Setup(list, {{"类型", 80}, {"名称", 120}, {"隐藏", 0}}, true, nullptr);

    EXPECT_EQ(list_view::Insert(list, 0, {"生日", "妈妈"}, 11), 0);
    EXPECT_EQ(list_view::Insert(list, 99, {"纪念日", "婚礼"}, 22), 1);  // past the end: appended
    EXPECT_EQ(list_view::Insert(list, 0, {"节日", "春节"}, 33), 0);     // the old first row moves down

    ASSERT_EQ(list_view::Count(list), 3);
    EXPECT_EQ(list_view::Cell(list, 0, 1), "春节");
    EXPECT_EQ(list_view::Cell(list, 1, 0), "生日");
    EXPECT_EQ(list_view::Data(list, 2), 22);

    list_view::SetChecked(list, 1, true);
    EXPECT_TRUE(list_view::Checked(list, 1));
    EXPECT_FALSE(list_view::Checked(list, 0));

    list_view::SetCells(list, 1, {"生日", "爸爸"});
    EXPECT_EQ(list_view::Cell(list, 1, 1), "爸爸");
    EXPECT_EQ(list_view::Data(list, 1), 11);
}

// 查吉日's 值神 column, sized in dialog units, held "天德（黄…" at 150 %.
TEST_F(DialogKitTest, FittedColumnsShowEveryCellWholeAndKeepWideAndHiddenOnes) {
    const HWND list = Child(WC_LISTVIEWW, LVS_REPORT, 1014);
    list_view::Setup(list, {{"值神", 20}, {"宜", 400}, {"隐藏", 0}}, false, nullptr);
    list_view::Insert(list, 0, {"天德（黄道）", "嫁娶", "x"}, 0);
    list_view::Insert(list, 1, {"青龙（黄道）", "纳采问名 嫁娶 移徙", "x"}, 0);

    const int total = list_view::FitColumns(list);
    for (int row = 0; row < 2; ++row) {
        const std::wstring text = WideFromGbk(list_view::Cell(list, row, 0));
        const int needed =
            static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
        EXPECT_GE(ListView_GetColumnWidth(list, 0), needed + 12) << row;  // the list's own padding
    }
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), 400);
    EXPECT_EQ(ListView_GetColumnWidth(list, 2), 0);
    EXPECT_EQ(total, ListView_GetColumnWidth(list, 0) + 400);
}

TEST_F(DialogKitTest, SelectingARowOutOfRangeLeavesNothingSelected) {
    const HWND list = Child(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 1014);
    list_view::Setup(list, {{"名称", 120}}, false, nullptr);
    list_view::Insert(list, 0, {"a"}, 0);
    list_view::Insert(list, 1, {"b"}, 0);

    EXPECT_EQ(list_view::Selected(list), -1);
    list_view::Select(list, 1);
    EXPECT_EQ(list_view::Selected(list), 1);
    list_view::Select(list, 5);
    EXPECT_EQ(list_view::Selected(list), -1);
}

TEST_F(DialogKitTest, ComboCodesFollowTheirTextsNotThePositions) {
    const HWND box = Child(WC_COMBOBOXW, CBS_DROPDOWN | WS_VSCROLL, 1015);
    combo::Fill(box, {{"无重复", 0}, {"每天", 1}, {"每月", 4}, {"每年", 5}});

    EXPECT_TRUE(combo::SelectCode(box, 4));
    EXPECT_EQ(combo::SelectedCode(box, -1), 4);
    EXPECT_FALSE(combo::SelectCode(box, 2));  // weekly is not offered
    EXPECT_EQ(combo::SelectedCode(box, -1), -1);

    int code = -1;
    combo::SetText(box, "每年");
    ASSERT_TRUE(combo::CodeOfText(box, code));
    EXPECT_EQ(code, 5);
    combo::SetText(box, "17");
    EXPECT_FALSE(combo::CodeOfText(box, code));
    EXPECT_EQ(combo::Text(box), "17");
}

TEST_F(DialogKitTest, TheDialogCannotShrinkBelowItsFirstSizeAndStretchesAnchoredControls) {
    const HWND list = Child(WC_LISTVIEWW, LVS_REPORT, 1014);
    const HWND up = Child(WC_BUTTONW, BS_PUSHBUTTON, 1028);
    SetWindowPos(list, nullptr, 10, 40, 200, 100, SWP_NOZORDER);
    SetWindowPos(up, nullptr, 220, 40, 20, 20, SWP_NOZORDER);

    DialogResizer resizer;
    resizer.Attach(parent_.get());
    resizer.Anchor(1014, DialogResizer::kGrowRight | DialogResizer::kGrowDown);
    resizer.Anchor(1028, DialogResizer::kMoveRight);

    MINMAXINFO limits{};
    LRESULT result = 0;
    ASSERT_TRUE(resizer.OnMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits), result));
    EXPECT_EQ(limits.ptMinTrackSize.x, 400);
    EXPECT_EQ(limits.ptMinTrackSize.y, 300);

    RECT client{};
    GetClientRect(parent_.get(), &client);
    ASSERT_TRUE(resizer.OnMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right + 50, client.bottom + 30), result));

    RECT listRect{}, upRect{};
    GetWindowRect(list, &listRect);
    GetWindowRect(up, &upRect);
    MapWindowPoints(nullptr, parent_.get(), reinterpret_cast<POINT*>(&listRect), 2);
    MapWindowPoints(nullptr, parent_.get(), reinterpret_cast<POINT*>(&upRect), 2);
    EXPECT_EQ(listRect.left, 10);
    EXPECT_EQ(listRect.right - listRect.left, 250);
    EXPECT_EQ(listRect.bottom - listRect.top, 130);
    EXPECT_EQ(upRect.left, 270);
    EXPECT_EQ(upRect.top, 40);
}

TEST_F(DialogKitTest, TypedCharactersWithoutAGbkFormAreReported) {
    const HWND dialog = parent_.get();
    Child(WC_EDITW, ES_AUTOHSCROLL, 1017);
    bool lost = true;
    SetDlgItemTextW(dialog, 1017, L"妈妈的生日 2024");
    EXPECT_EQ(DialogItemText(dialog, 1017, lost), "妈妈的生日 2024");
    EXPECT_FALSE(lost);

    SetDlgItemTextW(dialog, 1017, L"生日\u0E01");  // a Thai letter: no GBK form
    EXPECT_EQ(DialogItemText(dialog, 1017, lost), "生日?");
    EXPECT_TRUE(lost);

    SetDlgItemTextW(dialog, 1017, L"");
    EXPECT_EQ(DialogItemText(dialog, 1017, lost), "");
    EXPECT_FALSE(lost);
}

TEST_F(DialogKitTest, ADialogGetsATaskbarButtonOnlyWhenItsOwnerIsNotOnScreen) {
    auto popupOwnedBy = [](HWND owner) {
        return ScopedWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_CAPTION, 0, 0, 100, 100, owner, nullptr,
                                            GetModuleHandleW(nullptr), nullptr));
    };
    auto hasButton = [](HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0; };

    ScopedWindow alone = popupOwnedBy(parent_.get());  // the owner is hidden
    ShowInTaskbarWhenAlone(alone.get());
    EXPECT_TRUE(hasButton(alone.get()));

    ShowWindow(parent_.get(), SW_SHOWNOACTIVATE);
    ScopedWindow overItsOwner = popupOwnedBy(parent_.get());
    ShowInTaskbarWhenAlone(overItsOwner.get());
    EXPECT_FALSE(hasButton(overItsOwner.get()));
}

TEST_F(DialogKitTest, EnterCountsForTheListOnlyWithTheFocusOnASelectedRow) {
    const HWND list = Child(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP | WS_VISIBLE, 1014);
    const HWND save = Child(WC_BUTTONW, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, IDOK);
    list_view::Setup(list, {{"名称", 120}}, false, nullptr);
    list_view::Insert(list, 0, {"国庆节"}, 0);
    ShowWindow(parent_.get(), SW_SHOW);

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE wasEnter = keys[VK_RETURN];
    auto setEnter = [&](bool down) {
        keys[VK_RETURN] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    };

    setEnter(true);
    SetFocus(list);
    EXPECT_FALSE(list_view::EnterOnSelectedRow(list));  // no row selected
    list_view::Select(list, 0);
    EXPECT_TRUE(list_view::EnterOnSelectedRow(list));
    setEnter(false);
    EXPECT_FALSE(list_view::EnterOnSelectedRow(list));  // 保存并关闭 clicked, say by a program
    setEnter(true);
    SetFocus(save);
    EXPECT_FALSE(list_view::EnterOnSelectedRow(list));  // Enter on the button itself

    keys[VK_RETURN] = wasEnter;
    SetKeyboardState(keys);
}

}  // namespace
