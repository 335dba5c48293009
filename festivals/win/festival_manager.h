// The festival manager: all festival rules in a list with check boxes, to
// add, edit, delete, reorder, switch on and off and save. Opened for adding
// one festival ("quick add") it shows only the editor and saves at once.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "festivals/festival_manager_model.h"

// Runs the manager modally over `owner`; `festivalFile` is read when it
// opens and written on saving. True when it saved the file, so that the
// caller reads it again.
bool RunFestivalManager(HWND owner, const std::filesystem::path& festivalFile, const FestivalManagerRequest& request);
