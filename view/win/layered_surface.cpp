#include "view/win/layered_surface.h"

#include <cstring>
#include <vector>

#include "base/win/gdiplus_scoped.h"

LayeredSurface LayeredSurface::Create(int width, int height) {
    LayeredSurface surface;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return surface;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top of the picture
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return surface;
    std::memset(bits, 0, static_cast<size_t>(width) * 4 * static_cast<size_t>(height));
    surface.bitmap_ = std::move(bitmap);
    surface.bits_ = static_cast<BYTE*>(bits);
    surface.width_ = width;
    surface.height_ = height;
    return surface;
}

std::uint32_t LayeredSurface::PixelAt(int x, int y) const {
    std::uint32_t pixel;
    std::memcpy(&pixel, bits_ + static_cast<size_t>(y) * stride() + static_cast<size_t>(x) * 4, 4);
    return pixel;
}

bool PresentLayered(HWND window, const LayeredSurface& surface, const POINT* corner) {
    if (surface.empty() || !window) return false;
    GdiFlush();  // GDI+ may still hold batched writes to the bits
    RECT placed{};
    if (!GetWindowRect(window, &placed)) return false;
    ScopedWindowDc screen(nullptr);
    ScopedMemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!screen || !memory) return false;
    ScopedSelection selection(memory.get(), surface.bitmap());
    if (!selection.ok()) return false;
    POINT destination = corner ? *corner : POINT{placed.left, placed.top};
    SIZE size{surface.width(), surface.height()};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return UpdateLayeredWindow(window, screen.get(), &destination, &size, memory.get(), &source, 0, &blend,
                               ULW_ALPHA) != 0;
}

namespace {

bool FindEncoder(const wchar_t* mimeType, CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (gdip::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (gdip::GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, mimeType) == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

bool SaveSurfacePng(const LayeredSurface& surface, const std::wstring& path) {
    if (surface.empty()) return false;
    GdiFlush();
    CLSID png;
    if (!FindEncoder(L"image/png", png)) return false;
    ScopedGdipBitmap bitmap;
    if (gdip::GdipCreateBitmapFromScan0(surface.width(), surface.height(), surface.stride(), PixelFormat32bppPARGB,
                                        surface.bits(), bitmap.out()) != Gdiplus::Ok) {
        return false;
    }
    return gdip::GdipSaveImageToFile(bitmap.get(), path.c_str(), &png, nullptr) == Gdiplus::Ok;
}
