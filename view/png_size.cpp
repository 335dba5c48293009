#include "view/png_size.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/file_system.h"

namespace {

// Signature (8), IHDR length and type (8), its 13 bytes of data.
constexpr std::size_t kHeaderBytes = 29;

std::uint32_t BigEndian32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The bit depths each colour type allows.
bool SoundDepth(unsigned colourType, unsigned depth) {
    switch (colourType) {
        case 0:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;  // grey
        case 3:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;  // palette
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16;  // colour, alpha
        default:
            return false;
    }
}

}  // namespace

std::optional<PixelSize> PngSizeOfHeader(std::string_view firstBytes) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (firstBytes.size() < kHeaderBytes) return std::nullopt;
    const auto* header = reinterpret_cast<const unsigned char*>(firstBytes.data());
    if (std::memcmp(header, kSignature, 8) != 0 || BigEndian32(header + 8) != 13 ||
        std::memcmp(header + 12, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    const std::uint32_t width = BigEndian32(header + 16), height = BigEndian32(header + 20);
    const unsigned depth = header[24], colourType = header[25];
    if (!SoundDepth(colourType, depth) || header[26] != 0 || header[27] != 0 || header[28] > 1) return std::nullopt;
    if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide) return std::nullopt;
    return PixelSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<PixelSize> ReadPngSize(const std::filesystem::path& path) {
    char header[kHeaderBytes];
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return std::nullopt;
    const size_t read = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    return PngSizeOfHeader(std::string_view(header, read));
}

bool IsAcceptablePicture(const std::filesystem::path& path, int maxWidth, int maxHeight) {
    const std::optional<PixelSize> size = ReadPngSize(path);
    return size && size->width <= std::min(maxWidth, kMaxPictureSide) &&
           size->height <= std::min(maxHeight, kMaxPictureSide);
}
