// PROVISIONAL: stands in for the template's text style until the template
// loader lands; replaced by it on rebase.
#pragma once

#include <cstdint>
#include <string>

struct RgbColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct ArgbColor {
    std::uint8_t alpha = 255;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct TextStyle {
    std::string family = "Tahoma";  // GBK
    int size = 15;
    bool bold = false;
    RgbColor color;
    RgbColor shadow;
    int shadowHeight = 8;
};
