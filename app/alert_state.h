// What the alerts need to know across runs, in a small text file beside the
// memo file, replaced whole each time so a crash or power cut never leaves
// half a line:
//   LastChecked=YYYY-MM-DD HH:MM
//   Snoozed=YYYY-MM-DD HH:MM|YYYY-MM-DD HH:MM|text
// The last minute whose alerts were checked lets a start-up show the alerts
// that fell due while the program was not running. Each Snoozed line is an
// alert put off with 稍后提醒: when it comes again, the memo's occurrence and
// its text (GBK; "\" written "\\", line breaks "\n" and "\r", a byte that
// starts no whole character "\xHH"). Older programs read the first line only.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calendar/gregorian.h"
#include "notices/alert_snooze.h"

// Reminders\alerts.state
std::filesystem::path AlertStateFilePath(const std::filesystem::path& folder);

struct AlertState {
    std::optional<SystemTime> lastChecked;
    std::vector<SnoozedAlert> snoozed;
};

std::string AlertStateText(const AlertState& state);
// Anything but a real date and time for LastChecked means nothing known (a
// damaged or foreign file then only means no alerts are shown as missed); a
// Snoozed line that does not read whole is left out.
AlertState ParseAlertState(const std::string& text);

AlertState ReadAlertState(const std::filesystem::path& path);
// False when the file could not be replaced; the old one then stays.
bool WriteAlertState(const std::filesystem::path& path, const AlertState& state);
