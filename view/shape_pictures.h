// Today's ring, the memo dot and a marked day's band as small pictures, laid
// on the month like a text's (view/text_pictures.h), drawn by the program's
// own rasteriser (view/outlined_text_pixels.h) rather than by the graphics
// library. Two reasons: a month whose texts and background an earlier start
// kept (view/kept_drawing.h) then needs no graphics library at all for its
// first picture, which spares a start the library's loading; and the shapes
// come out anti-aliased on every system, as Windows' GDI+ draws them and
// Wine's does not.
//
// A box is in window pixels, pixel (x, y) covering x ... x + 1 and
// y ... y + 1: a shape inscribed in it is centred on the box's centre. An
// empty box, or one over kLargestShape pixels either way (no skin's cell
// comes near), gives an empty picture: nothing is drawn.
#pragma once

#include "base/rect.h"
#include "view/template_values.h"
#include "view/text_pictures.h"

inline constexpr int kLargestShape = 2048;

// An ellipse inscribed in `box` stroked with a pen `penWidth` pixels wide
// centred on it (so half the pen lies outside the box).
TextPicture RingPicture(const Rect& box, int penWidth, const Color& color);
// An ellipse inscribed in `box`, filled.
TextPicture DotPicture(const Rect& box, const Color& color);
// The whole box filled.
TextPicture BandPicture(const Rect& box, const Color& color);
