// PROVISIONAL: stands in for the template loader's text style until it lands;
// replaced by it on rebase.
#pragma once

#include <cstdint>
#include <string>

struct Color {
    std::uint8_t alpha = 255;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint32_t Argb() const {
        return std::uint32_t{alpha} << 24 | std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
    }
};

inline bool operator==(const Color& a, const Color& b) { return a.Argb() == b.Argb(); }
inline bool operator!=(const Color& a, const Color& b) { return !(a == b); }

struct TextStyle {
    std::string family = "Tahoma";
    int size = 15;
    bool bold = false;
    Color color;
    Color shadow;
    int shadowHeight = 8;
};
