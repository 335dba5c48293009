// The dialog that exports festivals and memos to a calendar file for phones
// and mail programs: the choices, the file to write (asking before replacing
// one), 保持更新, a progress bar while it works, then a message with the
// number of events and how to import them.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "export/ics_file.h"

// Runs the dialog modally over `owner`, reading the festival, memo and almanac
// files of the installation folder; true when a file was written. It opens
// with the file kept up to date, if any, and its choices; once a file is
// written, `subscription` says whether (and with what) it is to be kept up to
// date.
bool RunExportDialog(HWND owner, const std::filesystem::path& moduleFolder, IcsSubscription& subscription);
