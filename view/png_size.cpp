#include "view/png_size.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/file_system.h"

namespace {

std::uint32_t BigEndian32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

}  // namespace

std::optional<PixelSize> ReadPngSize(const std::string& path) {
    // Signature, then the first chunk, which must be IHDR: length, type,
    // width, height (big-endian).
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char header[24];
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return std::nullopt;
    const size_t read = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    if (read != sizeof header || std::memcmp(header, kSignature, 8) != 0 || std::memcmp(header + 12, "IHDR", 4) != 0)
        return std::nullopt;
    const std::uint32_t width = BigEndian32(header + 16), height = BigEndian32(header + 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) return std::nullopt;
    return PixelSize{static_cast<int>(width), static_cast<int>(height)};
}
