// The About box: product name, version and the date of the executable.
#pragma once

#include <windows.h>

void ShowAboutBox(HWND owner);
