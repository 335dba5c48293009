// The screen's monitors and their work areas (the screen without the task
// bars), and keeping a window inside them.
#pragma once

#include <windows.h>

#include <vector>

#include "base/window_placement.h"

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
