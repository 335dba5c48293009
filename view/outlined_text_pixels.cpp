#include "view/outlined_text_pixels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kStrokeAlpha = 62.0 / 255.0;

// How much of a pixel a stroke of the given width covers when the pixel's
// centre lies `distance` from the stroke's middle line.
double StrokeShare(double width, double distance) { return std::clamp(width / 2 - distance + 0.5, 0.0, 1.0); }

// The farthest a stroke of the halo reaches from the outline, its
// anti-aliased edge included.
double HaloReach(int strength) { return (strength - 1) / 2.0 + 0.5; }

// The alpha at distances in steps of 1/kSteps pixel, from 0 to the reach.
constexpr int kSteps = 64;

std::vector<double> HaloRamp(int strength) {
    const int count = static_cast<int>(std::ceil(HaloReach(strength) * kSteps)) + 1;
    std::vector<double> ramp(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        ramp[static_cast<size_t>(i)] = HaloAlphaAt(static_cast<double>(i) / kSteps, strength);
    return ramp;
}

// A coordinate as a pixel index within 0 ... limit, whatever its size.
int Within(double value, int limit) { return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(limit))); }

// std::lround of a value from 0 to 2^31 - 1, which is all the levels and
// ramp steps here are: the library's own call (mingw-w64's checks for NaN
// and infinity first) took a third of the program's own time drawing a text.
std::uint32_t Rounded(double value) {
    const auto whole = static_cast<std::uint32_t>(value);
    return whole + (value - whole >= 0.5 ? 1 : 0);
}

bool Finite(const OutlinePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

double SquaredDistanceToSegment(double px, double py, const OutlinePoint& a, const OutlinePoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / length : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - px, ey = a.y + t * dy - py;
    return ex * ex + ey * ey;
}

}  // namespace

double HaloAlphaAt(double distance, int strength) {
    double clear = 1;  // how much of what lies below still shows
    for (int width = 1; width < strength; ++width) clear *= 1 - kStrokeAlpha * StrokeShare(width, distance);
    return 1 - clear;
}

std::vector<std::uint32_t> DrawHalo(const std::vector<OutlineFigure>& figures, int width, int height, int strength,
                                    const Color& colour) {
    std::vector<std::uint32_t> pixels;
    if (width <= 0 || height <= 0) return pixels;
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    if (strength <= 1) return pixels;

    // Only pixels within the halo's reach of some line are measured.
    const double reach = HaloReach(strength);
    std::vector<float> nearest(pixels.size(), std::numeric_limits<float>::infinity());
    for (const OutlineFigure& figure : figures) {
        for (size_t i = 0; i < figure.size(); ++i) {
            const OutlinePoint& a = figure[i];
            const OutlinePoint& b = figure[(i + 1) % figure.size()];  // the closing line too
            if (!Finite(a) || !Finite(b)) continue;
            const int x0 = Within(std::floor(std::min(a.x, b.x) - reach), width);
            const int x1 = Within(std::ceil(std::max(a.x, b.x) + reach), width - 1);
            const int y0 = Within(std::floor(std::min(a.y, b.y) - reach), height);
            const int y1 = Within(std::ceil(std::max(a.y, b.y) + reach), height - 1);
            for (int y = y0; y <= y1; ++y) {
                float* row = &nearest[static_cast<size_t>(y) * static_cast<size_t>(width)];
                for (int x = x0; x <= x1; ++x) {
                    const float d = static_cast<float>(SquaredDistanceToSegment(x + 0.5, y + 0.5, a, b));
                    row[x] = std::min(row[x], d);
                }
            }
        }
    }

    const std::vector<double> ramp = HaloRamp(strength);
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (!(nearest[i] < std::numeric_limits<float>::infinity())) continue;  // out of every line's reach
        const double distance = std::sqrt(static_cast<double>(nearest[i]));
        if (!(distance < reach)) continue;
        const double alpha = ramp[Rounded(distance * kSteps)];
        const auto level = [alpha](std::uint8_t value) { return Rounded(value * alpha); };
        pixels[i] = level(255) << 24 | level(colour.red) << 16 | level(colour.green) << 8 | level(colour.blue);
    }
    return pixels;
}

namespace {

// Adds one row's part of a line, from x = a to x = b (already within the
// row's pixels) and `d` high (negative going up), to the row's accumulated
// signed areas: each pixel gets the area of its part right of the line, and
// the next pixel the rest, so that the running sum along the row is the
// winding number of every pixel, anti-aliased.
void AddRowSpan(float* row, double a, double b, double d) {
    const double lo = std::min(a, b), hi = std::max(a, b);
    const int i0 = static_cast<int>(std::floor(lo));
    const int i1 = static_cast<int>(std::ceil(hi));
    if (i1 <= i0 + 1) {
        const double middle = 0.5 * (a + b) - i0;
        row[i0] += static_cast<float>(d * (1 - middle));
        row[i0 + 1] += static_cast<float>(d * middle);
        return;
    }
    const double s = 1 / (hi - lo);
    const double x0f = lo - i0;
    const double a0 = 0.5 * s * (1 - x0f) * (1 - x0f);
    const double x1f = hi - i1 + 1;
    const double am = 0.5 * s * x1f * x1f;
    row[i0] += static_cast<float>(d * a0);
    if (i1 == i0 + 2) {
        row[i0 + 1] += static_cast<float>(d * (1 - a0 - am));
    } else {
        const double a1 = s * (1.5 - x0f);
        row[i0 + 1] += static_cast<float>(d * (a1 - a0));
        for (int i = i0 + 2; i < i1 - 1; ++i) row[i] += static_cast<float>(d * s);
        const double a2 = a1 + (i1 - i0 - 3) * s;
        row[i1 - 1] += static_cast<float>(d * (1 - a2 - am));
    }
    row[i1] += static_cast<float>(d * am);
}

}  // namespace

std::vector<float> FillCoverage(const std::vector<OutlineFigure>& figures, int width, int height) {
    std::vector<float> coverage;
    if (width <= 0 || height <= 0) return coverage;
    // Two more columns per row: a line on the right edge adds to them.
    const size_t stride = static_cast<size_t>(width) + 2;
    std::vector<float> areas(stride * static_cast<size_t>(height), 0.0f);
    for (const OutlineFigure& figure : figures) {
        for (size_t i = 0; i < figure.size(); ++i) {
            OutlinePoint a = figure[i];
            OutlinePoint b = figure[(i + 1) % figure.size()];
            if (a.y == b.y || !Finite(a) || !Finite(b)) continue;
            double direction = 1;
            if (a.y > b.y) {
                std::swap(a, b);
                direction = -1;
            }
            const double slope = (static_cast<double>(b.x) - a.x) / (static_cast<double>(b.y) - a.y);
            const int first = Within(std::floor(a.y), height);
            const int last = Within(std::ceil(b.y), height);
            for (int y = first; y < last; ++y) {
                const double top = std::max<double>(y, a.y), bottom = std::min<double>(y + 1, b.y);
                if (bottom <= top) continue;
                // A line left of the picture counts as on its left edge
                // (every pixel is right of it), one right of it as on the
                // right edge (no pixel is).
                const double from = std::clamp(a.x + (top - a.y) * slope, 0.0, static_cast<double>(width));
                const double to = std::clamp(a.x + (bottom - a.y) * slope, 0.0, static_cast<double>(width));
                AddRowSpan(&areas[static_cast<size_t>(y) * stride], from, to, (bottom - top) * direction);
            }
        }
    }
    coverage.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        double winding = 0;
        for (int x = 0; x < width; ++x) {
            winding += areas[static_cast<size_t>(y) * stride + static_cast<size_t>(x)];
            coverage[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                static_cast<float>(std::min(1.0, std::abs(winding)));
        }
    }
    return coverage;
}

std::vector<std::uint32_t> DrawOutlinedTextPixels(const std::vector<OutlineFigure>& figures, int width, int height,
                                                  const TextStyle& style) {
    std::vector<std::uint32_t> pixels = DrawHalo(figures, width, height, style.shadowHeight, style.shadow);
    const std::vector<float> coverage = FillCoverage(figures, width, height);
    const Color& fill = style.color;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const double share = coverage[i];
        if (share <= 0) continue;
        // The opaque fill over the halo, the share of the pixel it covers.
        const std::uint32_t below = pixels[i];
        const auto channel = [&](int shift, std::uint8_t value) {
            const double under = (below >> shift) & 0xFF;
            return Rounded(value * share + under * (1 - share)) << shift;
        };
        pixels[i] = channel(24, 255) | channel(16, fill.red) | channel(8, fill.green) | channel(0, fill.blue);
    }
    return pixels;
}
