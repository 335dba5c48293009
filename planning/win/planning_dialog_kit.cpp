#include "planning/win/planning_dialog_kit.h"

#include <commctrl.h>

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

namespace {

SYSTEMTIME PickerTime(const Date& date) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year());
    time.wMonth = static_cast<WORD>(date.month());
    time.wDay = static_cast<WORD>(date.day());
    time.wDayOfWeek = static_cast<WORD>(date.weekday() % 7);
    return time;
}

}  // namespace

void SetupDatePicker(HWND dialog, int pickerId, const Date& date) {
    const HWND picker = GetDlgItem(dialog, pickerId);
    SYSTEMTIME range[2] = {PickerTime(*Date::FromCivil(kFirstLunarYear, 1, 1)),
                           PickerTime(*Date::FromCivil(kLastLunarYear, 12, 31))};
    DateTime_SetRange(picker, GDTR_MIN | GDTR_MAX, range);
    // The short date of a Chinese Windows is "2026/12/8"; a date written out
    // reads the same on every system.
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"yyyy'\u5e74'M'\u6708'd'\u65e5'"));
    SYSTEMTIME time = PickerTime(date);
    DateTime_SetSystemtime(picker, GDT_VALID, &time);
}

Date PickedDate(HWND dialog, int pickerId) {
    SYSTEMTIME time{};
    if (DateTime_GetSystemtime(GetDlgItem(dialog, pickerId), &time) == GDT_VALID) {
        if (const std::optional<Date> date = Date::FromCivil(time.wYear, time.wMonth, time.wDay)) return *date;
    }
    return *Date::FromCivil(kFirstLunarYear, 1, 1);
}

void BringForward(HWND dialog) {
    if (IsIconic(dialog)) ShowWindow(dialog, SW_RESTORE);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
}
