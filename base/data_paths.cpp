#include "base/data_paths.h"

#include <array>

#include "base/file_path.h"
#include "base/platform_folders.h"

namespace {

std::filesystem::path WithExtension(std::filesystem::path path, const char* extension) {
    path += extension;
    return path;
}

std::string MacroText(const std::filesystem::path& folder) { return GbkFromPath(folder).value_or(std::string()); }

}  // namespace

std::filesystem::path ModuleFolder() { return ExecutableFileName().parent_path(); }

std::filesystem::path SettingsFilePath(const std::filesystem::path& folder) { return folder / "Solvane.ini"; }
std::filesystem::path FestivalFilePath(const std::filesystem::path& folder) {
    return folder / "Ostrel" / "holidays.cfg";
}
std::filesystem::path ReminderFilePath(const std::filesystem::path& folder) {
    return folder / "Reminders" / "reminders.cfg";
}
std::filesystem::path DrawingCacheFilePath(const std::filesystem::path& folder) {
    return folder / "Ostrel" / "drawing.cache";
}

std::filesystem::path HolidayScheduleFilePath(const std::filesystem::path& folder) {
    return folder / "Ostrel" / "offdays.cfg";
}
std::filesystem::path AlmanacDatabasePath(const std::filesystem::path& folder) {
    return folder / "Ostrel" / "Database" / "china.mdb";
}
std::filesystem::path SkinTemplatesFolder(const std::filesystem::path& folder) {
    return folder / "Ostrel" / "Templates";
}
std::filesystem::path TrayTemplatesFolder(const std::filesystem::path& folder) {
    return folder / "Ostrel" / "SystemTray";
}
std::filesystem::path SoundFolder(const std::filesystem::path& folder) { return folder / "Sound"; }
std::filesystem::path HelpPagePath(const std::filesystem::path& folder, std::string_view page) {
    return folder / "Help" / page;
}

std::filesystem::path SkinConfigPath(const std::filesystem::path& folder, std::string_view template_name) {
    return PathBelow(SkinTemplatesFolder(folder), template_name) / "config.ini";
}
std::filesystem::path SkinBackgroundPath(const std::filesystem::path& folder, std::string_view template_name) {
    return PathBelow(SkinTemplatesFolder(folder), template_name) / "backgroud.png";
}

std::filesystem::path TrayIniPath(const std::filesystem::path& folder, std::string_view tray_template_name) {
    return WithExtension(PathBelow(TrayTemplatesFolder(folder), tray_template_name), ".ini");
}
std::filesystem::path TrayPicturePath(const std::filesystem::path& folder, std::string_view tray_template_name) {
    return WithExtension(PathBelow(TrayTemplatesFolder(folder), tray_template_name), ".png");
}
std::filesystem::path SoundFilePath(const std::filesystem::path& folder, std::string_view file_name) {
    return PathBelow(SoundFolder(folder), file_name);
}

namespace {

constexpr std::array<std::string_view, 4> kMacros = {"%module_path%", "%window_path%", "%system_path%", "%temp_path%"};

// '%' is never the trail byte of a double-byte character and the rest of a
// macro is ASCII, so a plain byte search only finds whole characters.
std::size_t FindMacro(std::string_view text, std::string_view macro, std::size_t from) {
    return text.find(macro, from);
}

bool HoldsMacro(std::string_view text) {
    for (const std::string_view macro : kMacros)
        if (FindMacro(text, macro, 0) != std::string_view::npos) return true;
    return false;
}

}  // namespace

std::string ExpandPathMacros(std::string_view text, const PathMacroValues& values) {
    const std::array<const std::string*, 4> replacements = {&values.modulePath, &values.windowsPath, &values.systemPath,
                                                            &values.tempPath};
    for (std::size_t kind = 0; kind < kMacros.size(); ++kind) {
        std::size_t at = FindMacro(text, kMacros[kind], 0);
        if (at == std::string_view::npos) continue;
        std::string expanded;
        std::size_t copied = 0;
        while (at != std::string_view::npos) {
            expanded.append(text.substr(copied, at - copied));
            expanded += *replacements[kind];
            copied = at + kMacros[kind].size();
            at = FindMacro(text, kMacros[kind], copied);
        }
        expanded.append(text.substr(copied));
        return expanded;
    }
    return std::string(text);
}

PathMacroValues PlatformPathMacroValues() {
    return PathMacroValues{MacroText(ModuleFolder()), MacroText(WindowsDirectory()), MacroText(SystemDirectory()),
                           MacroText(TemporaryDirectory())};
}

std::string ExpandPathMacros(std::string_view text) {
    if (!HoldsMacro(text)) return std::string(text);
    return ExpandPathMacros(text, PlatformPathMacroValues());
}
