#include "view/win/display_list_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <type_traits>

#include "base/win/gbk_text.h"
#include "view/dpi_scale.h"
#include "view/outlined_text_pixels.h"
#include "view/picture_downscale.h"
#include "view/png_picture.h"
#include "view/png_size.h"
#include "view/shape_pictures.h"

namespace {

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

// Glyph outlines are laid out at this em size, or the style's when larger,
// and scaled down to the style's. A rasteriser that hints outlines (Wine's
// GDI+ asks FreeType for them at the layout size) moves stems by up to half a
// pixel of the layout size: at 12 pixels that drops or merges the strokes of
// Chinese characters, at 256 it moves them by a fiftieth of a pixel once
// scaled. Windows' GDI+ makes unhinted outlines at any size, so both draw the
// same shapes; the advances and line heights are rounded at the large size
// too, so the letter spacing is the font's own.
constexpr Gdiplus::REAL kOutlineLayoutEm = 256;

// The text's glyph outline laid out in a box of the given size at the origin.
bool BuildTextPath(Gdiplus::GpFontFamily* family, const std::wstring& text, const TextStyle& style, const Rect& box,
                   HorizontalAlignment alignment, ScopedPath& path) {
    // GDI+ takes a zero-sized layout box as "no bounds"; a box the template
    // squeezed to nothing shows nothing instead.
    if (!family || text.empty() || box.Width() <= 0 || box.Height() <= 0 || style.size <= 0) return false;

    ScopedStringFormat format;
    if (gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, format.out()) != Gdiplus::Ok) return false;
    gdip::GdipSetStringFormatAlign(format.get(), ToStringAlignment(alignment));
    gdip::GdipSetStringFormatLineAlign(format.get(), Gdiplus::StringAlignmentCenter);
    // One line per box: a name too long for its cell ends in an ellipsis
    // instead of wrapping into lines that would cover the neighbouring rows.
    gdip::GdipSetStringFormatFlags(format.get(), Gdiplus::StringFormatFlagsNoWrap);
    gdip::GdipSetStringFormatTrimming(format.get(), Gdiplus::StringTrimmingEllipsisCharacter);

    // The text is laid out in a box at the origin and the outline then moved
    // into place: the same outline, and Wine's GDI+ centres lines vertically
    // only in boxes near the top of the picture.
    // A box lower than a line (the day numbers of a six-week month) is laid
    // out as a line-high box about the same centre: GDI+ would otherwise put
    // the line's top on the box's top, below the box's centre where the
    // today ring is drawn.
    if (gdip::GdipCreatePath(Gdiplus::FillModeWinding, path.out()) != Gdiplus::Ok) return false;
    const Gdiplus::REAL em = static_cast<Gdiplus::REAL>(style.size);
    const Gdiplus::REAL enlarge = std::max(kOutlineLayoutEm / em, static_cast<Gdiplus::REAL>(1));
    const Gdiplus::REAL height = std::max(static_cast<Gdiplus::REAL>(box.Height()), 2 * em);
    const Gdiplus::RectF layout(0, (static_cast<Gdiplus::REAL>(box.Height()) - height) / 2 * enlarge,
                                static_cast<Gdiplus::REAL>(box.Width()) * enlarge, height * enlarge);
    const INT fontStyle = style.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
    if (gdip::GdipAddPathString(path.get(), text.c_str(), static_cast<INT>(text.size()), family, fontStyle,
                                em * enlarge, &layout, format.get()) != Gdiplus::Ok) {
        return false;
    }
    if (enlarge == 1) return true;
    ScopedMatrix reduce;
    return gdip::GdipCreateMatrix2(1 / enlarge, 0, 0, 1 / enlarge, 0, 0, reduce.out()) == Gdiplus::Ok &&
           gdip::GdipTransformPath(path.get(), reduce.get()) == Gdiplus::Ok;
}

bool MovePath(Gdiplus::GpPath* path, int dx, int dy) {
    ScopedMatrix placement;
    return gdip::GdipCreateMatrix2(1, 0, 0, 1, static_cast<Gdiplus::REAL>(dx), static_cast<Gdiplus::REAL>(dy),
                                   placement.out()) == Gdiplus::Ok &&
           gdip::GdipTransformPath(path, placement.get()) == Gdiplus::Ok;
}

// The outline's figures as straight lines, for measuring distances from it.
std::vector<OutlineFigure> FlattenedFigures(Gdiplus::GpPath* path) {
    std::vector<OutlineFigure> figures;
    ScopedPath flat;
    if (gdip::GdipClonePath(path, flat.out()) != Gdiplus::Ok ||
        gdip::GdipFlattenPath(flat.get(), nullptr, 0.25f) != Gdiplus::Ok) {
        return figures;
    }
    INT count = 0;
    if (gdip::GdipGetPointCount(flat.get(), &count) != Gdiplus::Ok || count <= 0) return figures;
    std::vector<Gdiplus::PointF> points(static_cast<size_t>(count));
    std::vector<BYTE> types(static_cast<size_t>(count));
    if (gdip::GdipGetPathPoints(flat.get(), points.data(), count) != Gdiplus::Ok ||
        gdip::GdipGetPathTypes(flat.get(), types.data(), count) != Gdiplus::Ok) {
        return figures;
    }
    for (size_t i = 0; i < points.size(); ++i) {
        if ((types[i] & Gdiplus::PathPointTypePathTypeMask) == Gdiplus::PathPointTypeStart || figures.empty()) {
            figures.emplace_back();
        }
        figures.back().push_back(OutlinePoint{points[i].X, points[i].Y});
    }
    return figures;
}

// One text drawn on its own transparent picture at the origin: its box moved
// to (-left, -top) of the picture, the picture reaching past the outline by
// the halo's widest stroke. GDI+ lays out the outline; the halo and the fill
// are drawn from it in one pass, anti-aliased on every system
// (view/outlined_text_pixels.h).
TextPicture DrawTextPicture(Gdiplus::GpFontFamily* family, const std::wstring& text, const TextStyle& style,
                            const Rect& box, HorizontalAlignment alignment) {
    TextPicture picture;
    ScopedPath path;
    if (!BuildTextPath(family, text, style, box, alignment, path)) return picture;
    Gdiplus::RectF bounds;
    if (gdip::GdipGetPathWorldBounds(path.get(), &bounds, nullptr, nullptr) != Gdiplus::Ok) return picture;
    const int margin = std::max(style.shadowHeight, 0) + 2;
    picture.left = static_cast<int>(std::floor(bounds.X)) - margin;
    picture.top = static_cast<int>(std::floor(bounds.Y)) - margin;
    picture.width = static_cast<int>(std::ceil(bounds.X + bounds.Width)) + margin - picture.left;
    picture.height = static_cast<int>(std::ceil(bounds.Y + bounds.Height)) + margin - picture.top;
    if (picture.width <= 0 || picture.height <= 0 || picture.width > 4096 || picture.height > 4096) {
        return TextPicture();
    }
    // Moved by whole pixels, the outline falls on the pixels the same way as
    // in its place on the month: the picture is the one drawn there.
    if (!MovePath(path.get(), -picture.left, -picture.top)) return TextPicture();
    picture.pixels = DrawOutlinedTextPixels(FlattenedFigures(path.get()), picture.width, picture.height, style);
    return picture;
}

// Source-over of premultiplied pixels, clipped to the surface.
void LayPicture(const TextPicture& picture, int left, int top, LayeredSurface& surface) {
    const int x0 = std::max(0, -left), y0 = std::max(0, -top);
    const int x1 = std::min(picture.width, surface.width() - left);
    const int y1 = std::min(picture.height, surface.height() - top);
    for (int y = y0; y < y1; ++y) {
        const std::uint32_t* from = &picture.pixels[static_cast<size_t>(y) * picture.width];
        BYTE* to = surface.bits() + static_cast<size_t>(top + y) * surface.stride() + static_cast<size_t>(left) * 4;
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t source = from[x];
            const std::uint32_t alpha = source >> 24;
            if (alpha == 0) continue;
            BYTE* pixel = to + static_cast<size_t>(x) * 4;
            if (alpha == 255) {  // opaque: what lies below shows nothing
                std::memcpy(pixel, &source, 4);
                continue;
            }
            const std::uint32_t keep = 255 - alpha;
            for (int channel = 0; channel < 4; ++channel) {
                const std::uint32_t value = (source >> (8 * channel)) & 0xFF;
                pixel[channel] = static_cast<BYTE>(value + pixel[channel] * keep / 255);
            }
        }
    }
}

// A text's or a shape's picture laid where its box lies.
void LayAtBox(const TextPicture& picture, const Rect& box, LayeredSurface& surface) {
    if (!picture.pixels.empty()) LayPicture(picture, box.left + picture.left, box.top + picture.top, surface);
}

// The text's kept picture, drawn and kept first when there is none; without
// `pictures`, drawn into `unkept`.
const TextPicture& TextPictureOf(const DisplayText& text, TextPictures* pictures, FamilyCache& families,
                                 GdiplusSession* library, TextPicture& unkept) {
    const TextPictureKey key{text.text, text.style, static_cast<int>(text.box.Width()),
                             static_cast<int>(text.box.Height()), text.alignment};
    if (const TextPicture* kept = pictures ? pictures->Find(key) : nullptr) return *kept;
    if (library) library->Start();
    TextPicture drawn =
        DrawTextPicture(families.Get(text.style.family), WideFromGbk(text.text), text.style, text.box, text.alignment);
    return pictures ? pictures->Add(key, std::move(drawn)) : (unkept = std::move(drawn));
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

void DrawOutlinedText(LayeredSurface& surface, Gdiplus::GpGraphics* graphics, const std::wstring& text,
                      const TextStyle& style, const Rect& box, HorizontalAlignment alignment) {
    ScopedFontFamily family = CreateFamily(WideFromGbk(style.family));
    const TextPicture picture = DrawTextPicture(family.get(), text, style, box, alignment);
    if (picture.pixels.empty()) return;
    if (graphics) gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);  // what lies below is drawn
    LayAtBox(picture, box, surface);
}

bool SkinPicture::Load(const std::filesystem::path& path) {
    bitmap_.reset();
    pixels_.clear();
    width_ = height_ = 0;
    if (std::optional<PngPicture> decoded = ReadPngPicture(path)) {
        width_ = decoded->width;
        height_ = decoded->height;
        pixels_ = std::move(decoded->pixels);
        return true;
    }
    UINT width = 0, height = 0;
    if (gdip::GdipCreateBitmapFromFile(path.c_str(), bitmap_.out()) != Gdiplus::Ok || !bitmap_ ||
        gdip::GdipGetImageWidth(bitmap_.get(), &width) != Gdiplus::Ok ||
        gdip::GdipGetImageHeight(bitmap_.get(), &height) != Gdiplus::Ok || width == 0 || height == 0) {
        bitmap_.reset();
        return false;
    }
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    pixels_.resize(static_cast<size_t>(width) * height);
    const Gdiplus::Rect all(0, 0, width_, height_);
    Gdiplus::BitmapData data{};
    data.Width = width;
    data.Height = height;
    data.Stride = width_ * 4;
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = pixels_.data();
    if (gdip::GdipBitmapLockBits(bitmap_.get(), &all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                 PixelFormat32bppPARGB, &data) != Gdiplus::Ok ||
        gdip::GdipBitmapUnlockBits(bitmap_.get(), &data) != Gdiplus::Ok) {
        pixels_.clear();
    }
    return true;
}

Gdiplus::GpBitmap* SkinPicture::Bitmap() {
    if (!bitmap_ && !pixels_.empty() &&
        gdip::GdipCreateBitmapFromScan0(width_, height_, width_ * 4, PixelFormat32bppPARGB,
                                        reinterpret_cast<BYTE*>(pixels_.data()), bitmap_.out()) != Gdiplus::Ok) {
        bitmap_.reset();
    }
    return bitmap_.get();
}

// The picture is exactly the surface's size, so drawing it onto the empty
// surface is a copy; a larger one (the double-size one at 175 %) is made
// smaller by the means of its areas (view/picture_downscale.h) instead of
// GDI+'s bicubic resampling, which under Wine took longer than all the rest
// of a month's first drawing.
bool SkinPicture::CopyInto(LayeredSurface& surface) const {
    if (pixels_.empty() || surface.width() > width_ || surface.height() > height_) return false;
    const std::vector<std::uint32_t> reduced =
        surface.width() == width_ && surface.height() == height_
            ? std::vector<std::uint32_t>()
            : DownscaleByArea(pixels_, width_, height_, surface.width(), surface.height());
    const std::vector<std::uint32_t>& from = reduced.empty() ? pixels_ : reduced;
    if (from.size() != static_cast<size_t>(surface.width()) * surface.height()) return false;
    for (int y = 0; y < surface.height(); ++y) {
        std::memcpy(surface.bits() + static_cast<size_t>(y) * surface.stride(),
                    &from[static_cast<size_t>(y) * surface.width()], static_cast<size_t>(surface.width()) * 4);
    }
    return true;
}

int VirtualScreenWidth() { return std::max(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CXSCREEN)); }
int VirtualScreenHeight() { return std::max(GetSystemMetrics(SM_CYVIRTUALSCREEN), GetSystemMetrics(SM_CYSCREEN)); }

namespace {

// The list's background picture on a new surface of the window's size at the
// list's DPI; empty when the picture cannot be loaded.
LayeredSurface DrawBackground(const DisplayList& list) {
    const std::filesystem::path& path = list.backgroundPath;
    if (path.empty()) return LayeredSurface();
    SkinPicture background;
    // From 175 % on, the skin's double-size picture where it has one.
    bool doubleSize = false;
    // Only a sound PNG no larger than the screens reaches a decoder; the
    // double-size one may be twice that, as it is shown at half its size.
    if (list.dpi >= kDoubleSizePictureDpi) {
        const std::filesystem::path larger = DoubleSizePicturePath(path);
        doubleSize =
            IsAcceptablePicture(larger, 2 * VirtualScreenWidth(), 2 * VirtualScreenHeight()) && background.Load(larger);
    }
    if (!doubleSize &&
        (!IsAcceptablePicture(path, VirtualScreenWidth(), VirtualScreenHeight()) || !background.Load(path))) {
        return LayeredSurface();
    }
    // The window's size is the 96-DPI picture's, scaled like everything on it.
    const int baseWidth = doubleSize ? (background.width() + 1) / 2 : background.width();
    const int baseHeight = doubleSize ? (background.height() + 1) / 2 : background.height();
    LayeredSurface surface =
        LayeredSurface::Create(ScaleForDpi(baseWidth, list.dpi), ScaleForDpi(baseHeight, list.dpi));
    if (surface.empty() || background.CopyInto(surface)) return surface;
    // Enlarged (150 %, or beyond twice the size) through GDI+'s bicubic
    // resampling.
    SurfaceCanvas canvas(surface);
    if (!canvas.ok() || !background.Bitmap()) return LayeredSurface();
    gdip::GdipDrawImageRectI(canvas.graphics(), background.Bitmap(), 0, 0, surface.width(), surface.height());
    gdip::GdipFlush(canvas.graphics(), Gdiplus::FlushIntentionSync);
    return surface;
}

// The window's picture and the one before (another skin, say, or the light
// one while Windows is dark): enough for switching back.
constexpr size_t kMostBackgroundsKept = 2;

}  // namespace

LayeredSurface BackgroundPictures::SurfaceFor(const DisplayList& list, GdiplusSession* library) {
    const std::optional<FileStamp> picture = ReadFileStamp(list.backgroundPath);
    const std::optional<FileStamp> doubleSize =
        list.dpi >= kDoubleSizePictureDpi ? ReadFileStamp(DoubleSizePicturePath(list.backgroundPath)) : std::nullopt;
    auto found = std::find_if(kept_.begin(), kept_.end(), [&](const KeptBackground& k) {
        return k.path == list.backgroundPath && k.dpi == list.dpi && k.picture == picture && k.doubleSize == doubleSize;
    });
    if (found == kept_.end()) {
        if (library) library->Start();
        LayeredSurface drawn = DrawBackground(list);
        ++drawn_;
        if (drawn.empty()) return drawn;
        if (kept_.size() >= kMostBackgroundsKept) kept_.pop_back();
        // A surface's rows lie one after the other (its stride is its width's).
        const auto* bits = reinterpret_cast<const std::uint32_t*>(drawn.bits());
        kept_.push_front(KeptBackground{
            list.backgroundPath, list.dpi, picture, doubleSize, drawn.width(), drawn.height(),
            std::vector<std::uint32_t>(bits, bits + static_cast<size_t>(drawn.width()) * drawn.height())});
        return drawn;
    }
    kept_.splice(kept_.begin(), kept_, found);
    const KeptBackground& k = kept_.front();
    LayeredSurface surface = spare_.width() == k.width && spare_.height() == k.height
                                 ? std::move(spare_)
                                 : LayeredSurface::Create(k.width, k.height);
    spare_ = LayeredSurface();
    if (!surface.empty()) std::memcpy(surface.bits(), k.pixels.data(), k.pixels.size() * 4);
    return surface;
}

void BackgroundPictures::KeepEarlier(KeptBackground background) {
    if (kept_.size() >= kMostBackgroundsKept || background.width <= 0 || background.height <= 0 ||
        background.pixels.size() != static_cast<size_t>(background.width) * static_cast<size_t>(background.height)) {
        return;
    }
    kept_.push_back(std::move(background));
}

void DrawTextPicturesOf(const DisplayList& list, TextPictures& pictures, GdiplusSession* library) {
    FamilyCache families;
    TextPicture unkept;
    for (const DisplayItem& item : list.items) {
        if (const auto* text = std::get_if<DisplayText>(&item))
            TextPictureOf(*text, &pictures, families, library, unkept);
    }
}

LayeredSurface RenderDisplayList(const DisplayList& list, TextPictures* pictures, BackgroundPictures* backgrounds,
                                 GdiplusSession* library) {
    if (list.backgroundPath.empty()) return LayeredSurface();
    LayeredSurface surface;
    if (backgrounds) {
        surface = backgrounds->SurfaceFor(list, library);
    } else {
        if (library) library->Start();
        surface = DrawBackground(list);
    }
    if (surface.empty()) return surface;
    // Everything is laid on the surface's pixels by the program itself, in
    // the list's order; GDI+ only lays out the outlines of texts not kept.
    FamilyCache families;
    for (const DisplayItem& item : list.items) {
        std::visit(
            [&](const auto& shape) {
                using T = std::decay_t<decltype(shape)>;
                if constexpr (std::is_same_v<T, DisplayText>) {
                    TextPicture unkept;
                    LayAtBox(TextPictureOf(shape, pictures, families, library, unkept), shape.box, surface);
                } else if constexpr (std::is_same_v<T, DisplayEllipse>) {
                    LayAtBox(RingPicture(shape.box, shape.penWidth, shape.color), shape.box, surface);
                } else if constexpr (std::is_same_v<T, DisplayBand>) {
                    LayAtBox(BandPicture(shape.box, shape.color), shape.box, surface);
                } else {
                    LayAtBox(DotPicture(shape.box, shape.color), shape.box, surface);
                }
            },
            item);
    }
    return surface;
}

bool PresentDisplayList(HWND window, const DisplayList& list, TextPictures* pictures) {
    const LayeredSurface surface = RenderDisplayList(list, pictures);
    return !surface.empty() && PresentLayered(window, surface);
}
