#include "planning/win/planning_dialog_kit.h"

#include <vector>

#include "base/gbk_scan.h"
#include "base/win/dialog_kit.h"
#include "calendar/lunar_calendar.h"

void SetupPlanningList(HWND dialog, int listId, const PlanningColumn* columns, size_t count) {
    std::vector<list_view::Column> pixels;
    for (size_t i = 0; i < count; ++i) {
        RECT width{0, 0, columns[i].width, 0};
        MapDialogRect(dialog, &width);
        pixels.push_back({columns[i].title, static_cast<int>(width.right)});
    }
    list_view::Setup(GetDlgItem(dialog, listId), pixels, false, nullptr);
}

std::optional<Date> TypedDate(HWND dialog, int editId, const char* label) {
    const std::string text(TrimBlanksView(DialogItemText(dialog, editId), kSpacesAndTabs));
    std::optional<Date> date = ParseDate(text);
    if (date && date->year() >= kFirstLunarYear && date->year() <= kLastLunarYear) return date;
    const std::string reason = date ? "须在1901年至2099年之间" : "请写成 2026-12-08 的样子，并且是真实存在的日期";
    ShowMessage(dialog, std::string(label) + "「" + text + "」" + reason + "。", MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(dialog, editId));
    SendDlgItemMessageW(dialog, editId, EM_SETSEL, 0, -1);
    return std::nullopt;
}

void BringForward(HWND dialog) {
    if (IsIconic(dialog)) ShowWindow(dialog, SW_RESTORE);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
}
