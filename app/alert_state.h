// The last minute whose memo alerts were checked, kept across runs so that a
// start-up can show the alerts that fell due while the program was not
// running. A small text file beside the memo file, "LastChecked=YYYY-MM-DD
// HH:MM", replaced whole each time so a crash or power cut never leaves half
// a line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "calendar/gregorian.h"

// Reminders\alerts.state
std::filesystem::path AlertStateFilePath(const std::filesystem::path& folder);

std::string AlertStateText(const SystemTime& lastChecked);
// The minute the text names; nothing for anything but a real date and time
// (a damaged or foreign file then only means no alerts are shown as missed).
std::optional<SystemTime> ParseAlertState(const std::string& text);

std::optional<SystemTime> ReadAlertState(const std::filesystem::path& path);
// False when the file could not be replaced; the old one then stays.
bool WriteAlertState(const std::filesystem::path& path, const SystemTime& lastChecked);
