// Any bytes as a downloaded skin: its config.ini (grown past the size limit
// when the first byte asks for it) and its background picture. A file beyond
// the limit is never parsed, whatever is in it; a picture is taken only with
// a sound PNG header, and then its size stays within the screen cap.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "base/profile_file.h"
#include "view/png_size.h"
#include "view/skin_template.h"
#include "view/tray_template.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

std::string Folder() {
    static const std::string folder = [] {
        char name[] = "/tmp/solvane-template-fuzz-XXXXXX";
        return std::string(mkdtemp(name));
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const bool oversized = size > 0 && data[0] == 0xFF;
    std::string config(input);
    if (oversized) {
        // A template of the limit plus the input: a valid-looking start is
        // no reason to read it.
        config = "[Settings]\r\nBODY=1,2,3,4\r\n" + std::string(kProfileFileLimit, ' ') + config;
    }
    const std::string configPath = Folder() + "/config.ini";
    const std::string picturePath = Folder() + "/background.png";
    Check(ReplaceFileAtomically(configPath, config));
    Check(ReplaceFileAtomically(picturePath, std::string(input)));

    const SkinTemplate skin = LoadSkinTemplateFiles(configPath, picturePath, nullptr);
    if (oversized) {
        const SkinTemplate defaults = ReadSkinTemplate(ProfileDocument(), nullptr);
        Check(!skin.body && defaults.listItemHeight == skin.listItemHeight);
    }
    Check(skin.backgroundWidth >= 0 && skin.backgroundWidth <= kMaxPictureSide);
    Check(skin.backgroundHeight >= 0 && skin.backgroundHeight <= kMaxPictureSide);
    Check((skin.backgroundWidth == 0) == (skin.backgroundHeight == 0));
    // Too large a configuration, a picture that is no PNG or not all there,
    // or rectangles that cannot hold a month: the program shows the shipped
    // template instead and says so.
    const bool pictureTaken = PngSizeOfHeader(input).has_value() && PngChunksAreWhole(input);
    Check(PngChunksAreWhole(input) == PngFileIsWhole(picturePath));
    Check(skin.damage == (oversized                     ? SkinDamage::kConfiguration
                          : !pictureTaken               ? SkinDamage::kPicture
                          : !RectanglesHoldAMonth(skin) ? SkinDamage::kLayout
                                                        : SkinDamage::kNone));

    const std::optional<PixelSize> header = PngSizeOfHeader(input);
    if (header) {
        Check(input.substr(1, 3) == "PNG");
        Check(header->width >= 1 && header->width <= kMaxPictureSide);
        Check(header->height >= 1 && header->height <= kMaxPictureSide);
    }
    Check(IsAcceptablePicture(picturePath, kMaxPictureSide, kMaxPictureSide) == header.has_value());
    return 0;
}
