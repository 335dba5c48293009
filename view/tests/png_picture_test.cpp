#include "view/png_picture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "tests/support/png_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

using png_samples::Chunk;
using png_samples::HeaderData;
using png_samples::PngFile;
using png_samples::StoredZlib;

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes += static_cast<char>(v);
    return bytes;
}

// Each row of samples (bytes) filtered as an encoder does, with the filter
// given for it, `pixelBytes` bytes a pixel.
std::string Filtered(const std::vector<std::string>& rows, const std::vector<int>& filters, std::size_t pixelBytes) {
    std::string raw;
    std::string above(rows[0].size(), '\0');
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const std::string& row = rows[y];
        const int filter = filters[y % filters.size()];
        raw += static_cast<char>(filter);
        for (std::size_t x = 0; x < row.size(); ++x) {
            const int value = static_cast<unsigned char>(row[x]);
            const int left = x >= pixelBytes ? static_cast<unsigned char>(row[x - pixelBytes]) : 0;
            const int up = static_cast<unsigned char>(above[x]);
            const int upLeft = x >= pixelBytes ? static_cast<unsigned char>(above[x - pixelBytes]) : 0;
            int predicted = 0;
            if (filter == 1) predicted = left;
            if (filter == 2) predicted = up;
            if (filter == 3) predicted = (left + up) / 2;
            if (filter == 4) {
                const int p = left + up - upLeft, pa = std::abs(p - left), pb = std::abs(p - up),
                          pc = std::abs(p - upLeft);
                predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
            }
            raw += static_cast<char>(value - predicted);
        }
        above = row;
    }
    return raw;
}

std::string RgbaPng(const std::vector<std::string>& rows, const std::vector<int>& filters) {
    return PngFile(HeaderData(static_cast<std::uint32_t>(rows[0].size() / 4), static_cast<std::uint32_t>(rows.size())),
                   "", StoredZlib(Filtered(rows, filters, 4)));
}

// Three pixels a row, four rows, every byte different from its neighbours
// so that a filter reading the wrong one shows.
const std::vector<std::string> kRgbaRows = {
    Bytes({10, 20, 30, 255, 200, 100, 50, 255, 1, 2, 3, 255}),
    Bytes({250, 5, 130, 255, 7, 77, 177, 255, 90, 180, 45, 255}),
    Bytes({0, 0, 0, 255, 255, 255, 255, 255, 128, 64, 32, 255}),
    Bytes({33, 99, 200, 255, 201, 13, 88, 255, 17, 250, 3, 255}),
};

std::vector<std::uint32_t> PixelsOf(const std::vector<std::string>& rows) {
    std::vector<std::uint32_t> pixels;
    for (const std::string& row : rows) {
        for (std::size_t x = 0; x < row.size(); x += 4) {
            const auto at = [&](std::size_t i) {
                return static_cast<std::uint32_t>(static_cast<unsigned char>(row[x + i]));
            };
            pixels.push_back(at(3) << 24 | at(0) << 16 | at(1) << 8 | at(2));
        }
    }
    return pixels;
}

TEST(PngPicture, EveryFilterGivesBackTheSamePixels) {
    const struct {
        const char* name;
        std::vector<int> filters;
    } cases[] = {
        {"none", {0}}, {"sub", {1}}, {"up", {2}}, {"average", {3}}, {"paeth", {4}}, {"mixed", {4, 3, 2, 1}},
    };
    for (const auto& c : cases) {
        const std::optional<PngPicture> picture = DecodePng(RgbaPng(kRgbaRows, c.filters));
        ASSERT_TRUE(picture) << c.name;
        EXPECT_EQ(picture->width, 3) << c.name;
        EXPECT_EQ(picture->height, 4) << c.name;
        EXPECT_EQ(picture->pixels, PixelsOf(kRgbaRows)) << c.name;
    }
}

TEST(PngPicture, EachColourTypeGivesPremultipliedPixels) {
    const std::string palette = Chunk("PLTE", Bytes({255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
    const struct {
        const char* name;
        unsigned depth, colourType, width;
        std::string chunks, row;  // the row after its filter byte
        std::vector<std::uint32_t> pixels;
    } cases[] = {
        {"RGBA, alpha rounded to the nearest level",
         8,
         6,
         3,
         "",
         Bytes({255, 255, 255, 128, 1, 2, 3, 128, 200, 100, 50, 0}),
         {0x80808080u, 0x80010102u, 0}},
        {"RGB", 8, 2, 2, "", Bytes({1, 2, 3, 250, 251, 252}), {0xFF010203u, 0xFFFAFBFCu}},
        {"RGB with a transparent colour",
         8,
         2,
         2,
         Chunk("tRNS", Bytes({0, 1, 0, 2, 0, 3})),
         Bytes({1, 2, 3, 1, 2, 4}),
         {0, 0xFF010204u}},
        {"grey", 8, 0, 3, "", Bytes({0, 127, 255}), {0xFF000000u, 0xFF7F7F7Fu, 0xFFFFFFFFu}},
        {"grey with a transparent level", 8, 0, 2, Chunk("tRNS", Bytes({0, 127})), Bytes({127, 128}), {0, 0xFF808080u}},
        {"grey with alpha", 8, 4, 2, "", Bytes({200, 255, 200, 51}), {0xFFC8C8C8u, 0x33282828u}},
        {"palette, 8 bits", 8, 3, 3, palette, Bytes({2, 0, 3}), {0xFF0000FFu, 0xFFFF0000u, 0xFFFFFFFFu}},
        {"palette, 4 bits", 4, 3, 3, palette, Bytes({0x12, 0x30}), {0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu}},
        {"palette, 2 bits",
         2,
         3,
         5,
         palette,
         Bytes({0x1B, 0x40}),
         {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu, 0xFF00FF00u}},
        {"palette, 1 bit",
         1,
         3,
         9,
         palette,
         Bytes({0xA5, 0x80}),
         {0xFF00FF00u, 0xFFFF0000u, 0xFF00FF00u, 0xFFFF0000u, 0xFFFF0000u, 0xFF00FF00u, 0xFFFF0000u, 0xFF00FF00u,
          0xFF00FF00u}},
        {"palette with alphas for its first entries",
         8,
         3,
         3,
         palette + Chunk("tRNS", Bytes({0, 128})),
         Bytes({0, 1, 2}),
         {0, 0x80008000u, 0xFF0000FFu}},
    };
    for (const auto& c : cases) {
        const std::string file =
            PngFile(HeaderData(c.width, 1, c.depth, c.colourType), c.chunks, StoredZlib(std::string(1, '\0') + c.row));
        const std::optional<PngPicture> picture = DecodePng(file);
        ASSERT_TRUE(picture) << c.name;
        EXPECT_EQ(picture->pixels, c.pixels) << c.name;
    }
}

TEST(PngPicture, ImageDataSplitOverChunksAndHarmlessChunksAreRead) {
    const std::string zlib = StoredZlib(Filtered(kRgbaRows, {1}, 4));
    const std::string file = std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", HeaderData(3, 4)) +
                             Chunk("tEXt", std::string("Software\0paint", 14)) +
                             Chunk("gAMA", png_samples::BigEndian(45455)) + Chunk("pHYs", std::string(9, '\1')) +
                             Chunk("IDAT", zlib.substr(0, 5)) + Chunk("IDAT", "") + Chunk("IDAT", zlib.substr(5)) +
                             Chunk("tIME", std::string(7, '\1')) + Chunk("IEND", "");
    const std::optional<PngPicture> picture = DecodePng(file);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixels, PixelsOf(kRgbaRows));
    const std::string interrupted = std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", HeaderData(3, 4)) +
                                    Chunk("IDAT", zlib.substr(0, 5)) + Chunk("tEXt", "a\0b") +
                                    Chunk("IDAT", zlib.substr(5)) + Chunk("IEND", "");
    EXPECT_FALSE(DecodePng(interrupted)) << "image data in two runs";
}

TEST(PngPicture, FormsTheSystemShowsDifferentlyAndDamagedFilesAreRefused) {
    const std::string row = std::string(1, '\0') + std::string(8, '\x40');
    const std::string zlib = StoredZlib(row);
    const std::string palette = Chunk("PLTE", Bytes({1, 2, 3}));
    const std::string sound = PngFile(HeaderData(2, 1), "", zlib);
    std::string wrongCrc = sound;
    wrongCrc[sound.size() - 14] ^= 1;  // the image data's CRC
    const struct {
        const char* name;
        std::string file;
    } cases[] = {
        {"16 bits a sample", PngFile(HeaderData(1, 1, 16, 6), "", zlib)},
        {"grey at 4 bits", PngFile(HeaderData(4, 1, 4, 0), "", StoredZlib(Bytes({0, 0x12, 0x34})))},
        {"interlaced", PngFile(HeaderData(2, 1, 8, 6, 1), "", zlib)},
        {"a gamma of 1.0", PngFile(HeaderData(2, 1), Chunk("gAMA", png_samples::BigEndian(100000)), zlib)},
        {"a colour profile", PngFile(HeaderData(2, 1), Chunk("iCCP", std::string("p\0\0x", 4)), zlib)},
        {"primaries", PngFile(HeaderData(2, 1), Chunk("cHRM", std::string(32, '\1')), zlib)},
        {"an unknown chunk it needs", PngFile(HeaderData(2, 1), Chunk("XXXX", "?"), zlib)},
        {"a palette index beyond the palette", PngFile(HeaderData(2, 1, 8, 3), palette, StoredZlib(Bytes({0, 0, 1})))},
        {"a palette picture without its palette", PngFile(HeaderData(2, 1, 8, 3), "", StoredZlib(Bytes({0, 0, 0})))},
        {"more alphas than palette entries",
         PngFile(HeaderData(2, 1, 8, 3), palette + Chunk("tRNS", Bytes({1, 2})), StoredZlib(Bytes({0, 0, 0})))},
        {"an unknown filter", PngFile(HeaderData(2, 1), "", StoredZlib(std::string(1, '\5') + std::string(8, '\0')))},
        {"a row short", PngFile(HeaderData(2, 2), "", zlib)},
        {"a row more", PngFile(HeaderData(2, 1), "", StoredZlib(row + row))},
        {"a wrong CRC", wrongCrc},
        {"no image data", PngFile(HeaderData(2, 1), "", "").replace(33, 12, "")},
        {"wider than the program takes", PngFile(HeaderData(4097, 1), "", StoredZlib(std::string(1 + 4 * 4097, '\0')))},
    };
    for (const auto& c : cases) EXPECT_FALSE(DecodePng(c.file)) << c.name;
    ASSERT_TRUE(DecodePng(sound));
    for (std::size_t length = 0; length < sound.size(); ++length) {
        EXPECT_FALSE(DecodePng(sound.substr(0, length))) << "cut at " << length;
    }
}

TEST(PngPicture, AFileIsReadOnlyWhenAPictureOfItsSizeCouldBeThatLarge) {
    ScratchFolder scratch{"solvane-png-picture-"};
    const std::filesystem::path path = scratch.path() / "backgroud.png";
    EXPECT_FALSE(ReadPngPicture(path)) << "missing";
    const std::string file = RgbaPng(kRgbaRows, {4});
    ASSERT_TRUE(ReplaceFileAtomically(path, file));
    const std::optional<PngPicture> picture = ReadPngPicture(path);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixels, PixelsOf(kRgbaRows));
    // Two megabytes of text in a picture of twelve pixels.
    const std::string padded = file.substr(0, 33) + Chunk("tEXt", std::string(2 << 20, 't')) + file.substr(33);
    ASSERT_TRUE(DecodePng(padded));
    ASSERT_TRUE(ReplaceFileAtomically(path, padded));
    EXPECT_FALSE(ReadPngPicture(path));
}

}  // namespace
