#include "view/png_size.h"

#include <gtest/gtest.h>

#include "base/file_system.h"
#include "tests/support/png_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

std::string Header(std::uint32_t width, std::uint32_t height, unsigned char depth = 8, unsigned char colour = 6) {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (const std::uint32_t side : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(side >> shift & 0xFF);
    }
    bytes += static_cast<char>(depth);
    bytes += static_cast<char>(colour);
    bytes += std::string(3, '\0');
    return bytes + "CRC!";
}

TEST(PngHeader, ASoundHeaderGivesItsSize) {
    const std::optional<PixelSize> size = PngSizeOfHeader(Header(320, 280));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 320);
    EXPECT_EQ(size->height, 280);
    EXPECT_TRUE(PngSizeOfHeader(Header(4096, 1, 1, 0)));
}

TEST(PngHeader, OtherFormatsAndBrokenHeadersAreRefused) {
    EXPECT_FALSE(PngSizeOfHeader("BM6\x0c\0\0\0\0\0\0" + std::string(40, '\0')));               // a BMP
    EXPECT_FALSE(PngSizeOfHeader(std::string("GIF89a") + std::string(40, '\0')));               // a GIF
    EXPECT_FALSE(PngSizeOfHeader(std::string("\xD7\xCD\xC6\x9A", 4) + std::string(40, '\0')));  // a metafile
    EXPECT_FALSE(PngSizeOfHeader(Header(320, 280).substr(0, 24))) << "cut short";
    std::string wrongLength = Header(320, 280);
    wrongLength[11] = 14;
    EXPECT_FALSE(PngSizeOfHeader(wrongLength));
    EXPECT_FALSE(PngSizeOfHeader(Header(320, 280, 16, 3))) << "no 16-bit palette";
    EXPECT_FALSE(PngSizeOfHeader(Header(320, 280, 8, 5))) << "no colour type 5";
    std::string interlace = Header(320, 280);
    interlace[28] = 2;
    EXPECT_FALSE(PngSizeOfHeader(interlace));
}

TEST(PngHeader, PicturesOfNoSizeOrBeyond4096AreRefused) {
    EXPECT_FALSE(PngSizeOfHeader(Header(0, 280)));
    EXPECT_FALSE(PngSizeOfHeader(Header(4097, 280)));
    EXPECT_FALSE(PngSizeOfHeader(Header(320, 0x7FFFFFFF)));
    EXPECT_FALSE(PngSizeOfHeader(Header(0xFFFFFFFF, 0xFFFFFFFF)));
}

TEST(PngHeader, APictureFileIsTakenOnlyWithinTheGivenScreen) {
    ScratchFolder scratch{"solvane-png-"};
    const std::string path = (scratch.path() / "background.png").string();
    EXPECT_FALSE(IsAcceptablePicture(path, 1920, 1080)) << "missing";
    ASSERT_TRUE(ReplaceFileAtomically(path, Header(1600, 900)));
    EXPECT_TRUE(IsAcceptablePicture(path, 1920, 1080));
    EXPECT_FALSE(IsAcceptablePicture(path, 1280, 1024)) << "wider than the screen";
    EXPECT_FALSE(IsAcceptablePicture(path, 1920, 800)) << "higher than the screen";
    ASSERT_TRUE(ReplaceFileAtomically(path, "GIF89a" + std::string(40, '\0')));
    EXPECT_FALSE(IsAcceptablePicture(path, 1920, 1080));
}

TEST(PngChunks, OnlyAPictureWithAllItsChunksIsWhole) {
    const std::string whole = png_samples::WholePng(40, 30);
    const std::string end = png_samples::Chunk("IEND", "");
    const std::string idat = png_samples::Chunk("IDAT", "x");
    const std::string signatureAndHeader = whole.substr(0, 33);
    std::string flipped = whole;
    flipped[60] ^= 0x01;  // a byte of the image data
    struct Case {
        const char* what;
        std::string bytes;
        bool whole;
    } cases[] = {
        {"whole", whole, true},
        {"with bytes after IEND", whole + "trailing", true},
        {"cut after 200 bytes", whole.substr(0, 200), false},
        {"only the header", signatureAndHeader, false},
        {"without IEND", whole.substr(0, whole.size() - end.size()), false},
        {"a byte changed", flipped, false},
        {"no image data", signatureAndHeader + end, false},
        {"image data before the header", whole.substr(0, 8) + idat + whole.substr(8), false},
        {"a chunk longer than the file", signatureAndHeader + std::string("\x7f\xff\xff\xffIDAT", 8), false},
        {"nothing", "", false},
    };
    ScratchFolder scratch("solvane-png-");
    for (const Case& c : cases) {
        EXPECT_EQ(PngChunksAreWhole(c.bytes), c.whole) << c.what;
        const std::filesystem::path file = scratch.path() / "picture.png";
        ASSERT_TRUE(ReplaceFileAtomically(file, c.bytes));
        EXPECT_EQ(PngFileIsWhole(file), c.whole) << c.what << " (file)";
    }
}

}  // namespace
