#include "view/win/kept_drawing_stamp.h"

#include <windows.h>

#include <cstdio>
#include <optional>

#include "base/file_system.h"
#include "base/platform_folders.h"
#include "base/win/scoped_win.h"

namespace {

std::string Stamped(const char* name, const std::optional<FileStamp>& stamp) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %lld/%lld; ", name, stamp ? static_cast<long long>(stamp->size) : -1LL,
                  stamp ? static_cast<long long>(stamp->modified) : -1LL);
    return text;
}

// When the key was last written, as the registry keeps it: installing,
// removing or replacing a font writes its key.
std::string KeyWritten(HKEY root, const wchar_t* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return "-";
    const ScopedRegistryKey owned(opened);
    FILETIME written{};
    if (RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, &written) != ERROR_SUCCESS) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%lu.%lu", static_cast<unsigned long>(written.dwHighDateTime),
                  static_cast<unsigned long>(written.dwLowDateTime));
    return text;
}

}  // namespace

std::string KeptDrawingStamp() {
    constexpr const wchar_t* kFonts = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    constexpr const wchar_t* kSubstitutes = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes";
    return Stamped("program", ReadFileStamp(ExecutableFileName())) +
           Stamped("gdiplus", ReadFileStamp(SystemDirectory() / L"gdiplus.dll")) + "fonts " +
           KeyWritten(HKEY_LOCAL_MACHINE, kFonts) + " " + KeyWritten(HKEY_CURRENT_USER, kFonts) + " " +
           KeyWritten(HKEY_LOCAL_MACHINE, kSubstitutes);
}
