// The screen's DPI as this program sees it. The program declares itself
// aware of each monitor's DPI (per-monitor v2, falling back to per-monitor,
// then to the system's DPI on older Windows) and scales what it draws itself.
#pragma once

#include <windows.h>

// Once, before the first window is made: per-monitor v2, else per-monitor,
// else the system DPI. The program's manifest says the same, and where a
// system has read it there these calls change nothing; they stay for one
// that reads less of the manifest than it says.
void DeclareDpiAwareness();

// The DPI of the monitor the window is on (96 at 100 %): the window's own
// where Windows says it, else the system's.
int WindowDpi(HWND window);
