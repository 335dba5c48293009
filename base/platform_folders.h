// What the platform tells about folders: the executable's own file name and the
// special folders that profile strings may name through path macros. GBK text.
// Implemented in app/posix/ and app/win/platform/.
#pragma once

#include <string>

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Full file name of the running executable; empty when it cannot be had.
std::string ExecutableFileName();
// The Windows directory and the system directory, without a trailing separator
// (empty where there is no such thing).
std::string WindowsDirectory();
std::string SystemDirectory();
// The folder for temporary files, with its trailing separator.
std::string TemporaryDirectory();
