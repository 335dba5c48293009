#include "view/dpi_scale.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/support/fake_days.h"

namespace {

constexpr int k100 = 96, k125 = 120, k150 = 144, k200 = 192;

TEST(DpiScale, TemplatePixelsAtTheUsualScales) {
    EXPECT_EQ(ScaleForDpi(360, k100), 360);
    EXPECT_EQ(ScaleForDpi(360, k125), 450);
    EXPECT_EQ(ScaleForDpi(360, k150), 540);
    EXPECT_EQ(ScaleForDpi(360, k200), 720);
    // Halves round away from zero, on both sides of the origin alike.
    EXPECT_EQ(ScaleForDpi(15, k150), 23);
    EXPECT_EQ(ScaleForDpi(-15, k150), -23);
    EXPECT_EQ(ScaleForDpi(1, k125), 1);
    EXPECT_EQ(ScaleForDpi(2, k125), 3);
}

TEST(DpiScale, EdgesAreScaledOneByOneSoNeighbouringBoxesStayNeighbours) {
    const Rect left{0, 20, 45, 41}, right{45, 20, 90, 41};
    for (const int dpi : {k100, k125, k150, k200}) {
        EXPECT_EQ(ScaleForDpi(left, dpi).right, ScaleForDpi(right, dpi).left) << dpi;
    }
    EXPECT_EQ(ScaleForDpi(Rect{10, 20, 30, 41}, k150), (Rect{15, 30, 45, 62}));
}

TEST(DpiScale, MousePointsGoBackToTemplatePixels) {
    for (const int dpi : {k100, k125, k150, k200}) {
        for (int x = -3; x < 200; ++x) {
            const int back = UnscaleForDpi(ScaleForDpi(x, dpi), dpi);
            EXPECT_TRUE(back == x || back == x - 1) << dpi << " " << x;
        }
    }
}

// A month laid out in 96-DPI pixels and scaled: the cell under a point of
// the scaled picture is the one drawn there, texts and shapes grow together.
TEST(DpiScale, AScaledMonthKeepsTextsShapesAndHitTestsTogether) {
    SkinTemplate skin;
    skin.body = Rect{10, 40, 290, 250};
    skin.weekdayRowHeight = 20;
    skin.dayStyle.size = 15;
    skin.dayStyle.shadowHeight = 5;
    MonthLayoutRequest request;
    request.month = Month(2015, 2);
    request.today = D(2015, 2, 18);
    request.showToday = true;
    FakeDays days;
    const MonthLayout base = LayOutMonth(skin, request, days);
    for (const int dpi : {k125, k150, k200}) {
        MonthLayout scaled = base;
        ScaleMonthLayout(scaled, dpi);
        EXPECT_EQ(scaled.display.dpi, dpi);
        for (const auto& [day, cell] : base.cells) {
            const Rect big = scaled.cells.at(day);
            EXPECT_EQ(big, ScaleForDpi(cell, dpi));
            EXPECT_EQ(DayAt(scaled.cells, big.left, big.top), day) << dpi;
            EXPECT_EQ(DayAt(scaled.cells, big.right - 1, big.bottom - 1), day) << dpi;
        }
        ASSERT_EQ(scaled.display.items.size(), base.display.items.size());
        for (std::size_t i = 0; i < base.display.items.size(); ++i) {
            if (const auto* text = std::get_if<DisplayText>(&base.display.items[i])) {
                const auto& big = std::get<DisplayText>(scaled.display.items[i]);
                EXPECT_EQ(big.box, ScaleForDpi(text->box, dpi));
                EXPECT_EQ(big.style.size, ScaleForDpi(text->style.size, dpi));
                if (text->style.shadowHeight > 1) {
                    EXPECT_EQ(big.style.shadowHeight, ScaleForDpi(text->style.shadowHeight - 1, dpi) + 1);
                }
            } else if (const auto* ring = std::get_if<DisplayEllipse>(&base.display.items[i])) {
                const auto& big = std::get<DisplayEllipse>(scaled.display.items[i]);
                EXPECT_EQ(big.box, ScaleForDpi(ring->box, dpi));
                EXPECT_EQ(big.penWidth, ScaleForDpi(ring->penWidth, dpi));
            }
        }
    }
}

TEST(DpiScale, TheDoubleSizePictureLiesBesideTheOrdinaryOne) {
    const std::filesystem::path folder = std::filesystem::u8path(u8"한글 😀") / "Templates" / "a.b";
    EXPECT_EQ(DoubleSizePicturePath(folder / "backgroud.png"), folder / "backgroud@2x.png");
    EXPECT_EQ(DoubleSizePicturePath(folder / "backgroud"), folder / "backgroud@2x");
}

TEST(DpiScale, AScaleChangeIsActedOnOnlyWithASaneScaleAndRectangle) {
    const Rect suggested{100, 100, 500, 400};
    const struct {
        int dpi;
        std::optional<Rect> rect;
        bool usable;
    } cases[] = {
        {144, suggested, true},
        {96, Rect{-1920, 0, -1500, 300}, true},  // a monitor left of the main one
        {144, std::nullopt, false},              // no rectangle at all
        {0, suggested, false},
        {65535, suggested, false},
        {144, Rect{500, 100, 100, 400}, false},  // turned inside out
        {144, Rect{100, 100, 100, 400}, false},
        {144, Rect{-2147483647, 0, 2147483647, 400}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsUsableDpiChange(c.dpi, c.rect ? &*c.rect : nullptr), c.usable)
            << c.dpi << " " << (c.rect ? c.rect->left : -1);
    }
}

}  // namespace
