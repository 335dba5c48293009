// One copy per session: whether another copy runs, and how a second start
// brings that copy's month window forward instead of leaving a user who hid
// it with nothing on the screen.
#pragma once

#include <windows.h>

// A mutex that exists but cannot be opened belongs to a copy running with
// other rights (an elevated one): that copy is running all the same.
inline bool AnotherCopyRuns(HANDLE mutex, DWORD createError) {
    return mutex ? createError == ERROR_ALREADY_EXISTS : createError == ERROR_ACCESS_DENIED;
}

// Sent by a second start to the running copy's shell window: show the month
// window and give it the keyboard (or bring forward the dialog that is open).
inline constexpr UINT kShowRunningCopyMessage = WM_APP + 40;
// The shell window carries this property while it runs, so that a second
// start finds the program's own window and no other dialog of its caption.
inline constexpr wchar_t kRunningCopyProperty[] = L"Solvane.ShellWindow.{7976FE12-E6EB-4293-8BE4-16E8D506788B}";

// Asks the running copy to show its month window; false when no running
// copy's window answered within a few seconds (one hung, or one running
// elevated, whose window does not take messages from this one).
bool ShowRunningCopy();
