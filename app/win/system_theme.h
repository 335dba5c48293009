// What the desktop asks of the program's look: Windows' dark theme for apps,
// and the message that says it changed.
#pragma once

#include <windows.h>

// Whether Windows' apps use the dark theme (AppsUseLightTheme = 0 under the
// user's Personalize key). Windows before 10 and Wine have no such value:
// light.
bool AppsUseDarkTheme();

// Whether a WM_SETTINGCHANGE says the theme of apps may have changed.
bool IsThemeChange(LPARAM lParam);
