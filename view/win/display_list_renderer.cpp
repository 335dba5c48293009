#include "view/win/display_list_renderer.h"

#include <map>
#include <type_traits>

#include "base/win/gbk_text.h"

namespace {

using Gdiplus::ARGB;

constexpr BYTE kHaloAlpha = 62;

ARGB ToArgb(BYTE alpha, BYTE red, BYTE green, BYTE blue) {
    return (static_cast<ARGB>(alpha) << 24) | (static_cast<ARGB>(red) << 16) | (static_cast<ARGB>(green) << 8) |
           static_cast<ARGB>(blue);
}

ARGB ToArgb(const Color& c) { return ToArgb(c.alpha, c.red, c.green, c.blue); }

// The named family, else Tahoma (the family every template falls back to),
// else Arial so that a machine without Tahoma still shows text.
ScopedFontFamily CreateFamily(const std::wstring& name) {
    ScopedFontFamily family;
    for (const std::wstring& candidate : {name, std::wstring(L"Tahoma"), std::wstring(L"Arial")}) {
        if (candidate.empty()) continue;
        if (gdip::GdipCreateFontFamilyFromName(candidate.c_str(), nullptr, family.out()) == Gdiplus::Ok && family) {
            return family;
        }
    }
    family.reset();
    return family;
}

// One family object per name for the length of a rebuild: creating a family
// means a font lookup, and a month draws some eighty texts in three or four.
class FamilyCache {
public:
    Gdiplus::GpFontFamily* Get(const std::string& gbkName) {
        auto found = families_.find(gbkName);
        if (found == families_.end()) {
            found = families_.emplace(gbkName, CreateFamily(WideFromGbk(gbkName))).first;
        }
        return found->second.get();
    }

private:
    std::map<std::string, ScopedFontFamily> families_;
};

Gdiplus::StringAlignment ToStringAlignment(HorizontalAlignment alignment) {
    switch (alignment) {
        case HorizontalAlignment::kLeft:
            return Gdiplus::StringAlignmentNear;
        case HorizontalAlignment::kRight:
            return Gdiplus::StringAlignmentFar;
        case HorizontalAlignment::kCenter:
            break;
    }
    return Gdiplus::StringAlignmentCenter;
}

void DrawOutlinedTextWith(Gdiplus::GpGraphics* graphics, Gdiplus::GpFontFamily* family, const std::wstring& text,
                          const TextStyle& style, const Rect& box, HorizontalAlignment alignment) {
    // GDI+ takes a zero-sized layout box as "no bounds"; a box the template
    // squeezed to nothing shows nothing instead.
    if (!graphics || !family || text.empty() || box.Width() <= 0 || box.Height() <= 0) return;

    ScopedStringFormat format;
    if (gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, format.out()) != Gdiplus::Ok) return;
    gdip::GdipSetStringFormatAlign(format.get(), ToStringAlignment(alignment));
    gdip::GdipSetStringFormatLineAlign(format.get(), Gdiplus::StringAlignmentCenter);
    // One line per box: a name too long for its cell ends in an ellipsis
    // instead of wrapping into lines that would cover the neighbouring rows.
    gdip::GdipSetStringFormatFlags(format.get(), Gdiplus::StringFormatFlagsNoWrap);
    gdip::GdipSetStringFormatTrimming(format.get(), Gdiplus::StringTrimmingEllipsisCharacter);

    // The text is laid out in a box at the origin and the outline then moved
    // into place: the same outline, and Wine's GDI+ centres lines vertically
    // only in boxes near the top of the picture.
    ScopedPath path;
    if (gdip::GdipCreatePath(Gdiplus::FillModeWinding, path.out()) != Gdiplus::Ok) return;
    const Gdiplus::RectF layout(0, 0, static_cast<Gdiplus::REAL>(box.Width()),
                                static_cast<Gdiplus::REAL>(box.Height()));
    const INT fontStyle = style.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
    if (gdip::GdipAddPathString(path.get(), text.c_str(), static_cast<INT>(text.size()), family, fontStyle,
                                static_cast<Gdiplus::REAL>(style.size), &layout, format.get()) != Gdiplus::Ok) {
        return;
    }
    ScopedMatrix placement;
    if (gdip::GdipCreateMatrix2(1, 0, 0, 1, static_cast<Gdiplus::REAL>(box.left),
                                static_cast<Gdiplus::REAL>(box.top), placement.out()) != Gdiplus::Ok ||
        gdip::GdipTransformPath(path.get(), placement.get()) != Gdiplus::Ok) {
        return;
    }

    // The widest stroke goes last, so the 62s pile up next to the glyphs and
    // the halo fades outwards.
    const ARGB halo = ToArgb(kHaloAlpha, style.shadow.red, style.shadow.green, style.shadow.blue);
    for (int width = 1; width < style.shadowHeight; ++width) {
        ScopedPen pen;
        if (gdip::GdipCreatePen1(halo, static_cast<Gdiplus::REAL>(width), Gdiplus::UnitWorld, pen.out()) !=
            Gdiplus::Ok) {
            break;
        }
        gdip::GdipSetPenLineJoin(pen.get(), Gdiplus::LineJoinRound);
        gdip::GdipDrawPath(graphics, pen.get(), path.get());
    }

    ScopedSolidBrush fill;
    if (gdip::GdipCreateSolidFill(ToArgb(255, style.color.red, style.color.green, style.color.blue), fill.out()) ==
        Gdiplus::Ok) {
        gdip::GdipFillPath(graphics, fill.get(), path.get());
    }
}

void DrawRing(Gdiplus::GpGraphics* graphics, const DisplayEllipse& ring) {
    if (ring.box.Width() <= 0 || ring.box.Height() <= 0) return;
    ScopedPen pen;
    if (gdip::GdipCreatePen1(ToArgb(ring.color), static_cast<Gdiplus::REAL>(ring.penWidth), Gdiplus::UnitWorld,
                             pen.out()) != Gdiplus::Ok) {
        return;
    }
    gdip::GdipDrawEllipseI(graphics, pen.get(), ring.box.left, ring.box.top, static_cast<INT>(ring.box.Width()),
                           static_cast<INT>(ring.box.Height()));
}

void DrawDot(Gdiplus::GpGraphics* graphics, const DisplayDot& dot) {
    if (dot.box.Width() <= 0 || dot.box.Height() <= 0) return;
    ScopedSolidBrush brush;
    if (gdip::GdipCreateSolidFill(ToArgb(dot.color), brush.out()) != Gdiplus::Ok) return;
    gdip::GdipFillEllipseI(graphics, brush.get(), dot.box.left, dot.box.top, static_cast<INT>(dot.box.Width()),
                           static_cast<INT>(dot.box.Height()));
}

// The picture is exactly the surface's size, so drawing it onto the empty
// surface is a copy; copying its pixels converted to premultiplied ARGB gives
// the same picture without a resampling pass (which under Wine costs more
// than the whole rest of the month).
bool CopyPicture(Gdiplus::GpBitmap* picture, LayeredSurface& surface) {
    const Gdiplus::Rect all(0, 0, surface.width(), surface.height());
    Gdiplus::BitmapData data{};
    data.Width = static_cast<UINT>(surface.width());
    data.Height = static_cast<UINT>(surface.height());
    data.Stride = surface.stride();
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = surface.bits();
    if (gdip::GdipBitmapLockBits(picture, &all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                 PixelFormat32bppPARGB, &data) != Gdiplus::Ok) {
        return false;
    }
    return gdip::GdipBitmapUnlockBits(picture, &data) == Gdiplus::Ok;
}

}  // namespace

SurfaceCanvas::SurfaceCanvas(LayeredSurface& surface) {
    if (surface.empty()) return;
    if (gdip::GdipCreateBitmapFromScan0(surface.width(), surface.height(), surface.stride(), PixelFormat32bppPARGB,
                                        surface.bits(), bitmap_.out()) != Gdiplus::Ok) {
        return;
    }
    if (gdip::GdipGetImageGraphicsContext(bitmap_.get(), graphics_.out()) != Gdiplus::Ok) {
        graphics_.reset();
        return;
    }
    gdip::GdipSetSmoothingMode(graphics_.get(), Gdiplus::SmoothingModeAntiAlias);
    gdip::GdipSetInterpolationMode(graphics_.get(), Gdiplus::InterpolationModeHighQualityBicubic);
    gdip::GdipSetPageUnit(graphics_.get(), Gdiplus::UnitPixel);
}

void DrawOutlinedText(Gdiplus::GpGraphics* graphics, const std::wstring& text, const TextStyle& style, const Rect& box,
                      HorizontalAlignment alignment) {
    ScopedFontFamily family = CreateFamily(WideFromGbk(style.family));
    DrawOutlinedTextWith(graphics, family.get(), text, style, box, alignment);
}

LayeredSurface RenderDisplayList(const DisplayList& list) {
    ScopedGdipBitmap background;
    const std::wstring path = WideFromGbk(list.backgroundPath);
    if (path.empty() || gdip::GdipCreateBitmapFromFile(path.c_str(), background.out()) != Gdiplus::Ok) {
        return LayeredSurface();
    }
    UINT width = 0, height = 0;
    gdip::GdipGetImageWidth(background.get(), &width);
    gdip::GdipGetImageHeight(background.get(), &height);
    LayeredSurface surface = LayeredSurface::Create(static_cast<int>(width), static_cast<int>(height));
    if (surface.empty()) return surface;
    const bool copied = CopyPicture(background.get(), surface);

    {
        SurfaceCanvas canvas(surface);
        if (!canvas.ok()) return LayeredSurface();
        Gdiplus::GpGraphics* graphics = canvas.graphics();
        if (!copied) gdip::GdipDrawImageRectI(graphics, background.get(), 0, 0, surface.width(), surface.height());

        FamilyCache families;
        for (const DisplayItem& item : list.items) {
            std::visit(
                [&](const auto& shape) {
                    using T = std::decay_t<decltype(shape)>;
                    if constexpr (std::is_same_v<T, DisplayText>) {
                        DrawOutlinedTextWith(graphics, families.Get(shape.style.family), WideFromGbk(shape.text),
                                             shape.style, shape.box, shape.alignment);
                    } else if constexpr (std::is_same_v<T, DisplayEllipse>) {
                        DrawRing(graphics, shape);
                    } else {
                        DrawDot(graphics, shape);
                    }
                },
                item);
        }
        gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
    }
    return surface;
}

bool PresentDisplayList(HWND window, const DisplayList& list) {
    const LayeredSurface surface = RenderDisplayList(list);
    return !surface.empty() && PresentLayered(window, surface);
}
