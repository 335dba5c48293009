// The window-rectangle store applied to real windows: a numbered window's
// screen rectangle is saved to [GADGETS] of the settings file when it is
// destroyed and put back, kept on the screen, when it is created again.
#pragma once

#include <windows.h>

#include <string>

// Reads RECT_<n>; when a sound one is stored, moves and sizes the window to it
// and keeps it on the screen. Otherwise the window stays where it is and the
// answer is false.
bool RestorePlacement(HWND window, int number, const std::string& settingsFile);
void SavePlacement(HWND window, int number, const std::string& settingsFile);

// Pulls the window back onto the primary screen's work area (size unchanged):
// top and left to the screen origin, right and bottom to the work area's edges.
void ClampToWorkArea(HWND window);

// The primary screen's work area (the screen without the task bar).
RECT PrimaryWorkArea();
