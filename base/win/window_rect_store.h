// The window-rectangle store applied to real windows: a numbered window's
// screen rectangle is saved to [GADGETS] of the settings file when it is
// destroyed and put back, kept on the screen (base/win/work_area.h), when it
// is created again.
#pragma once

#include <windows.h>

#include <filesystem>

#include "base/window_placement.h"

// Reads RECT_<n>; when a sound one is stored, moves and sizes the window to it
// and keeps it on the screen. Otherwise the window stays where it is and the
// answer is false.
bool RestorePlacement(HWND window, int number, const std::filesystem::path& settingsFile);
void SavePlacement(HWND window, int number, const std::filesystem::path& settingsFile);
