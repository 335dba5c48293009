#include "view/win/tray_icon.h"

#include <cwchar>
#include <string>

#include "view/win/font_families.h"
#include "base/win/gbk_text.h"
#include "view/png_size.h"
#include "view/win/display_list_renderer.h"
#include "base/win/gdiplus_scoped.h"
#include "view/win/layered_surface.h"
#include "view/dpi_scale.h"

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

bool HasVisiblePixel(const LayeredSurface& surface) {
    const BYTE* p = surface.bits();
    for (int i = 0; i < surface.width() * surface.height(); ++i, p += 4) {
        if (p[3] != 0) return true;
    }
    return false;
}

}  // namespace

HICON RenderTrayDayIcon(const TrayTemplate& tray, int dayOfMonth, int size) {
    if (size <= 0) size = kIconSize;
    // The template is drawn for 16 pixels, as a month template for 96 DPI.
    const int dpi = kBaseDpi * size / kIconSize;
    LayeredSurface surface = LayeredSurface::Create(size, size);
    if (surface.empty()) return nullptr;
    {
        SurfaceCanvas canvas(surface);
        if (!canvas.ok()) return nullptr;
        // A missing picture leaves the background transparent; the number is
        // still drawn. From 32 pixels on, the template's double-size picture
        // where it has one (a sound PNG up to twice the screens' size, as for
        // skins).
        std::string picturePath = tray.picturePath;
        const std::string larger = DoubleSizePicturePath(picturePath);
        if (size >= 2 * kIconSize && !picturePath.empty() &&
            IsAcceptablePicture(larger, 2 * VirtualScreenWidth(), 2 * VirtualScreenHeight())) {
            picturePath = larger;
        } else if (!IsAcceptablePicture(picturePath, VirtualScreenWidth(), VirtualScreenHeight())) {
            picturePath.clear();
        }
        ScopedImage picture;
        if (!picturePath.empty() &&
            gdip::GdipLoadImageFromFile(WideFromGbk(picturePath).c_str(), picture.out()) == Gdiplus::Ok &&
            picture) {
            gdip::GdipDrawImageRectI(canvas.graphics(), picture.get(), 0, 0, size, size);
        }
        gdip::GdipSetSmoothingMode(canvas.graphics(), Gdiplus::SmoothingModeAntiAlias);
        gdip::GdipSetInterpolationMode(canvas.graphics(), Gdiplus::InterpolationModeHighQualityBicubic);

        if (tray.numberBox) {
            const Rect& r = *tray.numberBox;
            // The box may be written right-to-left or bottom-to-top.
            const Rect box{std::min(r.left, r.right), std::min(r.top, r.bottom),
                                  std::min(r.left, r.right) + std::abs(r.right - r.left),
                                  std::min(r.top, r.bottom) + std::abs(r.bottom - r.top)};
            TextStyle style = tray.style;
            style.size = ScaleForDpi(style.size, dpi);
            if (style.shadowHeight > 1) style.shadowHeight = ScaleForDpi(style.shadowHeight - 1, dpi) + 1;
            DrawOutlinedText(canvas.graphics(), std::to_wstring(dayOfMonth), style, ScaleForDpi(box, dpi),
                             HorizontalAlignment::kCenter);
        }
    }
    GdiFlush();
    // Neither a picture nor a number: an icon nobody could see or click.
    if (!HasVisiblePixel(surface)) return nullptr;
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
    std::wcsncpy(data_.szTip, tip.c_str(), 127);
    data_.szTip[127] = L'\0';
}

bool TrayIcon::Add() {
    if (!added_) added_ = AddToNotificationArea(data_);
    return added_;
}

SkinDamage TrayIcon::Draw(const std::string& moduleFolder, const std::string& templateName, int dayOfMonth) {
    const TrayTemplate tray = LoadTrayTemplate(moduleFolder, templateName, InstalledFontFamilies());
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
