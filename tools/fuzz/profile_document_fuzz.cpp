// Any bytes as a profile file: parsing keeps every byte, lookups and writes
// never crash, a write reads back as written and leaves every other key alone,
// and template values read from the file stay within their bounds.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/gbk_scan.h"
#include "base/profile_file.h"
#include "view/skin_template.h"
#include "view/tray_template.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

std::string_view Trim(std::string_view s) {
    const char* space = " \t\r\n\v\f\x1a";
    const std::size_t begin = s.find_first_not_of(space);
    if (begin == std::string_view::npos) return {};
    return s.substr(begin, s.find_last_not_of(space) - begin + 1);
}

constexpr std::string_view kSections[] = {"Ostrel", "GADGETS", "Settings", "ITEMS", "s"};
constexpr std::string_view kKeys[] = {"ShowToday", "RECT_1", "BODY", "Item0", "k", "FONT_SIZE"};

void CheckTemplateBounds(const TextStyle& style) {
    Check(style.size >= kMinFontSize && style.size <= kMaxFontSize);
    Check(style.shadowHeight >= 0 && style.shadowHeight <= kMaxHaloStrength);
    Check(!style.family.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ProfileDocument document(input);
    Check(document.Text() == input);

    // Names and a value taken from the input itself, besides the usual ones.
    const std::size_t newline = input.find('\n');
    const std::string_view firstLine = input.substr(0, newline);
    const std::string_view section = firstLine.substr(0, firstLine.size() / 2);
    const std::string_view key = firstLine.substr(firstLine.size() / 2);
    const std::string_view value =
        newline == std::string_view::npos ? std::string_view("v") : input.substr(newline + 1, 40);

    for (std::string_view s : kSections)
        for (std::string_view k : kKeys) {
            ProfileGetString(s, k, "", document);
            ProfileGetInt(s, k, 3, document);
            ProfileGetRect(s, k, document);
        }

    ProfileDocument changed(input);
    if (changed.Set(section, key, value)) {
        Check(changed.Find(section, key) == Trim(value));
        const ProfileDocument reread(changed.Text());
        Check(reread.Find(section, key) == Trim(value));
        for (std::string_view s : kSections)
            for (std::string_view k : kKeys) {
                if (EqualsIgnoringAsciiCase(Trim(s), Trim(section)) && EqualsIgnoringAsciiCase(Trim(k), Trim(key)))
                    continue;
                Check(reread.Find(s, k) == document.Find(s, k));
            }
    }
    changed.RemoveKey(section, key);
    changed.Text();

    const SkinTemplate skin = ReadSkinTemplate(document, nullptr);
    for (const TextStyle* style :
         {&skin.yearStyle, &skin.monthStyle, &skin.weekdayStyle, &skin.dayStyle, &skin.todayStyle,
          &skin.secondLineStyle, &skin.festivalStyle, &skin.solarTermStyle, &skin.listItemStyle})
        CheckTemplateBounds(*style);
    for (const std::optional<Rect>& rect : {skin.yearBox, skin.monthBox, skin.body, skin.listArea})
        if (rect) Check(rect->Width() <= kMaxTemplateSide && rect->Width() >= -kMaxTemplateSide);
    Check(skin.listItemHeight >= 1);
    CheckTemplateBounds(ReadTrayTemplate(document, nullptr).style);
    return 0;
}
