#include "view/shape_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

constexpr Color kRed{255, 200, 0, 0};

// The picture's pixel lying on window pixel (x, y) of a shape drawn for `box`;
// 0 outside the picture.
std::uint32_t At(const TextPicture& picture, const Rect& box, int x, int y) {
    const int px = x - box.left - picture.left, py = y - box.top - picture.top;
    if (px < 0 || py < 0 || px >= picture.width || py >= picture.height) return 0;
    return picture.pixels[static_cast<size_t>(py) * picture.width + px];
}

std::uint32_t AlphaAt(const TextPicture& picture, const Rect& box, int x, int y) {
    return At(picture, box, x, y) >> 24;
}

double CoveredPixels(const TextPicture& picture) {
    double sum = 0;
    for (std::uint32_t pixel : picture.pixels) sum += (pixel >> 24) / 255.0;
    return sum;
}

TEST(ShapePictures, TodaysRingIsAHollowLineCentredOnTheBoxEdge) {
    const Rect box{100, 50, 140, 80};  // 40 x 30, pen 4: 2 pixels either side of the ellipse
    const TextPicture ring = RingPicture(box, 4, kRed);
    ASSERT_FALSE(ring.pixels.empty());
    EXPECT_EQ(AlphaAt(ring, box, 120, 65), 0u) << "the middle is hollow";
    EXPECT_EQ(At(ring, box, 100, 65), 0xFFC80000u) << "on the ellipse's left end the pen covers the whole pixel";
    EXPECT_EQ(At(ring, box, 120, 50), 0xFFC80000u) << "and on its top";
    EXPECT_EQ(AlphaAt(ring, box, 97, 65), 0u) << "past the pen's outer half";
    EXPECT_EQ(AlphaAt(ring, box, 103, 65), 0u) << "past its inner half";
    EXPECT_EQ(AlphaAt(ring, box, 100, 50), 0u) << "the box's corner lies outside the ellipse";
    for (int y = 45; y < 85; ++y) {
        for (int x = 95; x < 120; ++x) {
            EXPECT_NEAR(AlphaAt(ring, box, x, y), AlphaAt(ring, box, 239 - x, y), 1) << "mirrored at " << x << "," << y;
        }
    }
    // The area of the pen's band: pi (a b - a' b') with half-axes 22 x 17
    // outside and 18 x 13 inside.
    EXPECT_NEAR(CoveredPixels(ring), 3.14159265 * (22 * 17 - 18 * 13), 3);
}

TEST(ShapePictures, TheMemoDotIsAFilledCircleAntiAliasedAtItsEdge) {
    const Rect box{10, 10, 20, 20};
    const TextPicture dot = DotPicture(box, kRed);
    EXPECT_EQ(At(dot, box, 15, 15), 0xFFC80000u);
    EXPECT_EQ(AlphaAt(dot, box, 10, 10), 0u);
    EXPECT_NEAR(CoveredPixels(dot), 3.14159265 * 25, 0.5);
    int partly = 0;
    for (std::uint32_t pixel : dot.pixels) partly += (pixel >> 24) > 0 && (pixel >> 24) < 255;
    EXPECT_GT(partly, 8) << "the edge is blended, not stepped";
}

TEST(ShapePictures, AMarkedDaysBandFillsItsBoxExactly) {
    const Rect box{3, 4, 33, 14};
    const TextPicture band = BandPicture(box, kRed);
    EXPECT_EQ(band.left, 0);
    EXPECT_EQ(band.top, 0);
    ASSERT_EQ(band.width, 30);
    ASSERT_EQ(band.height, 10);
    for (std::uint32_t pixel : band.pixels) ASSERT_EQ(pixel, 0xFFC80000u);
}

TEST(ShapePictures, ATranslucentColourIsPremultiplied) {
    const TextPicture band = BandPicture(Rect{0, 0, 2, 2}, Color{128, 255, 100, 0});
    ASSERT_FALSE(band.pixels.empty());
    EXPECT_EQ(band.pixels[0], 0x80803200u);
}

TEST(ShapePictures, NothingIsDrawnForAnEmptyOrAnAbsurdBox) {
    for (const Rect& box : {Rect{5, 5, 5, 20}, Rect{5, 5, 20, 4}, Rect{0, 0, kLargestShape + 1, 10},
                            Rect{-2000000000, 0, 2000000000, 10}}) {
        EXPECT_TRUE(RingPicture(box, 3, kRed).pixels.empty());
        EXPECT_TRUE(DotPicture(box, kRed).pixels.empty());
        EXPECT_TRUE(BandPicture(box, kRed).pixels.empty());
    }
    EXPECT_TRUE(RingPicture(Rect{0, 0, 10, 10}, 0, kRed).pixels.empty());
    const TextPicture thick = RingPicture(Rect{0, 0, 6, 6}, 8, kRed);
    EXPECT_EQ(AlphaAt(thick, Rect{0, 0, 6, 6}, 3, 3), 255u) << "a pen wider than the ring leaves no hole";
}

}  // namespace
