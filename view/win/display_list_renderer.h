// Paints a month's display list with GDI+: the background picture, outlined
// texts, today's ring and memo dots, anti-aliased, into a layered surface.
// GDI+ must be running (GdiplusSession) while any of these are used.
#pragma once

#include <string>

#include "view/display_list.h"
#include "base/win/gdiplus_scoped.h"
#include "view/win/layered_surface.h"

// A GDI+ drawing context on a surface's pixels (premultiplied ARGB), with
// anti-aliased smoothing and high-quality bicubic interpolation. The surface
// must outlive the canvas.
class SurfaceCanvas {
public:
    explicit SurfaceCanvas(LayeredSurface& surface);
    bool ok() const { return static_cast<bool>(graphics_); }
    Gdiplus::GpGraphics* graphics() const { return graphics_.get(); }

private:
    ScopedGdipBitmap bitmap_;   // wraps the surface's bits, owns no pixels
    ScopedGraphics graphics_;   // declared last: released first
};

// Draws `text` as a glyph outline of the style's family (bold or regular, em
// size in pixels) laid out in `box`, centred vertically and placed
// horizontally by `alignment`: first the halo, strokes of the halo colour at
// alpha 62 with widths 1 ... shadowHeight - 1 and round joins, then the fill
// in the text colour at alpha 255. Never uses ordinary text output.
void DrawOutlinedText(Gdiplus::GpGraphics* graphics, const std::wstring& text, const TextStyle& style,
                      const Rect& box, HorizontalAlignment alignment);

// Loads the list's background picture, creates a surface of the picture's
// size, draws the picture at (0, 0) and then every item in order. Empty when
// the picture cannot be loaded (the window then has no visible area).
LayeredSurface RenderDisplayList(const DisplayList& list);

// The month window's whole repaint: renders the list and hands the picture to
// the layered window in one update, the window taking the picture's size at
// its current position. False, leaving the window as it was, when the
// background picture cannot be loaded or the update fails.
bool PresentDisplayList(HWND window, const DisplayList& list);
