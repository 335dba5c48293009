#include <windows.h>

#include "base/file_path.h"
#include "base/win/gbk_text.h"

std::filesystem::path PathFromGbk(std::string_view gbk) { return std::filesystem::path(WideFromGbk(gbk)); }

std::optional<std::string> GbkFromPath(const std::filesystem::path& path) {
    // Lost characters are not the only danger: the conversion may quietly
    // swap one for a look-alike (Å for A), which only the way back shows.
    bool lost = false;
    std::string gbk = GbkFromWide(path.native(), lost);
    if (lost || WideFromGbk(gbk) != path.native()) return std::nullopt;
    return gbk;
}

std::string GbkTextOfPath(const std::filesystem::path& path) { return GbkFromWide(path.native()); }

std::string Utf8FileName(const std::filesystem::path& path) { return Utf8FromWide(path.native()); }
