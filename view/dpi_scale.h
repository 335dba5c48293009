// The month window on screens of more than 96 DPI. Templates give every
// coordinate, font size and halo in 96-DPI pixels; the month is laid out in
// those and the finished layout is scaled as a whole, each edge rounded the
// same way, so the ring, the memo dot, the day cells the mouse is tested
// against and the texts all stay where the picture has them. Texts are then
// drawn at their scaled size, crisp, not stretched.
#pragma once

#include <filesystem>
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

// Whether a scale change Windows announces can be acted on: a DPI of 50 % to
// 500 % and a suggested place that is a rectangle on the screen's coordinate
// range. Anything else (no rectangle, a message sent by another program)
// leaves the window as it is.
inline constexpr int kLowestDpi = 48;
inline constexpr int kHighestDpi = 480;
bool IsUsableDpiChange(int dpi, const Rect* suggested);

// Texts (box, font size, halo), rings (box and pen), dots and day cells.
void ScaleMonthLayout(MonthLayout& layout, int dpi);

// "…\backgroud@2x.png" beside "…\backgroud.png".
std::filesystem::path DoubleSizePicturePath(const std::filesystem::path& picturePath);
