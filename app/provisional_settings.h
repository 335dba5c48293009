// PROVISIONAL: the few settings, placement and template readers the window
// code uses, under the names the settings module gives them; this header goes
// when that module lands.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "app/profile_file.h"
#include "app/rect.h"
#include "view/display_list.h"

struct AppSettings {
    int showBalloonTip = 1;
    int showHuangLiOnBalloonToolTip = 1;
    std::string templateName;
    int showToday = 1;
    int firstColWeekDay = 7;
    int listForDays = 30;
    int lockLocation = 0;
    std::string systemTrayTemplate;
    std::string windowStyle;
};

inline AppSettings LoadAppSettings(const std::string& file) {
    AppSettings s;
    s.showBalloonTip = ProfileGetInt("Ostrel", "ShowBalloonTip", 1, file);
    s.showHuangLiOnBalloonToolTip = ProfileGetInt("Ostrel", "ShowHuangLiOnBalloonToolTip", 1, file);
    s.templateName = ProfileGetString("Ostrel", "Template", "", file);
    s.showToday = ProfileGetInt("Ostrel", "ShowToday", 1, file);
    s.firstColWeekDay = ProfileGetInt("Ostrel", "FirstColWeekDay", 7, file);
    s.listForDays = ProfileGetInt("Ostrel", "ListForDays", 30, file);
    s.lockLocation = ProfileGetInt("Ostrel", "LockLocation", 0, file);
    s.systemTrayTemplate = ProfileGetString("Ostrel", "SystemTrayTemplate", "", file);
    s.windowStyle = ProfileGetString("Ostrel", "WindowStyle", "", file);
    return s;
}

enum class WindowStyle { kUnchanged, kNormal, kEmbedded };
inline WindowStyle WindowStyleOf(const AppSettings& s) {
    if (s.windowStyle == "1") return WindowStyle::kNormal;
    if (s.windowStyle == "2") return WindowStyle::kEmbedded;
    return WindowStyle::kUnchanged;
}

inline constexpr int kMonthWindowNumber = 1;

inline std::optional<Rect> StoredWindowRect(const std::string& file, int number) {
    return ProfileGetRect("GADGETS", "RECT_" + std::to_string(number), file);
}
inline bool StoreWindowRect(const std::string& file, int number, const Rect& rect) {
    return ProfilePutRect("GADGETS", "RECT_" + std::to_string(number), rect, file);
}

inline Rect ClampToWorkArea(const Rect& window, const Rect& work) {
    Rect r = window;
    const std::int32_t w = r.right - r.left, h = r.bottom - r.top;
    if (r.top < 0) { r.top = 0; r.bottom = h; }
    if (r.left < 0) { r.left = 0; r.right = w; }
    if (r.right > work.right) { r.right = work.right; r.left = work.right - w; }
    if (r.bottom > work.bottom) { r.bottom = work.bottom; r.top = work.bottom - h; }
    return r;
}

inline std::optional<DisplayRect> ProvisionalRectKey(const std::string& file, const char* key) {
    const std::string value = ProfileGetString("Settings", key, "", file);
    DisplayRect r;
    if (std::sscanf(value.c_str(), "%d,%d,%d,%d", &r.left, &r.top, &r.right, &r.bottom) != 4) return std::nullopt;
    return r;
}

inline std::optional<RgbColor> ProvisionalColorKey(const std::string& file, const char* key) {
    const std::string value = ProfileGetString("Settings", key, "", file);
    int red, green, blue;
    if (std::sscanf(value.c_str(), "%d,%d,%d", &red, &green, &blue) != 3) return std::nullopt;
    return RgbColor{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                    static_cast<std::uint8_t>(blue)};
}

struct TrayTemplate {
    std::optional<DisplayRect> numberBox;
    TextStyle style;
};

inline TrayTemplate LoadTrayTemplate(const std::string& iniPath) {
    TrayTemplate t;
    t.numberBox = ProvisionalRectKey(iniPath, "RECT");
    t.style.family = ProfileGetString("Settings", "FONT_FAMILY", "Tahoma", iniPath);
    if (t.style.family.empty()) t.style.family = "Tahoma";
    if (auto c = ProvisionalColorKey(iniPath, "FONT_COLOR")) t.style.color = *c;
    if (auto c = ProvisionalColorKey(iniPath, "FONT_SHADOW")) t.style.shadow = *c;
    t.style.shadowHeight = ProfileGetInt("Settings", "FONT_SHADOW_HEIGHT", 0, iniPath);
    t.style.size = ProfileGetInt("Settings", "FONT_SIZE", 9, iniPath);
    t.style.bold = ProfileGetInt("Settings", "FONT_BOLD", 0, iniPath) != 0;
    return t;
}
