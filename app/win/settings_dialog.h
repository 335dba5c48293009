// The settings dialog: shows the switches and lists of [Ostrel] and start at
// logon, and writes them when confirmed. It applies nothing itself; the
// caller re-reads the settings afterwards.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

// Runs the dialog modally over `owner`; true when the user confirmed and the
// settings were written.
bool RunSettingsDialog(HWND owner, const std::filesystem::path& settingsFile,
                       const std::filesystem::path& moduleFolder);
