// The pixel size a PNG file declares in its header, read without decoding the
// picture, so that window sizes can be worked out where no image library is.
// Only a file that passes this check is handed to the system's image decoder:
// a skin is downloaded from anywhere, and no other format's decoder, nor a
// giant picture, is to be reached through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The largest width and height of a picture the program takes.
inline constexpr int kMaxPictureSide = 4096;

// The size from the first bytes of a PNG file: the signature, then an IHDR
// chunk of 13 bytes with a sound bit depth, colour type, compression, filter
// and interlace method. Nothing when any of that is wrong or a side is zero
// or beyond kMaxPictureSide.
std::optional<PixelSize> PngSizeOfHeader(std::string_view firstBytes);

// The same for a file; nothing when it is missing too.
std::optional<PixelSize> ReadPngSize(const std::filesystem::path& path);

// Whether the file is a PNG no wider than `maxWidth` and no higher than
// `maxHeight` (each capped at kMaxPictureSide).
bool IsAcceptablePicture(const std::filesystem::path& path, int maxWidth, int maxHeight);

// Whether a PNG's chunks are all there: the signature, IHDR first, image data,
// and IEND, each chunk whole with a matching CRC. A picture cut short (a
// download that stopped, a copy onto a full disk) keeps a sound header but
// decodes to nothing; a file is looked at a buffer at a time, never held whole.
bool PngChunksAreWhole(std::string_view bytes);
bool PngFileIsWhole(const std::filesystem::path& path);

// A four-byte integer of a PNG file (lengths, sizes, CRCs), the most
// significant byte first.
std::uint32_t PngUint32(const unsigned char* bytes);

// The CRC-32 of a chunk's type and data, continued over `count` more bytes:
// start from 0xFFFFFFFF, and the chunk's stored CRC is the result's
// complement.
std::uint32_t UpdatePngCrc(std::uint32_t crc, const unsigned char* bytes, std::size_t count);
