#include "view/template_values.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "base/profile_file.h"

namespace {

bool IsScanSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string Key(std::string_view prefix, std::string_view suffix) {
    std::string key(prefix);
    key += suffix;
    return key;
}

std::uint8_t Low8(int value) { return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFF); }

}  // namespace

int ScanIntegers(std::string_view text, int* values, int count) {
    std::size_t i = 0;
    int read = 0;
    while (read < count) {
        if (read > 0) {
            if (i >= text.size() || text[i] != ',') break;
            ++i;
        }
        while (i < text.size() && IsScanSpace(text[i])) ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
        if (i >= text.size() || text[i] < '0' || text[i] > '9') break;
        std::int64_t magnitude = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), std::int64_t{1} << 40);
        const std::int64_t value = negative ? -magnitude : magnitude;
        values[read++] = static_cast<int>(
            std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }
    return read;
}

std::optional<Rect> ReadTemplateRect(const ProfileDocument& document, std::string_view key) {
    int v[4];
    if (ScanIntegers(ProfileGetString(kTemplateSection, key, "", document), v, 4) != 4) return std::nullopt;
    for (const int coordinate : v)
        if (coordinate < -kMaxTemplateCoordinate || coordinate > kMaxTemplateCoordinate) return std::nullopt;
    const Rect rect{v[0], v[1], v[2], v[3]};
    if (std::abs(rect.Width()) > kMaxTemplateSide || std::abs(rect.Height()) > kMaxTemplateSide) return std::nullopt;
    return rect;
}

std::optional<Color> ReadTemplateColor(const ProfileDocument& document, std::string_view key) {
    int v[3];
    if (ScanIntegers(ProfileGetString(kTemplateSection, key, "", document), v, 3) != 3) return std::nullopt;
    return Color{255, Low8(v[0]), Low8(v[1]), Low8(v[2])};
}

std::optional<Color> ReadTemplateArgb(const ProfileDocument& document, std::string_view key) {
    int v[4];
    if (ScanIntegers(ProfileGetString(kTemplateSection, key, "", document), v, 4) != 4) return std::nullopt;
    return Color{Low8(v[0]), Low8(v[1]), Low8(v[2]), Low8(v[3])};
}

int ReadTemplateInt(const ProfileDocument& document, std::string_view key, int default_value, int low, int high) {
    return std::clamp(ProfileGetInt(kTemplateSection, key, default_value, document), low, high);
}

std::string ResolveFontFamily(const std::string& family, const FontFamilyQuery& family_exists) {
    if (family.empty() || (family_exists && !family_exists(family))) return kDefaultFontFamily;
    return family;
}

TextStyle ReadTextStyle(const ProfileDocument& document, std::string_view prefix, const TextStyle& defaults,
                        const FontFamilyQuery& family_exists) {
    TextStyle style;
    style.family = ResolveFontFamily(
        ProfileGetString(kTemplateSection, Key(prefix, "FONT_FAMILY"), kDefaultFontFamily, document), family_exists);
    style.size = ReadTemplateInt(document, Key(prefix, "FONT_SIZE"), defaults.size, kMinFontSize, kMaxFontSize);
    style.bold = ProfileGetInt(kTemplateSection, Key(prefix, "FONT_BOLD"), defaults.bold ? 1 : 0, document) != 0;
    style.color = ReadTemplateColor(document, Key(prefix, "FONT_COLOR")).value_or(defaults.color);
    style.shadow = ReadTemplateColor(document, Key(prefix, "FONT_SHADOW")).value_or(defaults.shadow);
    style.shadowHeight =
        ReadTemplateInt(document, Key(prefix, "FONT_SHADOW_HEIGHT"), defaults.shadowHeight, 0, kMaxHaloStrength);
    return style;
}
