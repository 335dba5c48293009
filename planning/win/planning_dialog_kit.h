// What the planning dialogs share: list columns sized in dialog units, date
// pickers, and bringing an open dialog forward.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "calendar/date.h"

struct PlanningColumn {
    const char* title;  // GBK
    int width;          // dialog units
};

// A report list of the dialog with these columns (full-row selection).
void SetupPlanningList(HWND dialog, int listId, const PlanningColumn* columns, size_t count);
template <size_t N>
void SetupPlanningList(HWND dialog, int listId, const PlanningColumn (&columns)[N]) {
    SetupPlanningList(dialog, listId, columns, N);
}

// A date picker (SysDateTimePick32) of the dialog showing "2026年12月8日",
// holding `date`, that cannot leave 1901-2099: nothing to type, nothing to
// get wrong.
void SetupDatePicker(HWND dialog, int pickerId, const Date& date);
// The date it holds.
Date PickedDate(HWND dialog, int pickerId);

// A dialog already open comes to the front, restored if it was minimised.
void BringForward(HWND dialog);
