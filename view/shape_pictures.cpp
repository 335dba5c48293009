#include "view/shape_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "view/outlined_text_pixels.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// An ellipse as a closed figure of straight lines, counter-clockwise when
// `reversed`. With eight points per pixel of its larger half-axis (64 at
// least) the lines lie within a hundredth of a pixel of the curve.
OutlineFigure EllipseFigure(double centreX, double centreY, double halfWidth, double halfHeight, bool reversed) {
    const int points = std::max(64, 8 * static_cast<int>(std::ceil(std::max(halfWidth, halfHeight))));
    OutlineFigure figure(static_cast<size_t>(points));
    for (int i = 0; i < points; ++i) {
        const double angle = 2 * kPi * (reversed ? points - i : i) / points;
        figure[static_cast<size_t>(i)] = {static_cast<float>(centreX + halfWidth * std::cos(angle)),
                                          static_cast<float>(centreY + halfHeight * std::sin(angle))};
    }
    return figure;
}

bool Drawable(const Rect& box) {
    return box.Width() > 0 && box.Height() > 0 && box.Width() <= kLargestShape && box.Height() <= kLargestShape;
}

std::uint32_t Rounded(double value) { return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0, 255.0))); }

// The figures (in picture pixels) filled in the colour on a picture of the
// given size and place, premultiplied, each pixel by its covered share.
TextPicture Filled(const std::vector<OutlineFigure>& figures, int left, int top, int width, int height,
                   const Color& color) {
    TextPicture picture;
    if (width <= 0 || height <= 0) return picture;
    const std::vector<float> coverage = FillCoverage(figures, width, height);
    picture.left = left;
    picture.top = top;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(coverage.size(), 0);
    for (size_t i = 0; i < coverage.size(); ++i) {
        const double share = coverage[i] * color.alpha / 255.0;
        if (share <= 0) continue;
        picture.pixels[i] = Rounded(255 * share) << 24 | Rounded(color.red * share) << 16 |
                            Rounded(color.green * share) << 8 | Rounded(color.blue * share);
    }
    return picture;
}

}  // namespace

TextPicture RingPicture(const Rect& box, int penWidth, const Color& color) {
    if (!Drawable(box) || penWidth <= 0 || penWidth > kLargestShape) return TextPicture();
    const double halfPen = penWidth / 2.0;
    const int margin = static_cast<int>(std::ceil(halfPen)) + 1;
    const int width = static_cast<int>(box.Width()) + 2 * margin;
    const int height = static_cast<int>(box.Height()) + 2 * margin;
    const double centreX = width / 2.0, centreY = height / 2.0;
    const double halfWidth = box.Width() / 2.0, halfHeight = box.Height() / 2.0;
    std::vector<OutlineFigure> figures{
        EllipseFigure(centreX, centreY, halfWidth + halfPen, halfHeight + halfPen, false)};
    // The inner edge the other way round cuts the hole; a pen wider than the
    // ellipse leaves none.
    if (halfWidth > halfPen && halfHeight > halfPen) {
        figures.push_back(EllipseFigure(centreX, centreY, halfWidth - halfPen, halfHeight - halfPen, true));
    }
    return Filled(figures, -margin, -margin, width, height, color);
}

TextPicture DotPicture(const Rect& box, const Color& color) {
    if (!Drawable(box)) return TextPicture();
    const int width = static_cast<int>(box.Width()), height = static_cast<int>(box.Height());
    return Filled({EllipseFigure(width / 2.0, height / 2.0, width / 2.0, height / 2.0, false)}, 0, 0, width, height,
                  color);
}

TextPicture BandPicture(const Rect& box, const Color& color) {
    if (!Drawable(box)) return TextPicture();
    const auto width = static_cast<float>(box.Width()), height = static_cast<float>(box.Height());
    return Filled({{{0, 0}, {width, 0}, {width, height}, {0, height}}}, 0, 0, static_cast<int>(box.Width()),
                  static_cast<int>(box.Height()), color);
}
