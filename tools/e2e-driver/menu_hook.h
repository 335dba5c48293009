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
