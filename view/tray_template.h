// A tray-icon template: \Ostrel\SystemTray\<name>.png, drawn stretched to the
// 16 x 16 icon, and \Ostrel\SystemTray\<name>.ini, whose section [Settings]
// places and styles today's day number on it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/rect.h"
#include "view/template_values.h"

struct TrayTemplate {
    std::filesystem::path picturePath;
    // RECT: the box of the day number in the icon; absent, no number is drawn.
    std::optional<Rect> numberBox;
    // FONT_*: Tahoma 9, no bold, no halo unless the file says otherwise.
    TextStyle style;
    // PIXEL_DIGITS=1: the number in digits drawn for the pixel grid at the
    // icon's size (tray_digits.h), in the font's colours, instead of the
    // font; the halo is one pixel wide when FONT_SHADOW_HEIGHT
    // asks for one.
    bool pixelDigits = false;
    // A damaged template would show something else than it means: the
    // application icon stands in and the user is told.
    SkinDamage damage = SkinDamage::kNone;
    bool damaged() const { return damage != SkinDamage::kNone; }
};

TrayTemplate LoadTrayTemplate(const std::filesystem::path& module_folder, std::string_view tray_template_name,
                              const FontFamilyQuery& family_exists);
TrayTemplate ReadTrayTemplate(const ProfileDocument& settings, const FontFamilyQuery& family_exists);
