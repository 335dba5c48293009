#include "view/win/font_families.h"

#include "view/win/gdiplus_headers.h"

namespace {

std::wstring Wide(const std::string& gbk) {
    if (gbk.empty()) return std::wstring();
    const int length = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), &wide[0], length);
    return wide;
}

}  // namespace

bool IsFontFamilyInstalled(const std::string& family) {
    if (family.empty()) return false;
    Gdiplus::GpFontFamily* created = nullptr;
    if (Gdiplus::DllExports::GdipCreateFontFamilyFromName(Wide(family).c_str(), nullptr, &created) != Gdiplus::Ok)
        return false;
    Gdiplus::DllExports::GdipDeleteFontFamily(created);
    return true;
}
