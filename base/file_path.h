// Paths are the platform's own: UTF-16 on Windows, so that a folder named in
// any script (한글, an emoji, a user name outside GBK) is opened as it is, and
// bytes taken as UTF-8 on Linux (the tests and the command-line tool). Texts
// stay GBK; a name that comes from a GBK text (a template name in Solvane.ini,
// a sound file in a festival or memo record) becomes a path here, and only
// here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The path a GBK text names. Stored names are Windows paths: on Linux their
// backslashes become slashes.
std::filesystem::path PathFromGbk(std::string_view gbk);

// The GBK text of a path, or nothing when one of its characters has no GBK
// form (a name the GBK files cannot keep).
std::optional<std::string> GbkFromPath(const std::filesystem::path& path);

// The path as GBK text for a listing that is text throughout (the
// command-line tool's); a character without a GBK form shows as '?'.
std::string GbkTextOfPath(const std::filesystem::path& path);

// The name under which libraries that take UTF-8 file names (SQLite, on
// Windows too) find the file.
std::string Utf8FileName(const std::filesystem::path& path);

// `folder`, a separator and the name a GBK text gives, joined as text. Unlike
// operator/, a name that looks absolute ("C:\x", "\\host\x") stays below the
// folder instead of replacing it, so a name read from a file never leads
// elsewhere by itself.
std::filesystem::path PathBelow(std::filesystem::path folder, std::string_view gbk_name);
