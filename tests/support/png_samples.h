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

// An 8-bit RGBA picture of this size.
inline std::string WholePng(std::uint32_t width, std::uint32_t height) {
    const std::string header = BigEndian(width) + BigEndian(height) + std::string("\x08\x06\0\0\0", 5);
    std::string raw;
    for (std::uint32_t row = 0; row < height; ++row) raw += std::string(1 + 4 * width, '\0');  // filter 0, pixels
    std::uint32_t a = 1, b = 0;                                                                // Adler-32
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
    zlib += BigEndian(b << 16 | a);
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", zlib) + Chunk("IEND", "");
}

}  // namespace png_samples
