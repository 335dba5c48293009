// The window-rectangle store applied to real windows: a numbered window's
// screen rectangle is saved to [GADGETS] of the settings file when it is
// destroyed and put back, kept on the screen, when it is created again.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/window_placement.h"

// Reads RECT_<n>; when a sound one is stored, moves and sizes the window to it
// and keeps it on the screen. Otherwise the window stays where it is and the
// answer is false.
bool RestorePlacement(HWND window, int number, const std::filesystem::path& settingsFile);
void SavePlacement(HWND window, int number, const std::filesystem::path& settingsFile);

// Keeps the window on the monitor it is on, or on the nearest one when that
// monitor is gone (size unchanged), inside that monitor's work area.
void ClampToWorkArea(HWND window);

// The primary screen's work area (the screen without the task bar).
RECT PrimaryWorkArea();
// Every monitor with its work area, the primary first.
std::vector<MonitorArea> DisplayMonitors();
// The work area of the monitor a window with this rectangle is on (the
// nearest monitor's when it is on none).
RECT WorkAreaFor(const RECT& window);
