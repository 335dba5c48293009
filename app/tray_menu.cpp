#include "app/tray_menu.h"

#include <utility>

namespace {

MenuItem Command(const char* text, int command) { return MenuItem::Command(command, text); }
MenuItem Separator() { return MenuItem::Separator(); }
MenuItem SubMenu(const char* text, std::vector<MenuItem> children) {
    return MenuItem::SubMenu(text, std::move(children));
}

}  // namespace

std::vector<MenuItem> BuildTrayMenu(const TrayMenuState& state) {
    std::vector<MenuItem> menu;
    menu.push_back(Command(state.calendarVisible ? "隐藏窗口" : "显示窗口", kTrayShowHide));
    menu.push_back(Command("转到今日", kTrayGoToToday));
    menu.push_back(Command("转到日期...", kTrayGoToDate));
    menu.push_back(Separator());
    menu.push_back(Command("查吉日...", kTrayFindGoodDays));
    menu.push_back(Command("拼假...", kTrayPlanLeave));
    menu.push_back(Separator());
    menu.push_back(SubMenu("管理节假日/备忘", {
                                                  Command("添加节日...", kTrayAddFestival),
                                                  Command("节日管理...", kTrayFestivalManager),
                                                  Separator(),
                                                  Command("添加备忘...", kTrayAddReminder),
                                                  Command("备忘管理...", kTrayReminderManager),
                                                  Separator(),
                                                  Command("导出到手机日历...", kTrayExportCalendar),
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
    if (state.syncConflicts > 0) menu.push_back(Command("处理同步冲突...", kTraySyncConflicts));
    menu.push_back(Command("设置...", kTraySettings));
    menu.push_back(Command("退出", kTrayExit));
    return menu;
}
