// Whole PNG files made in memory: every chunk with its CRC, and image data of
// one stored (uncompressed) zlib block of transparent pixels, so that a
// decoder takes them too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace png_samples {

inline std::uint32_t Crc(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

inline std::string BigEndian(std::uint32_t value) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(value >> shift & 0xFF);
    return bytes;
}

inline std::string Chunk(const std::string& type, const std::string& data) {
    return BigEndian(static_cast<std::uint32_t>(data.size())) + type + data + BigEndian(Crc(type + data));
}

// A zlib stream of stored blocks holding `raw`.
inline std::string StoredZlib(const std::string& raw) {
    std::uint32_t a = 1, b = 0;  // Adler-32
    for (const char c : raw) {
        a = (a + static_cast<unsigned char>(c)) % 65521;
        b = (b + a) % 65521;
    }
    std::string zlib("\x78\x01", 2);
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const std::string block = raw.substr(at, 65535);
        const auto size = static_cast<std::uint16_t>(block.size());
        zlib += static_cast<char>(at + block.size() >= raw.size() ? 1 : 0);  // the last block's mark
        zlib += static_cast<char>(size & 0xFF);
        zlib += static_cast<char>(size >> 8);
        zlib += static_cast<char>(~size & 0xFF);
        zlib += static_cast<char>((~size >> 8) & 0xFF);
        zlib += block;
    }
    return zlib + BigEndian(b << 16 | a);
}

inline std::string HeaderData(std::uint32_t width, std::uint32_t height, unsigned depth = 8, unsigned colour = 6,
                              unsigned interlace = 0) {
    return BigEndian(width) + BigEndian(height) + static_cast<char>(depth) + static_cast<char>(colour) +
           std::string(2, '\0') + static_cast<char>(interlace);
}

// A file of the header's data, the chunks before the image data (whole
// chunks, such as a palette), the image data in one chunk, and the end.
inline std::string PngFile(const std::string& header, const std::string& chunksBefore, const std::string& zlib) {
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + chunksBefore + Chunk("IDAT", zlib) +
           Chunk("IEND", "");
}

// An 8-bit RGBA picture of this size, every pixel transparent.
inline std::string WholePng(std::uint32_t width, std::uint32_t height) {
    std::string raw;
    for (std::uint32_t row = 0; row < height; ++row) raw += std::string(1 + 4 * width, '\0');  // filter 0, pixels
    return PngFile(HeaderData(width, height), "", StoredZlib(raw));
}

}  // namespace png_samples
