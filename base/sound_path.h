// Where a festival's sound file is looked for. A network or device path
// (\\host\share\a.wav, \\?\..., \\.\...) is never opened: the notice would
// stall while the network answers, and opening a share hands the user's
// network credentials to whoever runs it.
#pragma once

#include <filesystem>
#include <string_view>

// Whether the path names a network share or a device (starts with two
// slashes or backslashes in any mix).
bool IsNetworkOrDevicePath(std::string_view path);

// The file to open for a festival's sound (GBK, as its record keeps it): a
// path with a drive ("C:\...") as it is, a relative name under the program's
// Sound folder, nothing (an empty path) for an empty, network or device path.
std::filesystem::path ResolveSoundFile(const std::filesystem::path& module_folder, std::string_view sound_file);
