// Real pop-up menus from the portable menu trees (base/menu_items.h), opened
// where the user clicked and answered with the chosen command.
#pragma once

#include <windows.h>

#include <vector>

#include "base/menu_items.h"
#include "base/win/scoped_win.h"

// The menu with its sub-menus; empty when the system gives no menu.
ScopedMenu BuildPopupMenu(const std::vector<MenuItem>& items);

// Opens the menu at the cursor (or at the screen point `at`, for a menu
// opened from the keyboard) for `owner` and waits for the choice: the
// command, or 0 when the menu was dismissed. `flags` adds to TPM_RETURNCMD.
int TrackPopupMenuAtCursor(HWND owner, HMENU menu, UINT flags = 0, const POINT* at = nullptr);

// Builds, opens and destroys the menu before answering, so that the command
// runs with no menu left open.
int ChooseFromMenu(HWND owner, const std::vector<MenuItem>& items, UINT flags = 0, const POINT* at = nullptr);
