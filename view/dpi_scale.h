// The month window on screens of more than 96 DPI. Templates give every
// coordinate, font size and halo in 96-DPI pixels; the month is laid out in
// those and the finished layout is scaled as a whole, each edge rounded the
// same way, so the ring, the memo dot, the day cells the mouse is tested
// against and the texts all stay where the picture has them. Texts are then
// drawn at their scaled size, crisp, not stretched.
#pragma once

#include <string>

#include "base/rect.h"
#include "view/month_layout.h"

inline constexpr int kBaseDpi = 96;
// From 175 % on, a skin's double-size picture ("backgroud@2x.png") is used
// when it has one.
inline constexpr int kDoubleSizePictureDpi = 168;

// value × dpi / 96, rounded half away from zero.
int ScaleForDpi(int value, int dpi);
Rect ScaleForDpi(const Rect& rect, int dpi);

// The same point back in 96-DPI units (mouse positions on the scaled window).
int UnscaleForDpi(int value, int dpi);

// Texts (box, font size, halo), rings (box and pen), dots and day cells.
void ScaleMonthLayout(MonthLayout& layout, int dpi);

// "…\backgroud@2x.png" beside "…\backgroud.png".
std::string DoubleSizePicturePath(const std::string& picturePath);
