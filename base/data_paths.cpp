#include "base/data_paths.h"

#include <array>

#include "base/gbk_scan.h"
#include "base/platform_folders.h"

std::string FolderOfModuleFile(std::string_view module_file_name, char separator) {
    const std::size_t last = FindLastGbkChar(module_file_name, separator);
    if (last != std::string_view::npos) return std::string(module_file_name.substr(0, last));
    const std::size_t colon = FindGbkChar(module_file_name, ':');
    if (colon != std::string_view::npos) return std::string(module_file_name.substr(0, colon + 1));
    return std::string();
}

std::string ModuleFolder() { return FolderOfModuleFile(ExecutableFileName(), kPathSeparator); }

std::string JoinDataPath(std::string_view folder, std::string_view suffix, char separator) {
    std::string path(folder);
    path.reserve(folder.size() + suffix.size());
    for (std::size_t i = 0; i < suffix.size();) {
        const std::size_t length = GbkCharLength(suffix, i);
        if (length == 1 && suffix[i] == '\\')
            path += separator;
        else
            path.append(suffix.substr(i, length));
        i += length;
    }
    return path;
}

std::string DataPath(std::string_view folder, std::string_view suffix) {
    return JoinDataPath(folder, suffix, kPathSeparator);
}

std::string SettingsFilePath(std::string_view folder) { return DataPath(folder, kSettingsFileSuffix); }
std::string FestivalFilePath(std::string_view folder) { return DataPath(folder, kFestivalFileSuffix); }
std::string ReminderFilePath(std::string_view folder) { return DataPath(folder, kReminderFileSuffix); }
std::string OffDayFilePath(std::string_view folder) { return DataPath(folder, kOffDayFileSuffix); }
std::string AlmanacDatabasePath(std::string_view folder) { return DataPath(folder, kAlmanacDatabaseSuffix); }

std::string SkinConfigPath(std::string_view folder, std::string_view template_name) {
    return DataPath(folder, std::string(kSkinTemplatesSuffix) + std::string(template_name) + "\\config.ini");
}
std::string SkinBackgroundPath(std::string_view folder, std::string_view template_name) {
    return DataPath(folder, std::string(kSkinTemplatesSuffix) + std::string(template_name) + "\\backgroud.png");
}
std::string TrayIniPath(std::string_view folder, std::string_view tray_template_name) {
    return DataPath(folder, std::string(kTrayTemplatesSuffix) + std::string(tray_template_name) + ".ini");
}
std::string TrayPicturePath(std::string_view folder, std::string_view tray_template_name) {
    return DataPath(folder, std::string(kTrayTemplatesSuffix) + std::string(tray_template_name) + ".png");
}
std::string SoundFilePath(std::string_view folder, std::string_view file_name) {
    return DataPath(folder, std::string(kSoundFolderSuffix) + std::string(file_name));
}

namespace {

constexpr std::array<std::string_view, 4> kMacros = {"%module_path%", "%window_path%", "%system_path%",
                                                      "%temp_path%"};

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
    const std::array<const std::string*, 4> replacements = {&values.modulePath, &values.windowsPath,
                                                            &values.systemPath, &values.tempPath};
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
    return PathMacroValues{ModuleFolder(), WindowsDirectory(), SystemDirectory(), TemporaryDirectory()};
}

std::string ExpandPathMacros(std::string_view text) {
    if (!HoldsMacro(text)) return std::string(text);
    return ExpandPathMacros(text, PlatformPathMacroValues());
}
