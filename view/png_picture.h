// A skin's PNG pictures decoded by the program itself. The system's decoder
// brings its imaging codecs into the process for one small picture at every
// start (under Wine several DLLs, and more time than the rest of the first
// month's background); the shipped pictures are plain 8-bit files that take a
// few hundred lines to read. Only the forms whose pixels are known to come
// out as the system's do are read here: a picture in any other form (16 bits
// a sample, interlaced, with a colour profile or a gamma of its own) gives
// nothing, and the caller hands the file to the system's decoder, so that an
// unusual skin shows exactly as it always did.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

struct PngPicture {
    int width = 0;
    int height = 0;
    // Row by row, top first, `width` pixels a row, each premultiplied
    // 0xAARRGGBB (the layout of a 32-bit premultiplied ARGB bitmap).
    std::vector<std::uint32_t> pixels;
};

// The picture a whole PNG file holds: colour types grey, RGB, grey with
// alpha and RGBA at 8 bits a sample, palettes at 1, 2, 4 or 8 bits, with
// transparency (tRNS) for grey, RGB and palettes. Nothing for another form,
// a side beyond kMaxPictureSide, a chunk cut short or with a wrong CRC,
// image data that inflates to more or less than the rows declared, or a
// palette index beyond the palette.
std::optional<PngPicture> DecodePng(std::string_view file);

// The same for a file, read whole only when it is no larger than a picture
// of its declared size could take.
std::optional<PngPicture> ReadPngPicture(const std::filesystem::path& path);
