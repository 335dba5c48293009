#include "app/tray_menu.h"

namespace {

TrayMenuItem Command(const char* text, int command) {
    TrayMenuItem item;
    item.kind = TrayMenuItem::Kind::kCommand;
    item.text = text;
    item.command = command;
    return item;
}

TrayMenuItem Separator() { return TrayMenuItem(); }

TrayMenuItem SubMenu(const char* text, std::vector<TrayMenuItem> children) {
    TrayMenuItem item;
    item.kind = TrayMenuItem::Kind::kSubMenu;
    item.text = text;
    item.children = std::move(children);
    return item;
}

}  // namespace

std::vector<TrayMenuItem> BuildTrayMenu(const TrayMenuState& state) {
    std::vector<TrayMenuItem> menu;
    menu.push_back(Command(state.calendarVisible ? "隐藏窗口" : "显示窗口", kTrayShowHide));
    menu.push_back(Command("转到今日", kTrayGoToToday));
    menu.push_back(Separator());
    menu.push_back(SubMenu("管理节假日/备忘", {
                                                Command("添加节日...", kTrayAddFestival),
                                                Command("节日管理...", kTrayFestivalManager),
                                                Separator(),
                                                Command("添加备忘...", kTrayAddReminder),
                                                Command("备忘管理...", kTrayReminderManager),
                                            }));
    menu.push_back(SubMenu("帮助", {
                                       Command("帮助文档", kTrayHelp),
                                       Separator(),
                                       Command("功能建议", kTraySuggestion),
                                       Command("错误反馈", kTrayBugReport),
                                       Separator(),
                                       Command("关于...", kTrayAbout),
                                   }));
    menu.push_back(Separator());
    menu.push_back(Command("设置...", kTraySettings));
    menu.push_back(Command("退出", kTrayExit));
    return menu;
}
