// Shared between the driver and the hook it places in Solvane.exe.
#pragma once

#include <windows.h>

#include <string>

// Posted to an open pop-up menu: the hook answers by writing the menu's items.
inline const wchar_t kDumpMenuMessageName[] = L"SolvaneE2EDumpMenu";

// %TEMP%\solvane-e2e-menu.txt, one line per item, UTF-8, each item with its
// place on the screen:
//   item<TAB>command<TAB>text<TAB>@L,T,R,B | popup<TAB>text<TAB>@L,T,R,B | separator
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
//                               item<TAB>id<TAB>text (each item of a list box)
//                               row<TAB>index<TAB>checked<TAB>selected<TAB>cell|cell|...
//   cut                       what shows cut: cut<TAB>id<TAB>row,column<TAB>text for a list
//                             cell wider than its column, cut<TAB>id<TAB>label<TAB>text for a
//                             one-line label wider than itself or the dialog; else "whole"
//   set-text ID TEXT          the text of the visible control ID (pages included)
//   pick ID TEXT              selects TEXT in the visible combo ID, as a user's pick
//   check ID 0|1              sets the check box ID
//   select-row N              selects, focuses and shows row N of the list view (-1: none)
//   check-row N 0|1           sets the check box of row N
//   idle                      nothing: its answer says that every message posted
//                             to the dialog before it has been carried out
inline const wchar_t kControlRequestMessageName[] = L"SolvaneE2EControlRequest";

inline std::wstring TempFilePath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder, length) + name;
}
inline std::wstring ControlRequestPath() { return TempFilePath(L"solvane-e2e-request.txt"); }
inline std::wstring ControlAnswerPath() { return TempFilePath(L"solvane-e2e-answer.txt"); }
