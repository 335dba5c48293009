#include "view/png_size.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/file_system.h"

namespace {

// Signature (8), IHDR length and type (8), its 13 bytes of data.
constexpr std::size_t kHeaderBytes = 29;

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

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct Crc32Table {
    std::uint32_t entries[256];
    constexpr Crc32Table() : entries() {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
    }
};
constexpr Crc32Table kCrc32;

// `read(buffer, n)` gives up to n bytes, fewer only at the end.
template <typename Read>
bool ChunksAreWhole(Read read) {
    unsigned char buffer[16384];
    if (read(buffer, 8) != 8 || std::memcmp(buffer, kSignature, 8) != 0) return false;
    bool first = true, imageData = false;
    for (;;) {
        unsigned char head[8];
        if (read(head, 8) != 8) return false;
        const std::uint32_t length = PngUint32(head);
        if (length > 0x7FFFFFFFu) return false;
        const std::string_view type(reinterpret_cast<const char*>(head + 4), 4);
        if (first != (type == "IHDR")) return false;
        first = false;
        if (type == "IDAT") imageData = true;
        std::uint32_t crc = UpdatePngCrc(0xFFFFFFFFu, head + 4, 4);
        for (std::uint32_t left = length; left > 0;) {
            const std::size_t want = std::min<std::size_t>(left, sizeof buffer);
            if (read(buffer, want) != want) return false;
            crc = UpdatePngCrc(crc, buffer, want);
            left -= static_cast<std::uint32_t>(want);
        }
        unsigned char stored[4];
        if (read(stored, 4) != 4 || PngUint32(stored) != (crc ^ 0xFFFFFFFFu)) return false;
        if (type == "IEND") return imageData;
    }
}

}  // namespace

std::uint32_t PngUint32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

std::uint32_t UpdatePngCrc(std::uint32_t crc, const unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) crc = kCrc32.entries[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

bool PngChunksAreWhole(std::string_view bytes) {
    return ChunksAreWhole([&bytes](unsigned char* to, std::size_t count) {
        const std::size_t n = std::min(count, bytes.size());
        if (n > 0) std::memcpy(to, bytes.data(), n);
        bytes.remove_prefix(n);
        return n;
    });
}

bool PngFileIsWhole(const std::filesystem::path& path) {
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return false;
    const bool whole =
        ChunksAreWhole([file](unsigned char* to, std::size_t count) { return std::fread(to, 1, count, file); });
    std::fclose(file);
    return whole;
}

std::optional<PixelSize> PngSizeOfHeader(std::string_view firstBytes) {
    if (firstBytes.size() < kHeaderBytes) return std::nullopt;
    const auto* header = reinterpret_cast<const unsigned char*>(firstBytes.data());
    if (std::memcmp(header, kSignature, 8) != 0 || PngUint32(header + 8) != 13 ||
        std::memcmp(header + 12, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    const std::uint32_t width = PngUint32(header + 16), height = PngUint32(header + 20);
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
