// The pixels of an outlined text, from its glyph outline flattened to lines:
// the halo round the glyphs, then their fill, both anti-aliased, drawn here
// rather than by the graphics library, for two reasons.
//
// The fill: a 12-pixel Chinese character has strokes about a pixel wide. A
// rasteriser that sets a pixel only when its centre lies inside the outline
// (Wine's GDI+ does, for it does not anti-alias paths) drops such a stroke or
// doubles it, by where it falls: 初 comes out like 刎. Each pixel here takes
// the share of its area the outline covers, as an anti-aliasing rasteriser
// (Windows' GDI+) gives it, so the same shapes show everywhere.
//
// The halo: strength N is N - 1 strokes of the outline, widths 1 ... N - 1
// pixels, each of the halo colour at alpha 62 over the ones before, so that
// the alpha piles up next to the glyphs and fades outwards. Stroking the
// outline once per width rasterises it N - 1 times, nearly all the cost of a
// month's first drawing; yet what the strokes leave on a pixel depends only
// on its distance from the outline. So each pixel's distance is measured
// once, and the alpha the strokes would leave there read from a ramp worked
// out once per strength, a stroke's edge anti-aliased over a pixel's width.
#pragma once

#include <cstdint>
#include <vector>

#include "view/template_values.h"

// One closed figure of a glyph outline flattened to straight lines, in
// picture pixels (the centre of pixel (x, y) is at x + 0.5, y + 0.5).
struct OutlinePoint {
    float x = 0;
    float y = 0;
};
using OutlineFigure = std::vector<OutlinePoint>;

// The alpha (0 ... 1) that the halo's strokes leave on a pixel whose centre
// lies `distance` pixels from the outline.
double HaloAlphaAt(double distance, int strength);

// The halo of the figures on a transparent picture of the given size:
// premultiplied ARGB pixels, row by row. All transparent when the strength is
// 1 or less.
std::vector<std::uint32_t> DrawHalo(const std::vector<OutlineFigure>& figures, int width, int height, int strength,
                                    const Color& colour);

// How much of each pixel (0 ... 1, row by row) lies inside the figures, by
// the non-zero winding rule: a figure inside another the same way round adds
// nothing, one the other way round cuts a hole.
std::vector<float> FillCoverage(const std::vector<OutlineFigure>& figures, int width, int height);

// The whole text: the halo of the style's colour and strength, then the
// glyphs filled opaque in the text colour over it. Premultiplied ARGB.
std::vector<std::uint32_t> DrawOutlinedTextPixels(const std::vector<OutlineFigure>& figures, int width, int height,
                                                  const TextStyle& style);
