#include "view/win/font_families.h"

#include "base/win/gbk_text.h"
#include "base/win/gdiplus_headers.h"

bool IsFontFamilyInstalled(const std::string& family) {
    if (family.empty()) return false;
    Gdiplus::GpFontFamily* created = nullptr;
    if (Gdiplus::DllExports::GdipCreateFontFamilyFromName(WideFromGbk(family).c_str(), nullptr, &created) !=
        Gdiplus::Ok)
        return false;
    Gdiplus::DllExports::GdipDeleteFontFamily(created);
    return true;
}
