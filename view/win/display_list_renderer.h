// Paints a month's display list into a layered surface: the background
// picture, outlined texts, today's ring, memo dots and bands, anti-aliased.
// The shapes and the texts' pixels are the program's own; GDI+ lays out the
// outlines of texts and decodes or enlarges what the program's own decoder
// and downscaler do not take. GDI+ must be running (GdiplusSession) while any
// of these are used, except a render given a session to start when needed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/win/gdiplus_scoped.h"
#include "view/display_list.h"
#include "view/kept_drawing.h"
#include "view/text_pictures.h"
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
    ScopedGdipBitmap bitmap_;  // wraps the surface's bits, owns no pixels
    ScopedGraphics graphics_;  // declared last: released first
};

// Draws `text` as a glyph outline of the style's family (bold or regular, em
// size in pixels) laid out in `box`, centred vertically and placed
// horizontally by `alignment`, onto the surface under `graphics` (flushed
// first, so that what it drew lies below): the halo of N - 1 strokes of the
// halo colour at alpha 62, widths 1 ... N - 1, then the fill in the text
// colour, opaque (view/outlined_text_pixels.h). Never ordinary text output.
void DrawOutlinedText(LayeredSurface& surface, Gdiplus::GpGraphics* graphics, const std::wstring& text,
                      const TextStyle& style, const Rect& box, HorizontalAlignment alignment);

// The month's background as it lies on the window at one scale: the skin's
// picture (its double-size one from 175 % on) decoded and, at a scale where
// the window's size is not the picture's, resampled. Kept by the window from
// one rebuild to the next, as the same picture is laid again at every month
// flip: resampling it took most of a flip at 175 %. Another scale or a
// picture file that changed makes a new one.
class BackgroundPictures {
public:
    // The background of a list, drawn when none of that picture, scale and
    // file state is kept; empty when the picture cannot be loaded.
    // `library`, when given, is started before one is drawn (see
    // RenderDisplayList).
    LayeredSurface SurfaceFor(const DisplayList& list, GdiplusSession* library = nullptr);
    // A surface done with (shown on the window, which keeps its own copy):
    // the next background of its size is laid on it instead of on a new one,
    // so that a flip maps and clears no new picture memory.
    void GiveBack(LayeredSurface surface) { spare_ = std::move(surface); }
    // How many backgrounds were drawn; for tests and timing.
    int drawn() const { return drawn_; }
    // A background drawn by an earlier start (view/kept_drawing.h), kept
    // after those of this one.
    void KeepEarlier(KeptBackground background);
    // The background drawn or laid last; null when there is none.
    const KeptBackground* Latest() const { return kept_.empty() ? nullptr : &kept_.front(); }

private:
    std::list<KeptBackground> kept_;  // the most recently used first
    LayeredSurface spare_;
    int drawn_ = 0;
};

// Loads the list's background picture, creates a surface of the picture's
// size, draws the picture at (0, 0) and then every item in order. Empty when
// the picture cannot be loaded (the window then has no visible area). With
// `pictures`, each text is laid from its kept picture, drawn first when there
// is none; without, every text's picture is drawn and laid at once. With
// `backgrounds`, the background comes from those kept (the same pixels).
// With `library`, GDI+ is started only when something must be drawn that is
// not kept (a text's picture, a background): a month whose pictures an
// earlier start kept is laid without it, so the start's first picture does
// not wait for the library to load. Without, GDI+ must be running.
LayeredSurface RenderDisplayList(const DisplayList& list, TextPictures* pictures = nullptr,
                                 BackgroundPictures* backgrounds = nullptr, GdiplusSession* library = nullptr);

// The pictures of the list's texts that `pictures` does not hold, drawn and
// kept there, nothing laid anywhere (`library` as for RenderDisplayList).
void DrawTextPicturesOf(const DisplayList& list, TextPictures& pictures, GdiplusSession* library = nullptr);

// A skin's picture file (a background, a tray icon's picture), decoded by the
// program itself (view/png_picture.h), so that GDI+ loads no imaging codecs
// for it; a form the program does not read is decoded by GDI+ as it always
// was. Not copyable: the bitmap made to draw the pixels refers to them.
class SkinPicture {
public:
    SkinPicture() = default;
    SkinPicture(const SkinPicture&) = delete;
    SkinPicture& operator=(const SkinPicture&) = delete;

    // False, leaving nothing loaded, when neither decoder takes the file.
    bool Load(const std::filesystem::path& path);
    int width() const { return width_; }
    int height() const { return height_; }
    // Premultiplied ARGB, row by row; empty when GDI+ decoded the picture
    // and could not give them.
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    // The picture as a GDI+ bitmap, to draw it at another size.
    Gdiplus::GpBitmap* Bitmap();
    // Into a surface of its size or smaller (area means): false, the surface
    // untouched, when it would have to be enlarged.
    bool CopyInto(LayeredSurface& surface) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    ScopedGdipBitmap bitmap_;  // after the pixels it may refer to: released first
};

// The size of all monitors together, the most a picture may cover.
int VirtualScreenWidth();
int VirtualScreenHeight();

// The month window's whole repaint: renders the list and hands the picture to
// the layered window in one update, the window taking the picture's size at
// its current position. False, leaving the window as it was, when the
// background picture cannot be loaded or the update fails.
bool PresentDisplayList(HWND window, const DisplayList& list, TextPictures* pictures = nullptr);
