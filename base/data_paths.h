// Where the program's files are: everything lies beside the executable, in
// `ModuleFolder` and fixed folders below it. Paths are the platform's own
// (base/file_path.h); a template or sound name read from a GBK file is joined
// below its folder as text, so it never leads out of it by looking absolute.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The folder of the running executable.
std::filesystem::path ModuleFolder();

std::filesystem::path SettingsFilePath(const std::filesystem::path& folder);         // Solvane.ini
std::filesystem::path FestivalFilePath(const std::filesystem::path& folder);         // Ostrel\holidays.cfg
std::filesystem::path ReminderFilePath(const std::filesystem::path& folder);         // Reminders\reminders.cfg
std::filesystem::path HolidayScheduleFilePath(const std::filesystem::path& folder);  // Ostrel\offdays.cfg
std::filesystem::path AlmanacDatabasePath(const std::filesystem::path& folder);
// Ostrel\drawing.cache: the month window's pictures kept from one start to
// the next (view/kept_drawing.h); made again whenever it is missing.
std::filesystem::path DrawingCacheFilePath(const std::filesystem::path& folder);
std::filesystem::path SkinTemplatesFolder(const std::filesystem::path& folder);  // Ostrel\Templates
std::filesystem::path TrayTemplatesFolder(const std::filesystem::path& folder);  // Ostrel\SystemTray
std::filesystem::path SoundFolder(const std::filesystem::path& folder);          // Sound
// Help\ + a page's file name.
std::filesystem::path HelpPagePath(const std::filesystem::path& folder, std::string_view page);

// Template and sound names are GBK texts, as Solvane.ini and the records keep them.
// Templates\<name>\config.ini and \backgroud.png (sic: the shipped file name).
std::filesystem::path SkinConfigPath(const std::filesystem::path& folder, std::string_view template_name);
std::filesystem::path SkinBackgroundPath(const std::filesystem::path& folder, std::string_view template_name);
// SystemTray\<name>.ini and .png.
std::filesystem::path TrayIniPath(const std::filesystem::path& folder, std::string_view tray_template_name);
std::filesystem::path TrayPicturePath(const std::filesystem::path& folder, std::string_view tray_template_name);
// Sound\<file name>.
std::filesystem::path SoundFilePath(const std::filesystem::path& folder, std::string_view file_name);

// --- Path macros in profile strings -------------------------------------------
// Profile strings are GBK texts, and so are the macros' values: a folder with
// no GBK form expands to nothing.

struct PathMacroValues {
    std::string modulePath;   // %module_path%: ModuleFolder, no trailing separator
    std::string windowsPath;  // %window_path%: the Windows directory
    std::string systemPath;   // %system_path%: the system directory
    std::string tempPath;     // %temp_path%: the temporary folder, with its trailing separator
};

// The first macro kind present, in the order above, has all its occurrences
// replaced; the other kinds are left as they are.
std::string ExpandPathMacros(std::string_view text, const PathMacroValues& values);

// The values of this machine (asks the platform only when called).
PathMacroValues PlatformPathMacroValues();

// Expands with this machine's values; asks the platform only when the text
// holds a macro.
std::string ExpandPathMacros(std::string_view text);
