#include "view/tray_template.h"

#include "base/data_paths.h"
#include "base/file_system.h"
#include "base/profile_file.h"
#include "view/png_size.h"

TrayTemplate ReadTrayTemplate(const ProfileDocument& settings, const FontFamilyQuery& family_exists) {
    TextStyle defaults;
    defaults.size = 9;
    defaults.shadowHeight = 0;
    TrayTemplate tray;
    tray.numberBox = ReadTemplateRect(settings, "RECT");
    tray.style = ReadTextStyle(settings, "", defaults, family_exists);
    tray.pixelDigits = ReadTemplateInt(settings, "PIXEL_DIGITS", 0, 0, 1) != 0;
    return tray;
}

TrayTemplate LoadTrayTemplate(const std::filesystem::path& module_folder, std::string_view tray_template_name,
                              const FontFamilyQuery& family_exists) {
    std::string text;
    const FileRead read = ReadFileWithin(TrayIniPath(module_folder, tray_template_name), kProfileFileLimit, text);
    TrayTemplate tray = ReadTrayTemplate(ProfileDocument(text), family_exists);
    tray.picturePath = TrayPicturePath(module_folder, tray_template_name);
    if (read == FileRead::kTooLarge || read == FileRead::kUnreadable)
        tray.damage = SkinDamage::kConfiguration;
    else if (PathExists(tray.picturePath) && (!ReadPngSize(tray.picturePath) || !PngFileIsWhole(tray.picturePath)))
        tray.damage = SkinDamage::kPicture;
    return tray;
}
