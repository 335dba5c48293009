// libFuzzer target: PNG pictures from arbitrary bytes.
//
// Whatever the bytes (damaged chunks, image data that inflates to more or
// less than its rows, palettes and indices of any size), decoding must stay
// inside its buffers, and a picture it gives is whole: one pixel for each
// of its width times height, each premultiplied (no channel above alpha).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "view/png_picture.h"
#include "view/png_size.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const std::optional<PngPicture> picture = DecodePng(file);
    if (!picture) return 0;
    Require(picture->width > 0 && picture->width <= kMaxPictureSide);
    Require(picture->height > 0 && picture->height <= kMaxPictureSide);
    Require(picture->pixels.size() == static_cast<std::size_t>(picture->width) * picture->height);
    for (const std::uint32_t pixel : picture->pixels) {
        const std::uint32_t alpha = pixel >> 24;
        Require((pixel >> 16 & 0xFF) <= alpha && (pixel >> 8 & 0xFF) <= alpha && (pixel & 0xFF) <= alpha);
    }
    // A file the decoder takes is one whose chunks are all whole.
    Require(PngChunksAreWhole(file));
    return 0;
}
