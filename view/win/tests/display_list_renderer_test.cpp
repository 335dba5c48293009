#include "view/win/display_list_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "base/file_system.h"
#include "tests/support/png_samples.h"
#include "view/kept_drawing.h"
#include "view/png_picture.h"

namespace {

std::uint32_t Alpha(std::uint32_t p) { return p >> 24; }
std::uint32_t Red(std::uint32_t p) { return (p >> 16) & 0xFF; }
std::uint32_t Green(std::uint32_t p) { return (p >> 8) & 0xFF; }
std::uint32_t Blue(std::uint32_t p) { return p & 0xFF; }

class RendererTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session_ = std::make_unique<GdiplusSession>(); }
    static void TearDownTestSuite() { session_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(session_->ok());
        // A skin may lie in a folder named in any script.
        folder_ = std::filesystem::temp_directory_path() / std::filesystem::u8path(u8"solvane-render 한글 😀");
        std::filesystem::create_directories(folder_);
    }

    // A 120 x 80 picture: transparent, with an opaque grey card inset by 10
    // pixels, like a skin's shaped background.
    std::filesystem::path Background() { return Picture("card.png", 120, 80, 0xFF808080u); }

    // Such a picture of any size and card colour.
    std::filesystem::path Picture(const std::string& name, int width, int height, std::uint32_t card) {
        LayeredSurface picture = LayeredSurface::Create(width, height);
        for (int y = height / 8; y < height - height / 8; ++y) {
            for (int x = width / 12; x < width - width / 12; ++x) {
                std::memcpy(picture.bits() + y * picture.stride() + x * 4, &card, 4);
            }
        }
        const std::filesystem::path path = folder_ / name;
        EXPECT_TRUE(SaveSurfacePng(picture, path.wstring()));
        return path;
    }

    // The card with one item drawn over it.
    LayeredSurface RenderedOverCard(const DisplayItem& item) {
        DisplayList list;
        list.backgroundPath = Background();
        list.items.push_back(item);
        return RenderDisplayList(list);
    }

    static std::unique_ptr<GdiplusSession> session_;
    std::filesystem::path folder_;
};

std::unique_ptr<GdiplusSession> RendererTest::session_;

// GDI+'s own decoding of a picture file, premultiplied.
std::vector<std::uint32_t> GdiplusPixels(const std::filesystem::path& path, int& width, int& height) {
    ScopedGdipBitmap bitmap;
    UINT w = 0, h = 0;
    if (gdip::GdipCreateBitmapFromFile(path.c_str(), bitmap.out()) != Gdiplus::Ok ||
        gdip::GdipGetImageWidth(bitmap.get(), &w) != Gdiplus::Ok ||
        gdip::GdipGetImageHeight(bitmap.get(), &h) != Gdiplus::Ok) {
        return {};
    }
    std::vector<std::uint32_t> pixels(static_cast<size_t>(w) * h);
    const Gdiplus::Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    Gdiplus::BitmapData data{};
    data.Width = w;
    data.Height = h;
    data.Stride = static_cast<INT>(w * 4);
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = pixels.data();
    if (gdip::GdipBitmapLockBits(bitmap.get(), &all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                 PixelFormat32bppPARGB, &data) != Gdiplus::Ok ||
        gdip::GdipBitmapUnlockBits(bitmap.get(), &data) != Gdiplus::Ok) {
        return {};
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return pixels;
}

TEST_F(RendererTest, EveryShippedPictureDecodedByTheProgramIsGdiplusDecodingOfIt) {
    const std::filesystem::path data = std::filesystem::path(SOLVANE_SOURCE_DIR) / "data" / "Ostrel";
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
        if (entry.path().extension() != ".png") continue;
        ++checked;
        const std::optional<PngPicture> own = ReadPngPicture(entry.path());
        ASSERT_TRUE(own) << entry.path();
        int width = 0, height = 0;
        const std::vector<std::uint32_t> system = GdiplusPixels(entry.path(), width, height);
        ASSERT_EQ(own->width, width) << entry.path();
        ASSERT_EQ(own->height, height) << entry.path();
        // The same pixels, premultiplied rounding included.
        EXPECT_TRUE(own->pixels == system) << entry.path();
    }
    EXPECT_GE(checked, 10);
}

TEST_F(RendererTest, APictureInAFormTheProgramDoesNotReadIsDecodedByGdiplus) {
    // One pixel of 16 bits a sample: opaque red.
    const std::string sixteenBits =
        png_samples::PngFile(png_samples::HeaderData(1, 1, 16, 6), "",
                             png_samples::StoredZlib(std::string("\0\xFF\xFF\0\0\0\0\xFF\xFF", 9)));
    const std::filesystem::path path = folder_ / "deep.png";
    ASSERT_TRUE(ReplaceFileAtomically(path, sixteenBits));
    ASSERT_FALSE(ReadPngPicture(path));
    SkinPicture picture;
    ASSERT_TRUE(picture.Load(path));
    EXPECT_EQ(picture.width(), 1);
    EXPECT_EQ(picture.pixels(), std::vector<std::uint32_t>{0xFFFF0000u});
    EXPECT_TRUE(picture.Bitmap());
    EXPECT_FALSE(picture.Load(folder_ / "no-such.png"));
    EXPECT_TRUE(picture.pixels().empty());
}

TEST_F(RendererTest, TheBackgroundGivesTheSurfaceItsSizeAndItsTransparency) {
    DisplayList list;
    list.backgroundPath = Background();
    const LayeredSurface surface = RenderDisplayList(list);
    ASSERT_FALSE(surface.empty());
    EXPECT_EQ(surface.width(), 120);
    EXPECT_EQ(surface.height(), 80);
    EXPECT_EQ(surface.PixelAt(2, 2), 0u);
    EXPECT_EQ(surface.PixelAt(60, 40), 0xFF808080u);
}

bool SamePixels(const LayeredSurface& a, const LayeredSurface& b) {
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.bits(), a.bits() + static_cast<size_t>(a.stride()) * a.height(), b.bits());
}

TEST_F(RendererTest, AKeptBackgroundIsThePictureDrawnAnewAtEveryScale) {
    struct Case {
        int dpi;
        int width, height;  // of the window
    };
    const Case cases[] = {{96, 120, 80}, {144, 180, 120}, {168, 210, 140}};
    Picture("card@2x.png", 240, 160, 0xFF4060A0u);  // what 175 % and more show
    for (const Case& c : cases) {
        DisplayList list;
        list.backgroundPath = Background();
        list.dpi = c.dpi;
        list.items.push_back(DisplayDot{{57, 37, 63, 43}, Color{255, 0, 0, 255}});
        BackgroundPictures kept;
        const LayeredSurface first = RenderDisplayList(list, nullptr, &kept);
        const LayeredSurface again = RenderDisplayList(list, nullptr, &kept);
        const LayeredSurface anew = RenderDisplayList(list);
        ASSERT_FALSE(anew.empty()) << c.dpi;
        EXPECT_EQ(anew.width(), c.width) << c.dpi;
        EXPECT_EQ(anew.height(), c.height) << c.dpi;
        EXPECT_TRUE(SamePixels(first, anew)) << c.dpi;
        EXPECT_TRUE(SamePixels(again, anew)) << c.dpi << ": the kept background under this month's items";
        EXPECT_EQ(kept.drawn(), 1) << c.dpi;
    }
}

TEST_F(RendererTest, At175PercentTheDoubleSizePictureIsReducedWithItsEdgesWhereTheyFall) {
    // The card of the 240 x 160 picture spans x 20 to 220 and y 20 to 140;
    // at seven eighths of it, 17.5 to 192.5 and 17.5 to 122.5.
    Picture("card@2x.png", 240, 160, 0xFF4060A0u);
    DisplayList list;
    list.backgroundPath = Background();
    list.dpi = 168;
    const LayeredSurface surface = RenderDisplayList(list);
    ASSERT_EQ(surface.width(), 210);
    ASSERT_EQ(surface.height(), 140);
    struct Case {
        int x, y;
        std::uint32_t alpha;
    };
    for (const Case& c : {Case{16, 70, 0}, Case{17, 70, 128}, Case{18, 70, 255}, Case{192, 70, 128}, Case{193, 70, 0},
                          Case{105, 17, 128}, Case{105, 122, 128}, Case{105, 123, 0}}) {
        EXPECT_EQ(Alpha(surface.PixelAt(c.x, c.y)), c.alpha) << c.x << "," << c.y;
    }
    EXPECT_EQ(surface.PixelAt(105, 70), 0xFF4060A0u) << "the card's own colour";
    const std::uint32_t edge = surface.PixelAt(17, 70);
    EXPECT_EQ(Red(edge), 0x20u) << "half the card's colour, premultiplied";
    EXPECT_EQ(Blue(edge), 0x50u);
}

TEST_F(RendererTest, ASurfaceGivenBackCarriesNothingOfTheMonthBefore) {
    DisplayList list;
    list.backgroundPath = Background();
    list.dpi = 144;
    list.items.push_back(DisplayDot{{57, 37, 63, 43}, Color{255, 0, 0, 255}});
    BackgroundPictures kept;
    LayeredSurface shown = RenderDisplayList(list, nullptr, &kept);
    const BYTE* memory = shown.bits();
    kept.GiveBack(std::move(shown));
    list.items.clear();
    const LayeredSurface next = RenderDisplayList(list, nullptr, &kept);
    EXPECT_EQ(next.bits(), memory) << "laid on the surface given back";
    EXPECT_TRUE(SamePixels(next, RenderDisplayList(list))) << "no dot of the month before";

    kept.GiveBack(LayeredSurface::Create(50, 50));
    list.dpi = 96;
    EXPECT_TRUE(SamePixels(RenderDisplayList(list, nullptr, &kept), RenderDisplayList(list))) << "another size";
}

TEST_F(RendererTest, ANewScaleOrAChangedPictureDrawsTheBackgroundAnew) {
    DisplayList list;
    list.backgroundPath = Background();
    BackgroundPictures kept;
    RenderDisplayList(list, nullptr, &kept);
    list.dpi = 144;
    EXPECT_EQ(RenderDisplayList(list, nullptr, &kept).width(), 180);
    EXPECT_EQ(kept.drawn(), 2) << "a DPI change";
    list.dpi = 96;
    EXPECT_EQ(RenderDisplayList(list, nullptr, &kept).width(), 120);
    EXPECT_EQ(kept.drawn(), 2) << "back at the earlier scale, its background is still kept";

    Picture("card.png", 132, 88, 0xFF20C040u);  // the skin's picture edited
    const LayeredSurface edited = RenderDisplayList(list, nullptr, &kept);
    EXPECT_EQ(kept.drawn(), 3);
    ASSERT_EQ(edited.width(), 132);
    EXPECT_EQ(edited.PixelAt(66, 44), 0xFF20C040u);

    list.backgroundPath = folder_ / "gone.png";
    EXPECT_TRUE(RenderDisplayList(list, nullptr, &kept).empty()) << "no picture, nothing kept shown";
}

TEST_F(RendererTest, AMissingBackgroundGivesNoPicture) {
    DisplayList list;
    list.backgroundPath = folder_ / "no-such.png";
    EXPECT_TRUE(RenderDisplayList(list).empty());
}

TEST_F(RendererTest, TheRingIsDrawnInItsColourWithAFourPixelPen) {
    const LayeredSurface surface = RenderedOverCard(DisplayEllipse{{30, 20, 70, 60}, Color{255, 255, 0, 0}, 4});
    ASSERT_FALSE(surface.empty());
    // On the ring, left and right of the centre; the middle stays grey.
    EXPECT_EQ(surface.PixelAt(30, 40), 0xFFFF0000u);
    EXPECT_EQ(surface.PixelAt(70, 40), 0xFFFF0000u);
    EXPECT_EQ(surface.PixelAt(50, 40), 0xFF808080u);
    // Four pixels wide: two inside the path and two outside.
    EXPECT_EQ(surface.PixelAt(31, 40), 0xFFFF0000u);
    EXPECT_EQ(surface.PixelAt(35, 40), 0xFF808080u);
}

TEST_F(RendererTest, AHalfTransparentRingOverTransparencyStaysHalfTransparent) {
    const LayeredSurface surface = RenderedOverCard(DisplayEllipse{{0, 0, 40, 40}, Color{155, 255, 0, 0}, 4});
    ASSERT_FALSE(surface.empty());
    const std::uint32_t onRing = surface.PixelAt(0, 20);  // outside the card
    EXPECT_NEAR(Alpha(onRing), 155, 2);
    EXPECT_NEAR(Red(onRing), 155, 2);  // premultiplied
    EXPECT_EQ(Green(onRing), 0u);
}

TEST_F(RendererTest, TheReminderDotIsAFilledCircle) {
    const LayeredSurface surface = RenderedOverCard(DisplayDot{{57, 37, 63, 43}, Color{255, 0, 0, 255}});
    ASSERT_FALSE(surface.empty());
    EXPECT_EQ(surface.PixelAt(60, 40), 0xFF0000FFu);
    EXPECT_EQ(surface.PixelAt(50, 40), 0xFF808080u);
}

struct InkCount {
    int fill = 0;  // opaque pixels of exactly the text colour
    int halo = 0;  // pixels tinted towards the halo colour
};

InkCount CountInk(const LayeredSurface& surface) {
    InkCount count;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const std::uint32_t p = surface.PixelAt(x, y);
            if (p == 0xFFFF0000u) ++count.fill;
            if (Blue(p) > Red(p) + 8 && Blue(p) > Green(p) + 8) ++count.halo;
        }
    }
    return count;
}

TEST_F(RendererTest, OutlinedTextHasAnOpaqueFillAndAFadingHalo) {
    DisplayList list;
    list.backgroundPath = Background();
    DisplayText text;
    text.text = "28 初一";
    text.box = {10, 10, 110, 70};
    text.style.family = "Tahoma";
    text.style.size = 24;
    text.style.bold = true;
    text.style.color = {255, 255, 0, 0};
    text.style.shadow = {255, 0, 0, 255};
    text.style.shadowHeight = 6;
    list.items.push_back(text);
    const LayeredSurface haloed = RenderDisplayList(list);
    ASSERT_FALSE(haloed.empty());
    const InkCount withHalo = CountInk(haloed);
    EXPECT_GT(withHalo.fill, 40);
    EXPECT_GT(withHalo.halo, 40);

    std::get<DisplayText>(list.items[0]).style.shadowHeight = 1;
    const InkCount plain = CountInk(RenderDisplayList(list));
    EXPECT_GT(plain.fill, 40);
    EXPECT_EQ(plain.halo, 0);
}

// The window lays each text from a picture of it kept between rebuilds; the
// month must look as when every text is drawn afresh, overlapping texts and
// texts running past the picture's edges included.
TEST_F(RendererTest, KeptTextPicturesLookLikeTextsDrawnInPlace) {
    DisplayList list;
    list.backgroundPath = Background();
    DisplayText text;
    text.style.family = "Tahoma";
    text.style.size = 18;
    text.style.color = {255, 250, 240, 200};
    text.style.shadow = {255, 20, 40, 160};
    text.style.shadowHeight = 6;
    for (const auto& [words, box] : {std::pair<std::string, Rect>{"2015 年", {10, 10, 110, 40}},
                                     {"初一", {-8, 40, 40, 70}},     // past the left edge
                                     {"30", {100, 60, 140, 95}},     // past the right and bottom edges
                                     {"腊月", {20, 25, 80, 55}}}) {  // over the first text
        text.text = words;
        text.box = box;
        list.items.push_back(text);
    }
    const LayeredSurface inPlace = RenderDisplayList(list);
    TextPictures pictures;
    const LayeredSurface first = RenderDisplayList(list, &pictures);
    EXPECT_EQ(pictures.drawn(), 4);
    // The next rebuild draws no text again, and moved texts keep their pictures.
    for (DisplayItem& item : list.items) {
        std::get<DisplayText>(item).box.top += 3;
        std::get<DisplayText>(item).box.bottom += 3;
    }
    const LayeredSurface moved = RenderDisplayList(list, &pictures);
    EXPECT_EQ(pictures.drawn(), 4);
    const LayeredSurface movedInPlace = RenderDisplayList(list);
    int largest = 0;
    for (const auto& [kept, reference] :
         {std::pair<const LayeredSurface*, const LayeredSurface*>{&first, &inPlace}, {&moved, &movedInPlace}}) {
        ASSERT_EQ(kept->width(), reference->width());
        for (int y = 1; y < kept->height() - 1; ++y) {
            for (int x = 1; x < kept->width() - 1; ++x) {
                const std::uint32_t a = kept->PixelAt(x, y), b = reference->PixelAt(x, y);
                int d = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    d = std::max(
                        d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
                }
                largest = std::max(largest, d);
            }
        }
    }
    EXPECT_LE(largest, 6);
    EXPECT_GT(CountInk(first).halo, 40);
}

// A start lays its first month from what the start before kept in its file
// (view/kept_drawing.h): the same month, every pixel, with nothing drawn.
TEST_F(RendererTest, AMonthLaidFromTheKeptDrawingIsTheMonthDrawnAnew) {
    DisplayList list;
    list.backgroundPath = Picture("double.png", 240, 160, 0xFF406080u);
    Picture("double@2x.png", 480, 320, 0xFF608040u);
    DisplayText text;
    text.style.family = "Tahoma";
    text.style.size = 15;
    text.style.shadowHeight = 5;
    for (const auto& [words, box] :
         {std::pair<std::string, Rect>{"初一", {10, 10, 60, 40}}, {"24", {70, 10, 110, 40}}}) {
        text.text = words;
        text.box = box;
        list.items.push_back(text);
    }
    list.items.push_back(DisplayDot{{50, 50, 56, 56}, {255, 200, 0, 0}});
    for (const int dpi : {96, 168}) {  // the picture itself, and the double-size one made smaller
        SCOPED_TRACE(dpi);
        list.dpi = dpi;
        TextPictures pictures;
        BackgroundPictures backgrounds;
        const LayeredSurface drawn = RenderDisplayList(list, &pictures, &backgrounds);
        ASSERT_FALSE(drawn.empty());
        KeptDrawingRefs kept;
        kept.backgrounds.push_back(backgrounds.Latest());
        pictures.VisitRecent(
            2, [&](const TextPictureKey& key, const TextPicture& picture) { kept.texts.emplace_back(&key, &picture); });
        const std::filesystem::path file = folder_ / "drawing.cache";
        ASSERT_TRUE(WriteKeptDrawingFile(file, "stamp", kept));

        const KeptDrawing read = ReadKeptDrawingFile(file, "stamp");
        TextPictures laterPictures;
        BackgroundPictures laterBackgrounds;
        for (const KeptBackground& b : read.backgrounds) laterBackgrounds.KeepEarlier(b);
        for (const auto& [key, picture] : read.texts) laterPictures.KeepEarlier(key, picture);
        const LayeredSurface laid = RenderDisplayList(list, &laterPictures, &laterBackgrounds);
        EXPECT_EQ(laterPictures.drawn() + laterBackgrounds.drawn(), 0);
        ASSERT_EQ(laid.width(), drawn.width());
        ASSERT_EQ(laid.height(), drawn.height());
        EXPECT_EQ(std::memcmp(laid.bits(), drawn.bits(), static_cast<size_t>(drawn.stride()) * drawn.height()), 0);

        // The skin's picture changed since: its background is drawn again.
        std::filesystem::last_write_time(list.backgroundPath,
                                         std::filesystem::last_write_time(list.backgroundPath) + std::chrono::hours(1));
        BackgroundPictures afterChange;
        for (const KeptBackground& b : read.backgrounds) afterChange.KeepEarlier(b);
        RenderDisplayList(list, &laterPictures, &afterChange);
        EXPECT_EQ(afterChange.drawn(), 1);
    }
}

// A 12-pixel Chinese character keeps every stroke, however its strokes fall
// on the pixel rows: 三 drawn at a few heights shows three bands of ink, each
// stroke's ink shared by the rows it crosses instead of dropped or doubled.
TEST_F(RendererTest, SmallChineseTextKeepsEveryStroke) {
    const std::filesystem::path background = Background();
    for (const int top : {20, 21, 22, 23}) {
        DisplayList list;
        list.backgroundPath = background;
        DisplayText text;
        text.text = "三";
        text.box = {40, top, 80, top + 24};
        text.style.family = "Microsoft YaHei";
        text.style.size = 12;
        text.style.color = {255, 0, 0, 0};
        text.style.shadowHeight = 0;
        list.items.push_back(text);
        const LayeredSurface surface = RenderDisplayList(list);
        ASSERT_FALSE(surface.empty());
        // How dark each row is, then the bands of rows darker than the card.
        int bands = 0;
        bool inBand = false;
        for (int y = 10; y < 70; ++y) {
            int darkest = 0;
            for (int x = 40; x < 80; ++x)
                darkest = std::max(darkest, 0x80 - static_cast<int>(Red(surface.PixelAt(x, y))));
            if (darkest > 24 && !inBand) ++bands;
            inBand = darkest > 24;
        }
        EXPECT_EQ(bands, 3) << "三 drawn at " << top;
    }
}

TEST_F(RendererTest, KeptPicturesMakeRoomByForgettingTheOneUsedLongestAgo) {
    TextPictures pictures(3);
    const auto key = [](const char* text) {
        TextPictureKey k;
        k.text = text;
        return k;
    };
    for (const char* text : {"一", "二", "三"}) pictures.Add(key(text), TextPicture{});
    ASSERT_NE(pictures.Find(key("一")), nullptr);  // used again: now the newest
    pictures.Add(key("四"), TextPicture{});
    EXPECT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures.Find(key("二")), nullptr) << "the one used longest ago made room";
    for (const char* text : {"一", "三", "四"}) EXPECT_NE(pictures.Find(key(text)), nullptr) << text;
    EXPECT_EQ(pictures.drawn(), 4);
}

// Ink bounds of a red "8" drawn in `box`: left, right, top, bottom.
std::array<int, 4> InkOfEight(const std::filesystem::path& background, const Rect& box, HorizontalAlignment alignment) {
    DisplayList list;
    list.backgroundPath = background;
    DisplayText text;
    text.text = "8";
    text.box = box;
    text.style.size = 20;
    text.style.color = {255, 255, 0, 0};
    text.style.shadowHeight = 0;
    text.alignment = alignment;
    list.items.push_back(text);
    const LayeredSurface surface = RenderDisplayList(list);
    std::array<int, 4> ink{surface.width(), -1, surface.height(), -1};
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (Red(surface.PixelAt(x, y)) > 200 && Green(surface.PixelAt(x, y)) < 60) {
                ink = {std::min(ink[0], x), std::max(ink[1], x), std::min(ink[2], y), std::max(ink[3], y)};
            }
        }
    }
    return ink;
}

TEST_F(RendererTest, TextIsCentredOrAlignedInItsBox) {
    const std::filesystem::path background = Background();
    const auto centred = InkOfEight(background, {10, 10, 110, 70}, HorizontalAlignment::kCenter);
    EXPECT_NEAR((centred[0] + centred[1]) / 2, 60, 4);
    EXPECT_NEAR((centred[2] + centred[3]) / 2, 40, 4);
    EXPECT_LT(InkOfEight(background, {10, 10, 110, 70}, HorizontalAlignment::kLeft)[0], 20);
    EXPECT_GT(InkOfEight(background, {10, 10, 110, 70}, HorizontalAlignment::kRight)[1], 100);
}

TEST_F(RendererTest, TextLowInThePictureIsCentredInItsBoxToo) {
    const auto low = InkOfEight(Background(), {60, 40, 120, 80}, HorizontalAlignment::kCenter);
    EXPECT_NEAR((low[0] + low[1]) / 2, 90, 4);
    EXPECT_NEAR((low[2] + low[3]) / 2, 60, 4);
}

TEST_F(RendererTest, EveryPixelIsPremultiplied) {
    DisplayList list;
    list.backgroundPath = Background();
    list.items.push_back(DisplayEllipse{{0, 0, 120, 80}, Color{100, 255, 255, 255}, 4});
    DisplayText text;
    text.text = "腊月";
    text.box = {0, 0, 120, 30};
    text.style.color = {255, 255, 255, 255};
    text.style.shadow = {255, 255, 255, 0};
    list.items.push_back(text);
    const LayeredSurface surface = RenderDisplayList(list);
    ASSERT_FALSE(surface.empty());
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const std::uint32_t p = surface.PixelAt(x, y);
            ASSERT_LE(Red(p), Alpha(p)) << x << "," << y;
            ASSERT_LE(Green(p), Alpha(p)) << x << "," << y;
            ASSERT_LE(Blue(p), Alpha(p)) << x << "," << y;
        }
    }
}

TEST_F(RendererTest, ALayeredWindowTakesTheSurfaceInOneUpdate) {
    DisplayList list;
    list.backgroundPath = Background();
    const LayeredSurface surface = RenderDisplayList(list);
    ASSERT_FALSE(surface.empty());
    HWND window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 50, 60, 10, 10, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ScopedWindow owner(window);
    EXPECT_TRUE(PresentLayered(window, surface));
    RECT placed{};
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.left, 50);
    EXPECT_EQ(placed.top, 60);
    EXPECT_EQ(placed.right - placed.left, 120);
    EXPECT_EQ(placed.bottom - placed.top, 80);
    EXPECT_FALSE(PresentLayered(window, LayeredSurface()));
}

TEST_F(RendererTest, AWindowKeepsItsPictureWhenTheNewBackgroundIsMissing) {
    HWND window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 50, 60, 10, 10, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ScopedWindow owner(window);
    DisplayList list;
    list.backgroundPath = Background();
    EXPECT_TRUE(PresentDisplayList(window, list));
    list.backgroundPath = folder_ / "gone.png";
    EXPECT_FALSE(PresentDisplayList(window, list));
    RECT placed{};
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.right - placed.left, 120);
}

}  // namespace
