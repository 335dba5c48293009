// libFuzzer target: PNG pictures from arbitrary bytes.
//
// Whatever the bytes (damaged chunks, image data that inflates to more or
// less than its rows, palettes and indices of any size), decoding must stay
// inside its buffers, and a picture it gives is whole: one pixel for each
// of its width times height, each premultiplied (no channel above alpha).
// Each input is decoded as it is and again with every chunk's CRC made to
// match, so that changed bytes reach the inflater and the filters instead
// of stopping at the first CRC.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "view/png_picture.h"
#include "view/png_size.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// The file with the CRC of every whole chunk after the signature set to
// what the chunk holds.
std::string WithMatchingCrcs(std::string file) {
    auto* bytes = reinterpret_cast<unsigned char*>(file.data());
    for (std::size_t at = 8; file.size() >= at + 12;) {
        const std::size_t length = std::size_t{bytes[at]} << 24 | std::size_t{bytes[at + 1]} << 16 |
                                   std::size_t{bytes[at + 2]} << 8 | bytes[at + 3];
        if (length > file.size() - at - 12) break;
        const std::uint32_t crc = UpdatePngCrc(0xFFFFFFFFu, bytes + at + 4, 4 + length) ^ 0xFFFFFFFFu;
        unsigned char* stored = bytes + at + 8 + length;
        for (int i = 0; i < 4; ++i) stored[i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
    return file;
}

void Check(std::string_view file) {
    const std::optional<PngPicture> picture = DecodePng(file);
    if (!picture) return;
    Require(picture->width > 0 && picture->width <= kMaxPictureSide);
    Require(picture->height > 0 && picture->height <= kMaxPictureSide);
    Require(picture->pixels.size() == static_cast<std::size_t>(picture->width) * picture->height);
    for (const std::uint32_t pixel : picture->pixels) {
        const std::uint32_t alpha = pixel >> 24;
        Require((pixel >> 16 & 0xFF) <= alpha && (pixel >> 8 & 0xFF) <= alpha && (pixel & 0xFF) <= alpha);
    }
    // A file the decoder takes is one whose chunks are all whole.
    Require(PngChunksAreWhole(file));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    Check(file);
    Check(WithMatchingCrcs(file));
    return 0;
}
