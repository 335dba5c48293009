#include "base/sound_path.h"

#include "base/data_paths.h"
#include "base/file_path.h"

namespace {

bool IsSlash(char c) { return c == '\\' || c == '/'; }

bool HasDrive(std::string_view path) {
    const char letter = path.empty() ? '\0' : path[0];
    return path.size() >= 2 && ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) && path[1] == ':';
}

}  // namespace

bool IsNetworkOrDevicePath(std::string_view path) { return path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1]); }

std::filesystem::path ResolveSoundFile(const std::filesystem::path& module_folder, std::string_view sound_file) {
    if (sound_file.empty() || IsNetworkOrDevicePath(sound_file)) return std::filesystem::path();
    if (HasDrive(sound_file) || IsSlash(sound_file[0])) return PathFromGbk(sound_file);
    return SoundFilePath(module_folder, sound_file);
}
