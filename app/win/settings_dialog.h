// The settings dialog: shows the switches and lists of [Ostrel] and start at
// logon on its 常规 page, the calendar sync's account on its 同步 page, and
// writes them when confirmed (the sync's password to Windows' Credential
// Manager). It applies nothing itself; the caller re-reads the settings
// afterwards.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/calendar_sync_job.h"

// What the 同步 page asks of the program while it is open.
struct SettingsSyncLink {
    std::function<std::string()> statusText;          // GBK, the page's state line
    std::function<void(const SyncRequest&)> syncNow;  // 立即同步 with what the page shows
    std::function<bool()> hasConflicts;               // 处理冲突… is enabled while true
    std::function<void(HWND owner)> openConflicts;    // the conflicts' dialog over the page
};

// Runs the dialog modally over `owner`; true when the user confirmed and the
// settings were written.
bool RunSettingsDialog(HWND owner, const std::filesystem::path& settingsFile, const std::filesystem::path& moduleFolder,
                       const SettingsSyncLink& sync);
