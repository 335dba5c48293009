// Shared between the driver and the hook it places in Solvane.exe.
#pragma once

#include <windows.h>

#include <string>

// Posted to an open pop-up menu: the hook answers by writing the menu's items.
inline const wchar_t kDumpMenuMessageName[] = L"SolvaneE2EDumpMenu";

// %TEMP%\solvane-e2e-menu.txt, one line per item, UTF-8:
//   item<TAB>command<TAB>text | popup<TAB>text | separator
inline std::wstring MenuDumpPath() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder, length) + L"solvane-e2e-menu.txt";
}

// Posted to a dialog of the program: the hook carries out the request in
// %TEMP%\solvane-e2e-request.txt there (where control handles and their
// memory are valid) and writes its answer to %TEMP%\solvane-e2e-answer.txt.
// Request: "<sequence>\t<action>\t<argument>\t<argument>", UTF-8. Answer:
// "<sequence>\n" then one line per fact; "error ..." when the action failed.
//   read                      every visible control of the dialog:
//                               control<TAB>id<TAB>class<TAB>text[<TAB>checked]
//                               combo<TAB>id<TAB>shown text
//                               row<TAB>index<TAB>checked<TAB>selected<TAB>cell|cell|...
//   set-text ID TEXT          the text of the visible control ID (pages included)
//   pick ID TEXT              selects TEXT in the visible combo ID, as a user's pick
//   check ID 0|1              sets the check box ID
//   select-row N              selects, focuses and shows row N of the list view (-1: none)
//   check-row N 0|1           sets the check box of row N
inline const wchar_t kControlRequestMessageName[] = L"SolvaneE2EControlRequest";

inline std::wstring TempFilePath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder, length) + name;
}
inline std::wstring ControlRequestPath() { return TempFilePath(L"solvane-e2e-request.txt"); }
inline std::wstring ControlAnswerPath() { return TempFilePath(L"solvane-e2e-answer.txt"); }
