// The value forms of the template files (skins and tray icons): rectangles,
// colours and text styles in section [Settings], read leniently. A value that
// does not parse leaves the default; absurd sizes are brought into sane ranges
// so that a damaged file can neither crash the drawing nor make it allocate
// wildly.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/rect.h"

class ProfileDocument;

inline constexpr char kTemplateSection[] = "Settings";
inline constexpr char kDefaultFontFamily[] = "Tahoma";

// Limits on what a template may ask for.
inline constexpr int kMinFontSize = 1;
inline constexpr int kMaxFontSize = 200;
inline constexpr int kMaxHaloStrength = 64;
inline constexpr int kMaxTemplateSide = 10000;         // a rectangle's width or height
inline constexpr int kMaxTemplateCoordinate = 100000;  // any coordinate's distance from the origin

// What keeps a template (a skin or a tray style) from being shown.
enum class SkinDamage {
    kNone,
    kConfiguration,  // its .ini is there but beyond its size limit or unreadable
    kPicture,        // its picture is there but no PNG the program takes, or not all of it
    kLayout,         // its rectangles cannot hold a month (a reversed or empty BODY, ...)
};

struct Color {
    std::uint8_t alpha = 255;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    // 0xAARRGGBB, the form of GDI+ colours.
    std::uint32_t Argb() const {
        return std::uint32_t{alpha} << 24 | std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
    }
};
inline bool operator==(const Color& a, const Color& b) { return a.Argb() == b.Argb(); }
inline bool operator!=(const Color& a, const Color& b) { return !(a == b); }

// One styled text element: an outlined text with a halo (Tahoma 15, no bold,
// opaque black fill and halo, halo strength 8 unless the template says otherwise).
struct TextStyle {
    std::string family = kDefaultFontFamily;
    int size = 15;  // em height in pixels
    bool bold = false;
    Color color;           // glyph fill, drawn opaque
    Color shadow;          // halo colour
    int shadowHeight = 8;  // halo strength N: N - 1 strokes; 1 or less, no halo
};

// Whether a font family of this name is installed. Supplied by the platform;
// an empty query accepts every name.
using FontFamilyQuery = std::function<bool(const std::string& family)>;

// Up to `count` integers in the form "%d,%d,..." as sscanf reads it: spaces
// before each number allowed, the commas exact, anything after the last number
// ignored, out-of-range numbers saturated. Returns how many were read.
int ScanIntegers(std::string_view text, int* values, int count);

// "left,top,right,bottom"; nothing when four integers do not parse or the
// rectangle exceeds the limits above.
std::optional<Rect> ReadTemplateRect(const ProfileDocument& document, std::string_view key);
// "r,g,b" (opaque) and "a,r,g,b"; the low 8 bits of each number are used.
std::optional<Color> ReadTemplateColor(const ProfileDocument& document, std::string_view key);
std::optional<Color> ReadTemplateArgb(const ProfileDocument& document, std::string_view key);
// An integer brought into [low, high].
int ReadTemplateInt(const ProfileDocument& document, std::string_view key, int default_value, int low, int high);

// The name when it is non-empty and installed, else Tahoma.
std::string ResolveFontFamily(const std::string& family, const FontFamilyQuery& family_exists);

// The keys prefix + "FONT_FAMILY", "FONT_SIZE", "FONT_BOLD", "FONT_COLOR",
// "FONT_SHADOW" and "FONT_SHADOW_HEIGHT", each falling back to `defaults`
// (the family to Tahoma).
TextStyle ReadTextStyle(const ProfileDocument& document, std::string_view prefix, const TextStyle& defaults,
                        const FontFamilyQuery& family_exists);
