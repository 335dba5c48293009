// Where the program's files are: everything lies beside the executable, in
// `ModuleFolder` followed by a fixed suffix written with backslashes. On Linux
// (tests and the command-line tool) the backslashes become slashes.
#pragma once

#include <string>
#include <string_view>

// The suffixes, each beginning with a backslash.
inline constexpr char kSettingsFileSuffix[] = "\\Solvane.ini";
inline constexpr char kFestivalFileSuffix[] = "\\Ostrel\\holidays.cfg";
inline constexpr char kOffDayFileSuffix[] = "\\Ostrel\\offdays.cfg";
inline constexpr char kReminderFileSuffix[] = "\\Reminders\\reminders.cfg";
inline constexpr char kAlmanacDatabaseSuffix[] = "\\Ostrel\\Database\\china.mdb";
inline constexpr char kSkinTemplatesSuffix[] = "\\Ostrel\\Templates\\";
inline constexpr char kTrayTemplatesSuffix[] = "\\Ostrel\\SystemTray\\";
inline constexpr char kSoundFolderSuffix[] = "\\Sound\\";

// The folder of the running executable, without a trailing separator.
std::string ModuleFolder();

// The module file name cut at its last separator (or, when there is none, just
// after a drive colon), without the separator. GBK-safe.
std::string FolderOfModuleFile(std::string_view module_file_name, char separator);

// folder + suffix, the suffix's backslashes turned into `separator`. GBK-safe:
// the trail byte of a double-byte character is never taken for a backslash.
std::string JoinDataPath(std::string_view folder, std::string_view suffix, char separator);
// The same with this platform's separator.
std::string DataPath(std::string_view folder, std::string_view suffix);

std::string SettingsFilePath(std::string_view folder);
std::string FestivalFilePath(std::string_view folder);
std::string ReminderFilePath(std::string_view folder);
std::string OffDayFilePath(std::string_view folder);  // the public-holiday schedule
std::string AlmanacDatabasePath(std::string_view folder);
// "\Ostrel\Templates\" + name + "\config.ini" and "\backgroud.png" (sic: the
// shipped file name).
std::string SkinConfigPath(std::string_view folder, std::string_view template_name);
std::string SkinBackgroundPath(std::string_view folder, std::string_view template_name);
// "\Ostrel\SystemTray\" + name + ".ini" and ".png".
std::string TrayIniPath(std::string_view folder, std::string_view tray_template_name);
std::string TrayPicturePath(std::string_view folder, std::string_view tray_template_name);
// "\Sound\" + file name.
std::string SoundFilePath(std::string_view folder, std::string_view file_name);

// --- Path macros in profile strings -------------------------------------------

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
