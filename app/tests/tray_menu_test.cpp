#include "app/tray_menu.h"

#include <gtest/gtest.h>

#include "app/about_text.h"
#include "tests/support/dates.h"

namespace {

// One line per item, sub-menu items indented, separators as "-".
std::string Outline(const std::vector<MenuItem>& items, const std::string& indent = "") {
    std::string out;
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::kSeparator) {
            out += indent + "-\n";
        } else if (item.kind == MenuItem::Kind::kSubMenu) {
            out += indent + item.text + " >\n" + Outline(item.children, indent + "  ");
        } else {
            out += indent + item.text + " " + std::to_string(item.command) + "\n";
        }
    }
    return out;
}

TEST(TrayMenu, HasEveryCommandWithItsNumber) {
    EXPECT_EQ(Outline(BuildTrayMenu({true})),
              "隐藏窗口 3\n"
              "转到今日 4\n"
              "转到日期... 16\n"
              "-\n"
              "查吉日... 17\n"
              "拼假... 18\n"
              "-\n"
              "管理节假日/备忘 >\n"
              "  添加节日... 6\n"
              "  节日管理... 5\n"
              "  -\n"
              "  添加备忘... 10\n"
              "  备忘管理... 9\n"
              "  -\n"
              "  导出到手机日历... 15\n"
              "帮助 >\n"
              "  帮助文档 14\n"
              "  -\n"
              "  功能建议 7\n"
              "  错误反馈 8\n"
              "  -\n"
              "  关于... 11\n"
              "-\n"
              "设置... 2\n"
              "退出 1\n");
}

TEST(TrayMenu, OffersToDealWithSyncConflictsOnlyWhileTheLastSyncLeftSome) {
    const std::string without = Outline(BuildTrayMenu({true, 0}));
    EXPECT_EQ(without.find("处理同步冲突"), std::string::npos);
    const std::string with = Outline(BuildTrayMenu({true, 2}));
    EXPECT_NE(with.find("-\n处理同步冲突... 19\n设置... 2\n"), std::string::npos) << with;
}

TEST(TrayMenu, FirstItemFollowsTheCalendarWindowsVisibility) {
    EXPECT_EQ(BuildTrayMenu({false}).front().text, "显示窗口");
    EXPECT_EQ(BuildTrayMenu({false}).front().command, kTrayShowHide);
}

TEST(AboutBox, WritesTheUpdateDateInChineseOrSaysThereIsNone) {
    EXPECT_EQ(AboutUpdateDateText(At(2013, 1, 5, 23)), "更新日期：2013年01月05日");
    EXPECT_EQ(AboutUpdateDateText(std::nullopt), "更新日期：<无>");
    EXPECT_EQ(AboutVersionText("1.0.0"), "版本号：1.0.0");
}

}  // namespace
