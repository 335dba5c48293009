#include "view/picture_downscale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu, kClear = 0, kRed = 0xFFFF0000u;

std::vector<std::uint32_t> Filled(int width, int height, std::uint32_t pixel) {
    return std::vector<std::uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height), pixel);
}

std::uint32_t Channel(std::uint32_t pixel, int shift) { return pixel >> shift & 0xFF; }

TEST(PictureDownscale, APlainPictureKeepsItsColourAtEverySize) {
    struct Case {
        int width, height, toWidth, toHeight;
    };
    // 200 % to 175 % of the skin's picture, odd ratios, a halving, one pixel, the same size.
    for (const Case& c :
         {Case{720, 1000, 630, 875}, Case{7, 5, 3, 4}, Case{10, 10, 5, 5}, Case{9, 9, 1, 1}, Case{6, 4, 6, 4}}) {
        for (const std::uint32_t pixel : {kWhite, 0x80402010u, kClear}) {
            const std::vector<std::uint32_t> smaller =
                DownscaleByArea(Filled(c.width, c.height, pixel), c.width, c.height, c.toWidth, c.toHeight);
            ASSERT_EQ(smaller.size(), static_cast<size_t>(c.toWidth) * static_cast<size_t>(c.toHeight));
            for (const std::uint32_t p : smaller) ASSERT_EQ(p, pixel) << c.width << " to " << c.toWidth;
        }
    }
}

TEST(PictureDownscale, EachNewPixelIsTheMeanOfTheAreaItCovers) {
    // Halved, a white and black checkerboard is grey throughout.
    std::vector<std::uint32_t> board(16);
    for (size_t i = 0; i < board.size(); ++i) board[i] = (i % 4 + i / 4) % 2 ? kWhite : 0xFF000000u;
    for (const std::uint32_t p : DownscaleByArea(board, 4, 4, 2, 2)) EXPECT_EQ(p, 0xFF808080u);

    // Eight columns made seven: four white ones, then four transparent.
    // Each new pixel covers 8/7 of an old one; the fourth lies half on white.
    std::vector<std::uint32_t> edge(8, kClear);
    for (int x = 0; x < 4; ++x) edge[static_cast<size_t>(x)] = kWhite;
    const std::vector<std::uint32_t> seven = DownscaleByArea(edge, 8, 1, 7, 1);
    const std::vector<std::uint32_t> expected{kWhite, kWhite, kWhite, 0x80808080u, kClear, kClear, kClear};
    EXPECT_EQ(seven, expected);

    // Down a column the same: a red row between transparent ones, 3 rows to 2.
    const std::vector<std::uint32_t> column{kClear, kRed, kClear};
    const std::vector<std::uint32_t> two = DownscaleByArea(column, 1, 3, 1, 2);
    ASSERT_EQ(two.size(), 2u);
    for (const std::uint32_t p : two) {  // half a red row under each: a third of each new pixel
        EXPECT_EQ(Channel(p, 24), 85u);
        EXPECT_EQ(Channel(p, 16), 85u);
        EXPECT_EQ(Channel(p, 8), 0u);
    }
}

TEST(PictureDownscale, SoftEdgesStayPremultiplied) {
    // Pixels of every alpha with colours up to it, as a skin's shadow has.
    std::vector<std::uint32_t> pixels;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 40 * 30; ++i) {
        seed = seed * 1103515245u + 12345u;
        const std::uint32_t alpha = seed >> 24;
        const auto below = [&](int shift) { return alpha == 0 ? 0 : (seed >> shift) % (alpha + 1); };
        pixels.push_back(alpha << 24 | below(3) << 16 | below(7) << 8 | below(11));
    }
    for (const std::uint32_t p : DownscaleByArea(pixels, 40, 30, 35, 26)) {
        ASSERT_LE(Channel(p, 16), Channel(p, 24));
        ASSERT_LE(Channel(p, 8), Channel(p, 24));
        ASSERT_LE(Channel(p, 0), Channel(p, 24));
    }
}

TEST(PictureDownscale, NothingComesOfSizesItCannotReduce) {
    const std::vector<std::uint32_t> picture = Filled(4, 4, kWhite);
    EXPECT_TRUE(DownscaleByArea(picture, 4, 4, 5, 4).empty());  // larger
    EXPECT_TRUE(DownscaleByArea(picture, 4, 4, 4, 8).empty());
    EXPECT_TRUE(DownscaleByArea(picture, 4, 4, 0, 2).empty());
    EXPECT_TRUE(DownscaleByArea(picture, 0, 4, 0, 2).empty());
    EXPECT_TRUE(DownscaleByArea(picture, 4, -1, 2, 2).empty());
    EXPECT_TRUE(DownscaleByArea(picture, 5, 4, 2, 2).empty());  // fewer pixels than said
}

}  // namespace
