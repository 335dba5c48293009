#include <algorithm>

#include "base/file_path.h"
#include "base/text_encoding.h"

std::filesystem::path PathFromGbk(std::string_view gbk) {
    // No UTF-8 sequence holds the byte 0x5C but the backslash itself.
    std::string utf8 = Utf8FromGbk(std::string(gbk));
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    return std::filesystem::path(utf8);
}

std::optional<std::string> GbkFromPath(const std::filesystem::path& path) {
    std::string gbk = GbkFromUtf8(path.native());
    if (Utf8FromGbk(gbk) != path.native()) return std::nullopt;
    return gbk;
}

std::string GbkTextOfPath(const std::filesystem::path& path) { return GbkFromUtf8(path.native()); }

std::string Utf8FileName(const std::filesystem::path& path) { return path.native(); }
