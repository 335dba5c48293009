#include "view/picture_downscale.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Weights in fixed point: a span's weights sum to exactly kOne, so that a
// plain colour stays that colour; two reductions of kOne fit in 32 bits
// with every channel's 255.
constexpr int kShift = 11;
constexpr std::uint32_t kOne = 1u << kShift;

// The old pixels of an axis that each new pixel covers, and how much of each.
struct Spans {
    std::vector<int> first;             // per new pixel, its first old pixel
    std::vector<size_t> start;          // per new pixel, where its weights begin; one more at the end
    std::vector<std::uint32_t> weight;  // summing to kOne per new pixel
};

// New pixel i covers old pixels from i * ratio to (i + 1) * ratio.
Spans SpansOf(int from, int to) {
    Spans spans;
    const double ratio = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double begin = i * ratio, end = std::min((i + 1) * ratio, static_cast<double>(from));
        const int first = static_cast<int>(std::floor(begin));
        const int last = std::max(std::min(static_cast<int>(std::ceil(end)), from), first + 1);
        spans.first.push_back(first);
        spans.start.push_back(spans.weight.size());
        std::uint32_t given = 0;
        for (int j = first; j < last; ++j) {
            const double covered = std::min<double>(j + 1, end) - std::max<double>(j, begin);
            const auto w =
                j + 1 == last
                    ? kOne - given
                    : std::min(kOne - given, static_cast<std::uint32_t>(std::lround(covered / (end - begin) * kOne)));
            spans.weight.push_back(w);
            given += w;
        }
    }
    spans.start.push_back(spans.weight.size());
    return spans;
}

// One old row reduced across: four channels per new pixel, in units of 1 / kOne.
void ReduceRow(const std::uint32_t* row, const Spans& across, std::vector<std::uint32_t>& out) {
    const size_t count = across.first.size();
    for (size_t x = 0; x < count; ++x) {
        std::uint32_t b = 0, g = 0, r = 0, a = 0;
        const std::uint32_t* from = row + across.first[x];
        for (size_t k = across.start[x]; k < across.start[x + 1]; ++k, ++from) {
            const std::uint32_t w = across.weight[k], pixel = *from;
            b += w * (pixel & 0xFF);
            g += w * (pixel >> 8 & 0xFF);
            r += w * (pixel >> 16 & 0xFF);
            a += w * (pixel >> 24);
        }
        std::uint32_t* to = &out[x * 4];
        to[0] = b, to[1] = g, to[2] = r, to[3] = a;
    }
}

}  // namespace

std::vector<std::uint32_t> DownscaleByArea(const std::vector<std::uint32_t>& pixels, int width, int height, int toWidth,
                                           int toHeight) {
    std::vector<std::uint32_t> result;
    if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0 || toWidth > width || toHeight > height ||
        pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return result;
    }
    const Spans across = SpansOf(width, toWidth), down = SpansOf(height, toHeight);
    result.resize(static_cast<size_t>(toWidth) * static_cast<size_t>(toHeight));
    const size_t channels = static_cast<size_t>(toWidth) * 4;
    std::vector<std::uint32_t> reduced(channels), sum(channels);
    int reducedRow = -1;  // the old row in `reduced`: one lying under two new rows is reduced once
    constexpr std::uint32_t kHalf = 1u << (2 * kShift - 1);
    for (int y = 0; y < toHeight; ++y) {
        std::fill(sum.begin(), sum.end(), 0u);
        int row = down.first[static_cast<size_t>(y)];
        for (size_t k = down.start[static_cast<size_t>(y)]; k < down.start[static_cast<size_t>(y) + 1]; ++k, ++row) {
            if (row != reducedRow) {
                ReduceRow(&pixels[static_cast<size_t>(row) * static_cast<size_t>(width)], across, reduced);
                reducedRow = row;
            }
            const std::uint32_t w = down.weight[k];
            for (size_t c = 0; c < channels; ++c) sum[c] += w * reduced[c];
        }
        std::uint32_t* out = &result[static_cast<size_t>(y) * static_cast<size_t>(toWidth)];
        for (size_t x = 0; x < static_cast<size_t>(toWidth); ++x) {
            const std::uint32_t* c = &sum[x * 4];
            const auto level = [](std::uint32_t v) {
                return std::min<std::uint32_t>((v + kHalf) >> (2 * kShift), 255);
            };
            out[x] = level(c[3]) << 24 | level(c[2]) << 16 | level(c[1]) << 8 | level(c[0]);
        }
    }
    return result;
}
