#include "app/win/system_theme.h"

#include <cwchar>

namespace {

constexpr wchar_t kPersonalizeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

}  // namespace

bool AppsUseDarkTheme() {
    DWORD light = 1;
    DWORD size = sizeof light;
    if (RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light,
                     &size) != ERROR_SUCCESS) {
        return false;
    }
    return light == 0;
}

bool IsThemeChange(LPARAM lParam) {
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    return area && std::wcscmp(area, L"ImmersiveColorSet") == 0;
}
