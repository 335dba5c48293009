// The off-screen picture of a layered window: a 32-bit top-down DIB section
// whose pixels are premultiplied BGRA, which is what UpdateLayeredWindow takes
// and what GDI+ draws into as PixelFormat32bppPARGB.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/win/scoped_win.h"

class LayeredSurface {
public:
    LayeredSurface() = default;
    // A transparent surface; empty when the size is not positive or the
    // bitmap cannot be created.
    static LayeredSurface Create(int width, int height);

    LayeredSurface(LayeredSurface&&) noexcept = default;
    LayeredSurface& operator=(LayeredSurface&&) noexcept = default;

    bool empty() const { return !bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return width_ * 4; }
    HBITMAP bitmap() const { return bitmap_.get(); }
    BYTE* bits() const { return bits_; }

    // 0xAARRGGBB, premultiplied, as stored. (x, y) must lie inside.
    std::uint32_t PixelAt(int x, int y) const;

private:
    ScopedBitmap bitmap_;
    BYTE* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Puts the surface on a window created with WS_EX_LAYERED in one
// UpdateLayeredWindow call: source (0, 0), the surface's size, the window's
// current top-left corner (or `corner`, in screen coordinates, when given),
// constant alpha 255 and the surface's own alpha. The window takes the
// surface's size and place. False for an empty surface or when the call fails.
bool PresentLayered(HWND window, const LayeredSurface& surface, const POINT* corner = nullptr);

// Writes the surface as a PNG with its alpha (straight, as PNG stores it).
bool SaveSurfacePng(const LayeredSurface& surface, const std::wstring& path);
