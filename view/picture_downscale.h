// A picture made smaller by averaging areas: each new pixel is the mean of
// the part of the old picture it covers, every old pixel weighted by how
// much of it lies under the new one. At 175 % the window shows the skin's
// double-size picture at seven eighths of its size once per start and
// scale; the graphics library's bicubic resampling of it took longer under
// Wine than the whole rest of the first month, and for a reduction this
// mild the mean of the covered area is as sharp and never rings at edges.
#pragma once

#include <cstdint>
#include <vector>

// Premultiplied ARGB pixels, row by row, `width` pixels a row (the mean of
// premultiplied pixels is the premultiplied mean, so soft edges keep their
// colour). An empty result when a size is not positive, the new size is
// larger than the old in either direction, or `pixels` is too short.
std::vector<std::uint32_t> DownscaleByArea(const std::vector<std::uint32_t>& pixels, int width, int height, int toWidth,
                                           int toHeight);
