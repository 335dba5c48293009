#include "view/png_picture.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/file_system.h"
#include "base/inflate.h"
#include "view/png_size.h"

namespace {

unsigned PngUint16(const unsigned char* p) { return static_cast<unsigned>(p[0] << 8 | p[1]); }

// Rounded to the nearest level, as the system's decoder premultiplies.
std::uint32_t Premultiplied(unsigned red, unsigned green, unsigned blue, unsigned alpha) {
    if (alpha == 255) return 0xFF000000u | red << 16 | green << 8 | blue;
    const auto times = [alpha](unsigned value) { return (value * alpha + 127) / 255; };
    return alpha << 24 | times(red) << 16 | times(green) << 8 | times(blue);
}

// The gamma a file may declare and still be shown as it is: that of the
// screen (1/2.2, stored as 45455), which the system's decoder leaves alone.
bool ScreenGamma(std::uint32_t stored) { return stored >= 45450 && stored <= 45460; }

struct Header {
    int width = 0;
    int height = 0;
    unsigned depth = 0;
    unsigned colourType = 0;
};

// What the chunks before the image data say, and the image data itself.
struct Chunks {
    Header header;
    std::array<std::uint32_t, 256> palette{};  // premultiplied, tRNS applied
    int paletteSize = 0;
    int greyKey = -1;                               // tRNS of a grey picture
    long redKey = -1, greenKey = -1, blueKey = -1;  // tRNS of an RGB picture
    std::string imageData;
};

bool ReadHeader(std::string_view file, Header& header) {
    const std::optional<PixelSize> size = PngSizeOfHeader(file);
    if (!size) return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    header.width = size->width;
    header.height = size->height;
    header.depth = bytes[24];
    header.colourType = bytes[25];
    if (bytes[28] != 0) return false;         // interlaced
    if (header.colourType == 3) return true;  // palettes at 1, 2, 4 and 8 bits
    return header.depth == 8;
}

bool ReadChunks(std::string_view file, Chunks& chunks) {
    if (!ReadHeader(file, chunks.header)) return false;
    const unsigned colourType = chunks.header.colourType;
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    std::size_t at = 8;
    bool seenPalette = false, seenTransparency = false, inImageData = false, afterImageData = false;
    const unsigned char* paletteColours = nullptr;
    std::uint8_t alphas[256];
    std::memset(alphas, 255, sizeof alphas);
    for (bool first = true;; first = false) {
        if (file.size() - at < 12) return false;
        const std::uint32_t length = PngUint32(bytes + at);
        if (length > file.size() - at - 12) return false;
        const unsigned char* type = bytes + at + 4;
        const unsigned char* data = type + 4;
        if ((UpdatePngCrc(0xFFFFFFFFu, type, 4 + length) ^ 0xFFFFFFFFu) != PngUint32(data + length)) return false;
        at += 12 + length;
        const std::string_view name(reinterpret_cast<const char*>(type), 4);
        if (first != (name == "IHDR")) return false;
        if (name == "IDAT") {
            if (afterImageData) return false;  // image data must be one run of chunks
            inImageData = true;
            chunks.imageData.append(reinterpret_cast<const char*>(data), length);
            continue;
        }
        if (inImageData) afterImageData = true;
        if (name == "IHDR") continue;
        if (name == "IEND") break;
        if (name == "PLTE") {
            if (seenPalette || afterImageData || length % 3 != 0 || length == 0 || length > 3 * 256) return false;
            seenPalette = true;
            chunks.paletteSize = static_cast<int>(length / 3);
            paletteColours = data;  // premultiplied once tRNS, which comes later, is read
            continue;
        }
        if (name == "tRNS") {
            if (seenTransparency || afterImageData) return false;
            seenTransparency = true;
            if (colourType == 3) {
                if (!seenPalette || static_cast<int>(length) > chunks.paletteSize) return false;
                std::memcpy(alphas, data, length);
            } else if (colourType == 0 && length == 2) {
                chunks.greyKey = static_cast<int>(PngUint16(data));
            } else if (colourType == 2 && length == 6) {
                chunks.redKey = PngUint16(data);
                chunks.greenKey = PngUint16(data + 2);
                chunks.blueKey = PngUint16(data + 4);
            } else {
                return false;
            }
            continue;
        }
        if (name == "gAMA") {
            if (length != 4 || !ScreenGamma(PngUint32(data))) return false;
            continue;
        }
        // A colour profile or primaries of its own: the system's decoder
        // may convert its colours.
        if (name == "iCCP" || name == "cHRM") return false;
        // Any other chunk the picture needs to be shown (an upper-case first
        // letter) is one this decoder does not know.
        if ((type[0] & 0x20) == 0) return false;
    }
    if (chunks.imageData.empty()) return false;
    if (colourType == 3) {
        if (!seenPalette) return false;
        for (int i = 0; i < chunks.paletteSize; ++i) {
            chunks.palette[i] =
                Premultiplied(paletteColours[3 * i], paletteColours[3 * i + 1], paletteColours[3 * i + 2], alphas[i]);
        }
    }
    return true;
}

int BitsPerPixel(const Header& header) {
    switch (header.colourType) {
        case 2:
            return 24;
        case 4:
            return 16;
        case 6:
            return 32;
        default:
            return static_cast<int>(header.depth);  // grey (8) and palettes
    }
}

std::size_t RowBytes(const Header& header) {
    return (static_cast<std::size_t>(header.width) * BitsPerPixel(header) + 7) / 8;
}

int PaethPredictor(int left, int above, int aboveLeft) {
    const int estimate = left + above - aboveLeft;
    const int toLeft = std::abs(estimate - left), toAbove = std::abs(estimate - above);
    const int toAboveLeft = std::abs(estimate - aboveLeft);
    if (toLeft <= toAbove && toLeft <= toAboveLeft) return left;
    return toAbove <= toAboveLeft ? above : aboveLeft;
}

// Undoes each row's filter in place; `rows` holds each row's filter byte
// and then its bytes. The row above the first is zeros.
bool Unfilter(std::vector<unsigned char>& rows, int height, std::size_t rowBytes, std::size_t pixelBytes) {
    const std::vector<unsigned char> zeros(rowBytes, 0);
    const unsigned char* above = zeros.data();
    for (int y = 0; y < height; ++y) {
        unsigned char* row = rows.data() + static_cast<std::size_t>(y) * (rowBytes + 1);
        const unsigned filter = row[0];
        unsigned char* line = row + 1;
        switch (filter) {
            case 0:
                break;
            case 1:  // Sub
                for (std::size_t x = pixelBytes; x < rowBytes; ++x) line[x] += line[x - pixelBytes];
                break;
            case 2:  // Up
                for (std::size_t x = 0; x < rowBytes; ++x) line[x] += above[x];
                break;
            case 3:  // Average
                for (std::size_t x = 0; x < rowBytes; ++x) {
                    const unsigned left = x >= pixelBytes ? line[x - pixelBytes] : 0;
                    line[x] += static_cast<unsigned char>((left + above[x]) / 2);
                }
                break;
            case 4:  // Paeth
                for (std::size_t x = 0; x < rowBytes; ++x) {
                    const int left = x >= pixelBytes ? line[x - pixelBytes] : 0;
                    const int aboveLeft = x >= pixelBytes ? above[x - pixelBytes] : 0;
                    line[x] += static_cast<unsigned char>(PaethPredictor(left, above[x], aboveLeft));
                }
                break;
            default:
                return false;
        }
        above = line;
    }
    return true;
}

// One row of samples as premultiplied pixels.
bool ConvertRow(const Chunks& chunks, const unsigned char* line, std::uint32_t* to) {
    const Header& header = chunks.header;
    const int width = header.width;
    switch (header.colourType) {
        case 6:
            for (int x = 0; x < width; ++x, line += 4) to[x] = Premultiplied(line[0], line[1], line[2], line[3]);
            return true;
        case 4:
            for (int x = 0; x < width; ++x, line += 2) to[x] = Premultiplied(line[0], line[0], line[0], line[1]);
            return true;
        case 2:
            for (int x = 0; x < width; ++x, line += 3) {
                const bool key = line[0] == chunks.redKey && line[1] == chunks.greenKey && line[2] == chunks.blueKey;
                to[x] = key ? 0 : Premultiplied(line[0], line[1], line[2], 255);
            }
            return true;
        case 0:
            for (int x = 0; x < width; ++x)
                to[x] = line[x] == chunks.greyKey ? 0 : Premultiplied(line[x], line[x], line[x], 255);
            return true;
        default: {  // a palette: indices packed from the high bits down
            const unsigned depth = header.depth, perByte = 8 / depth, mask = (1u << depth) - 1;
            for (int x = 0; x < width; ++x) {
                const unsigned shift = 8 - depth * (1 + static_cast<unsigned>(x) % perByte);
                const unsigned index = line[static_cast<unsigned>(x) / perByte] >> shift & mask;
                if (static_cast<int>(index) >= chunks.paletteSize) return false;
                to[x] = chunks.palette[index];
            }
            return true;
        }
    }
}

}  // namespace

std::optional<PngPicture> DecodePng(std::string_view file) {
    Chunks chunks;
    if (!ReadChunks(file, chunks)) return std::nullopt;
    const Header& header = chunks.header;
    const std::size_t rowBytes = RowBytes(header);
    const std::size_t pixelBytes = std::max(1, BitsPerPixel(header) / 8);
    std::optional<std::vector<unsigned char>> rows =
        InflateZlib(chunks.imageData, (rowBytes + 1) * static_cast<std::size_t>(header.height));
    if (!rows || !Unfilter(*rows, header.height, rowBytes, pixelBytes)) return std::nullopt;
    PngPicture picture;
    picture.width = header.width;
    picture.height = header.height;
    picture.pixels.resize(static_cast<std::size_t>(header.width) * static_cast<std::size_t>(header.height));
    for (int y = 0; y < header.height; ++y) {
        const unsigned char* line = rows->data() + static_cast<std::size_t>(y) * (rowBytes + 1) + 1;
        if (!ConvertRow(chunks, line, picture.pixels.data() + static_cast<std::size_t>(y) * header.width)) {
            return std::nullopt;
        }
    }
    return picture;
}

std::optional<PngPicture> ReadPngPicture(const std::filesystem::path& path) {
    const std::optional<PixelSize> size = ReadPngSize(path);
    if (!size) return std::nullopt;
    // Stored blocks, the largest a deflate stream gets, add 5 bytes to every
    // 65 535; a megabyte more leaves room for chunks of text and such.
    const std::size_t rows = static_cast<std::size_t>(size->height) * (4 * static_cast<std::size_t>(size->width) + 1);
    std::string file;
    if (ReadFileWithin(path, rows + rows / 1024 + (1u << 20), file) != FileRead::kRead) return std::nullopt;
    return DecodePng(file);
}
