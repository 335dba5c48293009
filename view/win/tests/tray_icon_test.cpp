#include "view/win/tray_icon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "base/win/gdiplus_scoped.h"
#include "view/win/font_families.h"
#include "view/win/layered_surface.h"

namespace {

namespace fs = std::filesystem;

struct Pixel {
    BYTE blue, green, red, alpha;
};

// The icon's colour image, `size` pixels square, top row first, straight alpha.
std::vector<Pixel> IconPixels(HICON icon, int size = 16) {
    std::vector<Pixel> pixels(size * size);
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    ScopedBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = size;
    format.bmiHeader.biHeight = -size;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    ScopedWindowDc screen(nullptr);
    if (GetDIBits(screen.get(), colour.get(), 0, size, pixels.data(), &format, DIB_RGB_COLORS) != size) return {};
    return pixels;
}

// Keeps the icon as a build artefact, 16 x 16 and straight alpha as PNG wants.
void SaveArtefact(const std::vector<Pixel>& pixels, const std::string& name) {
    LayeredSurface surface = LayeredSurface::Create(16, 16);
    for (int i = 0; i < 256; ++i) {
        const Pixel& p = pixels[i];
        const std::uint32_t premultiplied = (std::uint32_t{p.alpha} << 24) | ((p.red * p.alpha / 255) << 16) |
                                            ((p.green * p.alpha / 255) << 8) | (p.blue * p.alpha / 255);
        std::memcpy(surface.bits() + i * 4, &premultiplied, 4);
    }
    const fs::path folder = fs::path(SOLVANE_BINARY_DIR) / "artifacts";
    fs::create_directories(folder);
    SaveSurfacePng(surface, (folder / (name + ".png")).wstring());
}

struct Box {
    int left = 16, top = 16, right = -1, bottom = -1;
    bool empty() const { return right < left; }
};

// Where pixels close to the number's fill colour are.
Box InkOf(const std::vector<Pixel>& pixels, BYTE red, BYTE green, BYTE blue) {
    Box box;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const Pixel& p = pixels[y * 16 + x];
            if (p.alpha > 200 && std::abs(p.red - red) < 40 && std::abs(p.green - green) < 40 &&
                std::abs(p.blue - blue) < 40) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

class TrayIconTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session_ = std::make_unique<GdiplusSession>(); }
    static void TearDownTestSuite() { session_.reset(); }

    // The shipped templates, read as the program reads them beside itself.
    static TrayTemplate Shipped(const std::string& name) {
        return LoadTrayTemplate(fs::path(SOLVANE_SOURCE_DIR) / "data", name, InstalledFontFamilies());
    }

    std::vector<Pixel> Render(const TrayTemplate& tray, int day) {
        ScopedIcon icon(RenderTrayDayIcon(tray, day));
        EXPECT_TRUE(icon);
        return icon ? IconPixels(icon.get()) : std::vector<Pixel>();
    }

    static std::unique_ptr<GdiplusSession> session_;
};

std::unique_ptr<GdiplusSession> TrayIconTest::session_;

TEST_F(TrayIconTest, EachShippedTemplateShowsTheDayNumberCentredInItsBox) {
    struct Case {
        const char* name;
        BYTE red, green, blue;  // FONT_COLOR
        int top, bottom;        // RECT's vertical extent within the icon
    };
    for (const Case& c : {Case{"RedPage", 34, 34, 34, 3, 16}, Case{"BlueTile", 255, 255, 255, 0, 16},
                          Case{"NightMoon", 255, 220, 140, 0, 16}}) {
        SCOPED_TRACE(c.name);
        for (int day : {1, 28}) {
            const std::vector<Pixel> pixels = Render(Shipped(c.name), day);
            ASSERT_EQ(pixels.size(), 256u);
            SaveArtefact(pixels, std::string("tray-") + c.name + "-" + std::to_string(day));
            const Box ink = InkOf(pixels, c.red, c.green, c.blue);
            ASSERT_FALSE(ink.empty()) << "day " << day;
            EXPECT_GE(ink.top, c.top);
            EXPECT_LE(ink.bottom, c.bottom - 1);
            // Centred: the gaps above and below the glyphs differ by little.
            EXPECT_LE(std::abs((ink.top - c.top) - (c.bottom - 1 - ink.bottom)), 3) << "day " << day;
            EXPECT_LE(std::abs(ink.left - (15 - ink.right)), 3) << "day " << day;
            // Two digits need more room than one.
            if (day == 28) {
                EXPECT_GE(ink.right - ink.left, 6);
            }
        }
    }
}

TEST_F(TrayIconTest, WithoutTheIniFileThePictureIsShownWithNoNumber) {
    TrayTemplate pictureOnly = Shipped("Missing");
    pictureOnly.picturePath = Shipped("RedPage").picturePath;
    const std::vector<Pixel> plain = Render(pictureOnly, 28);
    ASSERT_EQ(plain.size(), 256u);
    EXPECT_TRUE(InkOf(plain, 34, 34, 34).empty());
    EXPECT_GT(plain[8 * 16 + 8].alpha, 200);  // the page itself
}

TEST_F(TrayIconTest, WithoutThePictureTheNumberStandsOnATransparentIcon) {
    TrayTemplate numberOnly = Shipped("BlueTile");
    numberOnly.picturePath += ".missing";
    const std::vector<Pixel> bare = Render(numberOnly, 28);
    ASSERT_EQ(bare.size(), 256u);
    EXPECT_FALSE(InkOf(bare, 255, 255, 255).empty());
    EXPECT_EQ(bare[0].alpha, 0);
}

TEST_F(TrayIconTest, WithNeitherPictureNorNumberNoIconIsMade) {
    TrayTemplate nothing = Shipped("");
    EXPECT_FALSE(nothing.numberBox);
    EXPECT_EQ(RenderTrayDayIcon(nothing, 28), nullptr);
}

TEST_F(TrayIconTest, IsDrawnAtTheNotificationAreasIconSizeNotStretchedFrom16) {
    for (const int size : {16, 20, 24, 32}) {
        ScopedIcon icon(RenderTrayDayIcon(Shipped("RedPage"), 28, size));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        ScopedBitmap colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bitmap{};
        GetObjectW(colour.get(), sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
    }
}

// The colour at the icon's centre, `size` pixels square.
Pixel CentreOf(HICON icon, int size) {
    const std::vector<Pixel> pixels = IconPixels(icon, size);
    return pixels.empty() ? Pixel{} : pixels[(size / 2) * size + size / 2];
}

TEST_F(TrayIconTest, From32PixelsOnTheDoubleSizePictureIsUsedWhereTheTemplateHasOne) {
    const fs::path folder = fs::temp_directory_path() / ("tray-2x-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder);
    const auto solid = [](int size, std::uint32_t premultiplied, const fs::path& path) {
        LayeredSurface surface = LayeredSurface::Create(size, size);
        for (int i = 0; i < size * size; ++i) std::memcpy(surface.bits() + i * 4, &premultiplied, 4);
        return SaveSurfacePng(surface, path.wstring());
    };
    ASSERT_TRUE(solid(16, 0xFFFF0000u, folder / "Red.png"));     // red at 16
    ASSERT_TRUE(solid(32, 0xFF0000FFu, folder / "Red@2x.png"));  // blue at 32, to tell them apart
    TrayTemplate tray;
    tray.picturePath = folder / "Red.png";
    for (const int size : {16, 24, 32}) {
        ScopedIcon icon(RenderTrayDayIcon(tray, 8, size));
        ASSERT_TRUE(icon) << size;
        const Pixel centre = CentreOf(icon.get(), size);
        EXPECT_EQ(centre.red > 200 && centre.blue < 50, size < 32) << size;
        EXPECT_EQ(centre.blue > 200 && centre.red < 50, size >= 32) << size;
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

// The record's image, followed through the day icon's life; no notification
// area is asked, the icon is never added.
class TrayRecordTest : public TrayIconTest {
protected:
    void SetUp() override {
        application_ = LoadIconW(nullptr, IDI_APPLICATION);
        tray_.Init(nullptr, application_, L"Tavro");
    }
    static fs::path DataFolder() { return fs::path(SOLVANE_SOURCE_DIR) / "data"; }
    static bool IsLiveIcon(HICON icon) {
        ICONINFO info{};
        if (!GetIconInfo(icon, &info)) return false;
        ScopedBitmap colour(info.hbmColor), mask(info.hbmMask);
        return true;
    }

    HICON application_ = nullptr;
    TrayIcon tray_;
};

TEST_F(TrayRecordTest, WithoutATemplateTheApplicationIconStaysInPlace) {
    tray_.Draw(DataFolder(), "", 28, InstalledFontFamilies());
    EXPECT_EQ(tray_.icon(), application_);
    tray_.Draw(DataFolder(), "NoSuchTemplate", 28, InstalledFontFamilies());
    EXPECT_EQ(tray_.icon(), application_);
}

TEST_F(TrayRecordTest, ATemplateRemovedLaterBringsTheApplicationIconBack) {
    tray_.Draw(DataFolder(), "RedPage", 28, InstalledFontFamilies());
    const HICON day = tray_.icon();
    EXPECT_NE(day, application_);
    EXPECT_TRUE(IsLiveIcon(day));
    tray_.Draw(DataFolder(), "", 28, InstalledFontFamilies());
    EXPECT_EQ(tray_.icon(), application_);
}

TEST_F(TrayRecordTest, ARestartedNotificationAreaGetsTheLiveDayIconBack) {
    tray_.Draw(DataFolder(), "RedPage", 28, InstalledFontFamilies());
    const HICON day = tray_.icon();
    tray_.Forget();
    EXPECT_EQ(tray_.icon(), day);
    EXPECT_TRUE(IsLiveIcon(tray_.icon()));
}

TEST_F(TrayRecordTest, RemovingReleasesTheDayIconAndKeepsNoHandleToIt) {
    tray_.Draw(DataFolder(), "RedPage", 28, InstalledFontFamilies());
    const HICON day = tray_.icon();
    tray_.Remove();
    EXPECT_FALSE(IsLiveIcon(day));
    EXPECT_EQ(tray_.icon(), application_);
    EXPECT_TRUE(IsLiveIcon(tray_.icon()));
}

}  // namespace
