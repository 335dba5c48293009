#include "view/off_day_badge.h"

#include <algorithm>

#include "base/profile_file.h"
#include "view/skin_template.h"

namespace {

std::optional<Color> ReadColor(const ProfileDocument& config, std::string_view key) {
    int v[3];
    if (ScanIntegers(ProfileGetString(kOffDaySection, key, "", config), v, 3) != 3) return std::nullopt;
    auto low8 = [](int value) { return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFF); };
    return Color{255, low8(v[0]), low8(v[1]), low8(v[2])};
}

Color Halfway(const Color& from, const Color& to) {
    const auto mid = [](std::uint8_t a, std::uint8_t b) { return static_cast<std::uint8_t>((a + b + 1) / 2); };
    return Color{255, mid(from.red, to.red), mid(from.green, to.green), mid(from.blue, to.blue)};
}

int ReadInt(const ProfileDocument& config, std::string_view key, int defaultValue, int low, int high) {
    return std::clamp(ProfileGetInt(kOffDaySection, key, defaultValue, config), low, high);
}

}  // namespace

OffDayBadgeStyle ReadOffDayBadgeStyle(const ProfileDocument& config, const SkinTemplate& skin,
                                      const FontFamilyQuery& family_exists) {
    OffDayBadgeStyle style;
    style.corner = static_cast<BadgeCorner>(ReadInt(config, "CORNER", static_cast<int>(style.corner), 0, 3));
    int offset[2];
    if (ScanIntegers(ProfileGetString(kOffDaySection, "OFFSET", "", config), offset, 2) == 2) {
        style.offsetX = std::clamp(offset[0], -kMaxTemplateSide, kMaxTemplateSide);
        style.offsetY = std::clamp(offset[1], -kMaxTemplateSide, kMaxTemplateSide);
    }

    TextStyle font;
    font.family = ResolveFontFamily(
        ProfileGetString(kOffDaySection, "FONT_FAMILY", skin.secondLineStyle.family, config), family_exists);
    font.size = ReadInt(config, "FONT_SIZE", std::max(9, skin.secondLineStyle.size - 2), kMinFontSize, kMaxFontSize);
    font.bold = ReadInt(config, "FONT_BOLD", 1, 0, 1) != 0;
    font.shadowHeight = ReadInt(config, "FONT_SHADOW_HEIGHT", 3, 0, kMaxHaloStrength);

    style.offStyle = font;
    style.offStyle.color = ReadColor(config, "OFF_COLOR").value_or(skin.festivalStyle.color);
    style.offStyle.shadow = ReadColor(config, "OFF_SHADOW").value_or(skin.festivalStyle.shadow);
    style.workStyle = font;
    style.workStyle.color = ReadColor(config, "WORK_COLOR").value_or(skin.dayStyle.color);
    style.workStyle.shadow = ReadColor(config, "WORK_SHADOW").value_or(skin.dayStyle.shadow);
    style.statutoryStyle = font;
    style.statutoryStyle.color =
        ReadColor(config, "STATUTORY_COLOR").value_or(Halfway(style.offStyle.color, skin.secondLineStyle.color));
    style.statutoryStyle.shadow = ReadColor(config, "STATUTORY_SHADOW").value_or(style.offStyle.shadow);
    return style;
}

Rect OffDayBadgeBox(const Rect& cell, const OffDayBadgeStyle& style) {
    const int side = style.offStyle.size + 4;
    const bool right = style.corner == BadgeCorner::kTopRight || style.corner == BadgeCorner::kBottomRight;
    const bool bottom = style.corner == BadgeCorner::kBottomLeft || style.corner == BadgeCorner::kBottomRight;
    const int left = (right ? cell.right - side : cell.left) + style.offsetX;
    const int top = (bottom ? cell.bottom - side : cell.top) + style.offsetY;
    return Rect{left, top, left + side, top + side};
}
