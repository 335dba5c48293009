// render-tray: the tray icon of every day of a month, at each size the
// notification area asks for, laid out to be looked at.
//
//   render-tray --out FOLDER [--data FOLDER] [--zoom N]
//
// For each tray style under Ostrel\SystemTray\ of the data folder (default:
// the build's dist/ folder) writes FOLDER\tray-<style>.png: one row per icon
// size (16, 20, 24, 32 pixels), one column per day 1-31, every icon enlarged N
// times (default 4) pixel for pixel on a task bar's dark grey, so that a
// broken stroke or a smeared loop shows.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <string>

#include "app/settings_form.h"
#include "base/win/gbk_text.h"
#include "view/tray_template.h"
#include "view/win/display_list_renderer.h"
#include "view/win/font_families.h"
#include "view/win/layered_surface.h"
#include "view/win/tray_icon.h"

namespace {

constexpr int kSizes[] = {16, 20, 24, 32};
constexpr int kGap = 6;                         // pixels between enlarged icons
constexpr std::uint32_t kTaskBar = 0xFF202020;  // opaque dark grey, premultiplied as it is

int Usage() {
    std::fwprintf(stderr, L"usage: render-tray --out FOLDER [--data FOLDER] [--zoom N]\n");
    return 2;
}

void Put(LayeredSurface& sheet, int x, int y, std::uint32_t argb) {
    if (x < 0 || y < 0 || x >= sheet.width() || y >= sheet.height()) return;
    std::memcpy(sheet.bits() + y * sheet.stride() + x * 4, &argb, 4);
}

// The icon over the task bar's colour, premultiplied source over opaque grey.
std::uint32_t OverTaskBar(std::uint32_t icon) {
    const unsigned alpha = icon >> 24;
    std::uint32_t out = 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned source = (icon >> shift) & 0xFF, base = (kTaskBar >> shift) & 0xFF;
        out |= std::min(255u, source + base * (255 - alpha) / 255) << shift;
    }
    return out;
}

bool RenderStyle(const std::filesystem::path& data, const std::string& style, const std::filesystem::path& out,
                 int zoom) {
    const TrayTemplate tray = LoadTrayTemplate(data, style, InstalledFontFamilies());
    const int cell = 32 * zoom + kGap;
    LayeredSurface sheet = LayeredSurface::Create(31 * cell + kGap, 4 * cell + kGap);
    if (sheet.empty()) return false;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) Put(sheet, x, y, kTaskBar);
    for (int row = 0; row < 4; ++row) {
        const int size = kSizes[row];
        for (int day = 1; day <= 31; ++day) {
            const LayeredSurface icon = RenderTrayDayPicture(tray, day, size);
            if (icon.empty()) return false;
            const int left = kGap + (day - 1) * cell, top = kGap + row * cell;
            for (int y = 0; y < size * zoom; ++y)
                for (int x = 0; x < size * zoom; ++x)
                    Put(sheet, left + x, top + y, OverTaskBar(icon.PixelAt(x / zoom, y / zoom)));
        }
    }
    return SaveSurfacePng(sheet, (out / (L"tray-" + WideFromGbk(style) + L".png")).wstring());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::filesystem::path out, data;
    int zoom = 4;
    for (int i = 1; i < argc; ++i) {
        const std::wstring name = argv[i];
        if (name == L"--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (name == L"--data" && i + 1 < argc) {
            data = argv[++i];
        } else if (name == L"--zoom" && i + 1 < argc) {
            zoom = std::max(1, std::min(8, _wtoi(argv[++i])));
        } else {
            return Usage();
        }
    }
    if (out.empty()) return Usage();
    if (data.empty()) {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        data = std::filesystem::path(self).parent_path().parent_path() / L"dist";
    }
    GdiplusSession session;
    if (!session.ok()) {
        std::fwprintf(stderr, L"render-tray: GDI+ did not start\n");
        return 1;
    }
    int written = 0;
    for (const std::string& style : TrayTemplateNames(data)) {
        if (!RenderStyle(data, style, out, zoom)) {
            std::fwprintf(stderr, L"render-tray: cannot draw or write %ls\n", WideFromGbk(style).c_str());
            return 1;
        }
        std::wprintf(L"tray-%ls.png\n", WideFromGbk(style).c_str());
        ++written;
    }
    return written > 0 ? 0 : 1;
}
