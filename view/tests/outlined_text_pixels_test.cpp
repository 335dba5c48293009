#include "view/outlined_text_pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

constexpr double kOneStroke = 62.0 / 255.0;

// What k strokes at alpha 62 leave piled up where all of them cover a pixel.
double Piled(int strokes) { return 1 - std::pow(1 - kOneStroke, strokes); }

std::uint32_t AlphaOf(std::uint32_t pixel) { return pixel >> 24; }

TEST(OutlinedTextPixels, DarkestNextToTheGlyphsFadingOutwardsToNothing) {
    struct Case {
        int strength;
        double distance;
        double alpha;
    };
    for (const Case& c : {
             Case{5, 0.0, Piled(4)},  // on the outline all four strokes of strength 5 lie
             Case{5, 0.5, Piled(3) + (1 - Piled(3)) * kOneStroke / 2},  // the 1-pixel stroke covers half
             Case{5, 1.0, Piled(2) + (1 - Piled(2)) * kOneStroke / 2},  // widths 3 and 4 wholly, 2 by half
             Case{5, 2.0, Piled(1) / 2},                                // half a pixel of the widest stroke is left
             Case{5, 2.5, 0.0},                                         // past the widest stroke's reach
             Case{3, 0.0, Piled(2)},
             Case{3, 1.5, 0.0},
             Case{1, 0.0, 0.0},  // strength 1: no halo
             Case{0, 0.0, 0.0},
         }) {
        EXPECT_NEAR(HaloAlphaAt(c.distance, c.strength), c.alpha, 1e-9) << c.strength << " at " << c.distance;
    }
    for (double d = 0; d < 4; d += 0.125) EXPECT_LE(HaloAlphaAt(d + 0.125, 8), HaloAlphaAt(d, 8)) << d;
}

// A 10 x 10 square outline from (10, 10) to (20, 20) in a 30 x 30 picture.
std::vector<OutlineFigure> Square() { return {{{10, 10}, {20, 10}, {20, 20}, {10, 20}}}; }

TEST(OutlinedTextPixels, EachPixelTakesTheAlphaOfItsDistanceFromTheOutlineInTheHaloColour) {
    const Color blue{255, 20, 40, 200};
    const std::vector<std::uint32_t> halo = DrawHalo(Square(), 30, 30, 5, blue);
    ASSERT_EQ(halo.size(), 900u);
    const auto at = [&](int x, int y) { return halo[static_cast<size_t>(y) * 30 + x]; };
    struct Case {
        int x, y;
        double distance;  // of the pixel's centre from the square's edge
    };
    for (const Case& c : {Case{20, 15, 0.5}, Case{21, 15, 1.5}, Case{15, 8, 1.5}, Case{9, 12, 0.5},
                          Case{19, 15, 0.5},                   // inside, by the edge
                          Case{21, 21, std::hypot(1.5, 1.5)},  // round past the corner
                          Case{15, 15, 4.5}, Case{25, 15, 5.5}, Case{0, 0, 14.1}}) {
        const double alpha = HaloAlphaAt(c.distance, 5);
        const std::uint32_t pixel = at(c.x, c.y);
        EXPECT_NEAR(AlphaOf(pixel), 255 * alpha, 1.0) << c.x << "," << c.y;
        // Premultiplied: the colour scaled by the alpha.
        EXPECT_NEAR((pixel >> 16) & 0xFF, blue.red * alpha, 1.0) << c.x << "," << c.y;
        EXPECT_NEAR(pixel & 0xFF, blue.blue * alpha, 1.0) << c.x << "," << c.y;
    }
}

TEST(OutlinedTextPixels, NoHaloOrNoPictureLeavesNothingToDraw) {
    const Color black{};
    for (const int strength : {1, 0, -3}) {
        for (const std::uint32_t pixel : DrawHalo(Square(), 30, 30, strength, black)) ASSERT_EQ(pixel, 0u);
    }
    EXPECT_TRUE(DrawHalo(Square(), 0, 30, 5, black).empty());
    EXPECT_TRUE(DrawHalo(Square(), 30, -1, 5, black).empty());
}

TEST(OutlinedTextPixels, OutlinesReachingPastThePictureAreClippedToIt) {
    // A figure far outside, one across an edge, a lone point and an empty figure.
    const std::vector<OutlineFigure> figures{
        {{-500, -500}, {-400, -500}, {-400, -400}}, {{-5, 3}, {12, 3}, {12, 40}}, {{6, 6}}, {}};
    const std::vector<std::uint32_t> halo = DrawHalo(figures, 10, 10, 4, Color{255, 0, 0, 0});
    ASSERT_EQ(halo.size(), 100u);
    EXPECT_GT(AlphaOf(halo[3 * 10 + 2]), 0u);  // on the line across the picture
    EXPECT_GT(AlphaOf(halo[6 * 10 + 6]), 0u);  // round the lone point
    EXPECT_EQ(AlphaOf(halo[9 * 10 + 0]), 0u);
}

OutlineFigure Box(float left, float top, float right, float bottom) {
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}
OutlineFigure Reversed(OutlineFigure figure) { return OutlineFigure(figure.rbegin(), figure.rend()); }

TEST(OutlinedTextPixels, EachPixelIsFilledByTheShareOfItsAreaInsideTheOutline) {
    struct Case {
        const char* what;
        std::vector<OutlineFigure> figures;
        int x, y;
        float share;
    };
    const Case cases[] = {
        {"inside a box on pixel edges", {Box(2, 2, 6, 6)}, 3, 3, 1.0f},
        {"outside it", {Box(2, 2, 6, 6)}, 6, 3, 0.0f},
        {"on the edge of a box half a pixel off", {Box(2.5f, 2, 6.5f, 6)}, 2, 3, 0.5f},
        {"its corner", {Box(2.5f, 2.5f, 6.5f, 6.5f)}, 6, 6, 0.25f},
        // A stroke a pixel high between rows is shared by both, never lost.
        {"a thin stroke's upper row", {Box(1, 4.25f, 9, 5.25f)}, 5, 4, 0.75f},
        {"and its lower row", {Box(1, 4.25f, 9, 5.25f)}, 5, 5, 0.25f},
        {"a stroke a third of a pixel wide", {Box(3.4f, 1, 3.733333f, 9)}, 3, 5, 1 / 3.0f},
        {"a hole (the inner figure the other way round)", {Box(1, 1, 9, 9), Reversed(Box(3, 3, 7, 7))}, 5, 5, 0.0f},
        {"round the hole", {Box(1, 1, 9, 9), Reversed(Box(3, 3, 7, 7))}, 2, 5, 1.0f},
        {"a figure over another the same way round", {Box(1, 1, 9, 9), Box(3, 3, 7, 7)}, 5, 5, 1.0f},
        {"a figure drawn the other way round", {Reversed(Box(2, 2, 6, 6))}, 3, 3, 1.0f},
        {"a figure reaching past the left and top edges", {Box(-5, -5, 2, 2)}, 0, 0, 1.0f},
        {"past the right edge", {Box(8, 2, 40, 4)}, 9, 3, 1.0f},
    };
    for (const Case& c : cases) {
        const std::vector<float> coverage = FillCoverage(c.figures, 10, 10);
        ASSERT_EQ(coverage.size(), 100u) << c.what;
        EXPECT_NEAR(coverage[static_cast<size_t>(c.y) * 10 + c.x], c.share, 1e-4) << c.what;
    }
}

TEST(OutlinedTextPixels, TheFillCoversTheOutlinesWholeAreaAndNoMore) {
    // A slanting triangle, as glyph strokes slant: its area is 1/2 * 7 * 6.
    const std::vector<OutlineFigure> triangle{{{1.3f, 1.1f}, {8.3f, 2.1f}, {4.3f, 7.1f}}};
    const std::vector<float> coverage = FillCoverage(triangle, 10, 10);
    double area = 0;
    for (const float share : coverage) {
        EXPECT_GE(share, 0.0f);
        EXPECT_LE(share, 1.0f);
        area += share;
    }
    const double expected = 0.5 * std::abs((8.3 - 1.3) * (7.1 - 1.1) - (4.3 - 1.3) * (2.1 - 1.1));
    EXPECT_NEAR(area, expected, 1e-3);
}

TEST(OutlinedTextPixels, OutlinesThatAreNoShapeLeaveThePictureEmpty) {
    const float huge = 3e38f, nan = std::nanf("");
    const std::vector<OutlineFigure> odd{
        {}, {{2, 2}}, {{1, 1}, {8, 1}}, {{nan, 1}, {5, nan}, {3, 3}}, {{-huge, -huge}, {huge, -huge}, {huge, -huge}}};
    for (const float share : FillCoverage(odd, 10, 10)) EXPECT_EQ(share, 0.0f);
    EXPECT_TRUE(FillCoverage({Box(1, 1, 5, 5)}, 0, 10).empty());
    EXPECT_TRUE(DrawOutlinedTextPixels({Box(1, 1, 5, 5)}, 10, -2, TextStyle{}).empty());
}

TEST(OutlinedTextPixels, TheFillLiesOpaqueOverTheHaloAndMixesWithItOnTheEdge) {
    TextStyle style;
    style.color = {255, 200, 40, 20};
    style.shadow = {255, 0, 0, 255};
    style.shadowHeight = 4;
    const std::vector<OutlineFigure> figures{Box(10, 10, 20.5f, 20)};
    const std::vector<std::uint32_t> pixels = DrawOutlinedTextPixels(figures, 30, 30, style);
    const std::vector<std::uint32_t> halo = DrawHalo(figures, 30, 30, 4, style.shadow);
    ASSERT_EQ(pixels.size(), 900u);
    EXPECT_EQ(pixels[15 * 30 + 15], 0xFFC82814u) << "inside: the text colour, opaque";
    EXPECT_EQ(pixels[15 * 30 + 22], halo[15 * 30 + 22]) << "outside: the halo alone";
    // Half covered: half the fill over half of the halo.
    const std::uint32_t edge = pixels[15 * 30 + 20], under = halo[15 * 30 + 20];
    EXPECT_NEAR(AlphaOf(edge), 127.5 + AlphaOf(under) / 2.0, 1.0);
    EXPECT_NEAR((edge >> 16) & 0xFF, 100 + ((under >> 16) & 0xFF) / 2.0, 1.0);
    EXPECT_NEAR(edge & 0xFF, 10 + (under & 0xFF) / 2.0, 1.0);
}

// A pixel the outline half covers takes half of each level, rounded to the
// nearest level, a half upwards.
TEST(OutlinedTextPixels, AHalfCoveredPixelTakesHalfOfEachLevelRoundedHalfUp) {
    struct Case {
        std::uint8_t level;
        std::uint32_t half;
    };
    for (const Case& c : {Case{201, 101}, Case{200, 100}, Case{1, 1}, Case{0, 0}, Case{254, 127}}) {
        TextStyle style;
        style.color = {255, c.level, c.level, c.level};
        style.shadowHeight = 0;  // no halo below
        const std::vector<std::uint32_t> pixels = DrawOutlinedTextPixels({Box(10, 10, 20.5f, 20)}, 30, 30, style);
        ASSERT_EQ(pixels.size(), 900u);
        const std::uint32_t edge = pixels[15 * 30 + 20];
        EXPECT_EQ(AlphaOf(edge), 128u) << "255 half covered";
        EXPECT_EQ((edge >> 16) & 0xFF, c.half) << int{c.level} << " half covered";
        EXPECT_EQ(edge & 0xFF, c.half) << int{c.level} << " half covered";
    }
}

}  // namespace
