// What the platform tells about folders: the executable's own file name and the
// special folders that profile strings may name through path macros.
// Implemented in base/platform/.
#pragma once

#include <filesystem>

// Full file name of the running executable; empty when it cannot be had.
std::filesystem::path ExecutableFileName();
// The Windows directory and the system directory (empty where there is no
// such thing).
std::filesystem::path WindowsDirectory();
std::filesystem::path SystemDirectory();
// The folder for temporary files, with its trailing separator.
std::filesystem::path TemporaryDirectory();
