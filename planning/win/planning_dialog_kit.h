// What the planning dialogs share: list columns sized in dialog units, a
// typed date read with a message when it is none, and bringing an open
// dialog forward.
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

// The date typed into an edit control as YYYY-MM-DD, within 1901-2099; when
// it is none, a message names the field (`label`, GBK) and the focus goes
// to it.
std::optional<Date> TypedDate(HWND dialog, int editId, const char* label);

// A dialog already open comes to the front, restored if it was minimised.
void BringForward(HWND dialog);
