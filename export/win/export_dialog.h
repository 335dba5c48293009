// The dialog that exports festivals and memos to a calendar file for phones
// and mail programs: the choices, the file to write (asking before replacing
// one), a progress bar while it works, then a message with the number of
// events and how to import them.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

// Runs the dialog modally over `owner`, reading the festival, memo and almanac
// files of the installation folder; true when a file was written.
bool RunExportDialog(HWND owner, const std::filesystem::path& moduleFolder);
