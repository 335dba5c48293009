#include "view/win/tray_icon.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>

#include "base/win/gdiplus_scoped.h"
#include "view/dpi_scale.h"
#include "view/png_size.h"
#include "view/tray_digits.h"
#include "view/win/display_list_renderer.h"
#include "view/win/layered_surface.h"

namespace {

constexpr int kIconSize = 16;

// Icons take straight alpha; the surface holds premultiplied pixels.
void Unpremultiply(LayeredSurface& surface) {
    BYTE* p = surface.bits();
    for (int i = 0; i < surface.width() * surface.height(); ++i, p += 4) {
        const BYTE alpha = p[3];
        if (alpha == 0 || alpha == 255) continue;
        for (int c = 0; c < 3; ++c) p[c] = static_cast<BYTE>((p[c] * 255 + alpha / 2) / alpha);
    }
}

// Sets the mask's pixels, placed with its top left at (left, top), to an
// opaque colour (premultiplied BGRA, so opaque is the colour itself).
void Stamp(LayeredSurface& surface, const PixelMask& mask, int left, int top, const Color& colour) {
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const int sx = left + x, sy = top + y;
            if (!mask.At(x, y) || sx < 0 || sy < 0 || sx >= surface.width() || sy >= surface.height()) continue;
            BYTE* p = surface.bits() + sy * surface.stride() + sx * 4;
            p[0] = colour.blue;
            p[1] = colour.green;
            p[2] = colour.red;
            p[3] = 255;
        }
    }
}

// The day number in digits drawn for this icon size, centred in the box,
// its halo first.
void StampPixelDigits(LayeredSurface& surface, int dayOfMonth, const TextStyle& style, const Rect& box, int size) {
    const DigitGrid grid = DigitGridFor(size);
    const PixelMask ink = DayNumberInk(dayOfMonth, grid);
    // Centred on whole pixels; what is left over goes right and down.
    const int left = static_cast<int>(box.left + (box.Width() - ink.width + 1) / 2);
    int top = static_cast<int>(box.top + (box.Height() - ink.height + 1) / 2);
    const int halo = style.shadowHeight > 1 ? grid.halo : 0;
    // Never pushed off the icon by a box that reaches below it.
    top = std::max(halo, std::min(top, size - halo - ink.height));
    if (halo > 0) Stamp(surface, HaloAround(ink, halo), left - halo, top - halo, style.shadow);
    Stamp(surface, ink, left, top, style.color);
}

bool HasVisiblePixel(const LayeredSurface& surface) {
    const BYTE* p = surface.bits();
    for (int i = 0; i < surface.width() * surface.height(); ++i, p += 4) {
        if (p[3] != 0) return true;
    }
    return false;
}

}  // namespace

LayeredSurface RenderTrayDayPicture(const TrayTemplate& tray, int dayOfMonth, int size) {
    if (size <= 0) size = kIconSize;
    // The template is drawn for 16 pixels, as a month template for 96 DPI.
    const int dpi = kBaseDpi * size / kIconSize;
    LayeredSurface surface = LayeredSurface::Create(size, size);
    if (surface.empty()) return surface;
    std::optional<Rect> digitBox;
    {
        SurfaceCanvas canvas(surface);
        if (!canvas.ok()) return LayeredSurface();
        // A missing picture leaves the background transparent; the number is
        // still drawn. From 32 pixels on, the template's double-size picture
        // where it has one (a sound PNG up to twice the screens' size, as for
        // skins).
        std::filesystem::path picturePath = tray.picturePath;
        const std::filesystem::path larger = DoubleSizePicturePath(picturePath);
        if (size >= 2 * kIconSize && !picturePath.empty() &&
            IsAcceptablePicture(larger, 2 * VirtualScreenWidth(), 2 * VirtualScreenHeight())) {
            picturePath = larger;
        } else if (!IsAcceptablePicture(picturePath, VirtualScreenWidth(), VirtualScreenHeight())) {
            picturePath.clear();
        }
        SkinPicture picture;
        if (!picturePath.empty() && picture.Load(picturePath) && picture.Bitmap()) {
            gdip::GdipDrawImageRectI(canvas.graphics(), picture.Bitmap(), 0, 0, size, size);
        }
        gdip::GdipSetSmoothingMode(canvas.graphics(), Gdiplus::SmoothingModeAntiAlias);
        gdip::GdipSetInterpolationMode(canvas.graphics(), Gdiplus::InterpolationModeHighQualityBicubic);

        if (tray.numberBox) {
            const Rect& r = *tray.numberBox;
            // The box may be written right-to-left or bottom-to-top.
            const Rect box{std::min(r.left, r.right), std::min(r.top, r.bottom),
                           std::min(r.left, r.right) + std::abs(r.right - r.left),
                           std::min(r.top, r.bottom) + std::abs(r.bottom - r.top)};
            if (tray.pixelDigits) {
                digitBox = ScaleForDpi(box, dpi);  // stamped once the picture is in the pixels
            } else {
                TextStyle style = tray.style;
                style.size = ScaleForDpi(style.size, dpi);
                if (style.shadowHeight > 1) style.shadowHeight = ScaleForDpi(style.shadowHeight - 1, dpi) + 1;
                DrawOutlinedText(surface, canvas.graphics(), std::to_wstring(dayOfMonth), style, ScaleForDpi(box, dpi),
                                 HorizontalAlignment::kCenter);
            }
        }
    }
    GdiFlush();
    if (digitBox) StampPixelDigits(surface, dayOfMonth, tray.style, *digitBox, size);
    return surface;
}

HICON RenderTrayDayIcon(const TrayTemplate& tray, int dayOfMonth, int size) {
    if (size <= 0) size = kIconSize;
    LayeredSurface surface = RenderTrayDayPicture(tray, dayOfMonth, size);
    // Neither a picture nor a number: an icon nobody could see or click.
    if (surface.empty() || !HasVisiblePixel(surface)) return nullptr;
    Unpremultiply(surface);

    // An all-zero mask: the colour bitmap's alpha decides every pixel.
    ScopedBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    if (!mask) return nullptr;
    ScopedMemoryDc maskDc(CreateCompatibleDC(nullptr));
    if (maskDc) {
        ScopedSelection selected(maskDc.get(), mask.get());
        PatBlt(maskDc.get(), 0, 0, size, size, BLACKNESS);
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = surface.bitmap();
    info.hbmMask = mask.get();
    return CreateIconIndirect(&info);
}

void TrayIcon::Init(HWND owner, HICON initialIcon, const std::wstring& tip) {
    data_ = NOTIFYICONDATAW{};
    data_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data_.hWnd = owner;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = initialIcon;
    initialIcon_ = initialIcon;
    SetTip(tip);
}

void TrayIcon::SetTip(const std::wstring& tip) {
    std::wcsncpy(data_.szTip, tip.c_str(), 127);
    data_.szTip[127] = L'\0';
}

void TrayIcon::ShowTip(const std::wstring& tip) {
    SetTip(tip);
    if (added_) Shell_NotifyIconW(NIM_MODIFY, &data_);
}

bool TrayIcon::Add() {
    if (!added_) added_ = AddToNotificationArea(data_);
    return added_;
}

SkinDamage TrayIcon::Draw(const std::filesystem::path& moduleFolder, const std::string& templateName, int dayOfMonth,
                          const FontFamilyQuery& fontFamilies) {
    const TrayTemplate tray = LoadTrayTemplate(moduleFolder, templateName, fontFamilies);
    ScopedIcon icon(tray.damaged() ? nullptr : RenderTrayDayIcon(tray, dayOfMonth, GetSystemMetrics(SM_CXSMICON)));
    // Without a usable template the application icon stands in, so that the
    // program's menu can still be reached.
    data_.hIcon = icon ? icon.get() : initialIcon_;
    if (added_) Shell_NotifyIconW(NIM_MODIFY, &data_);
    generated_ = std::move(icon);  // the previous day's icon goes now
    return tray.damage;
}

void TrayIcon::Forget() {
    if (added_) Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
}

void TrayIcon::Remove() {
    Forget();
    data_.hIcon = initialIcon_;  // never left pointing at the icon released here
    generated_.reset();
}
