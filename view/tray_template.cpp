#include "view/tray_template.h"

#include "base/data_paths.h"
#include "base/profile_file.h"

TrayTemplate ReadTrayTemplate(const ProfileDocument& settings, const FontFamilyQuery& family_exists) {
    TextStyle defaults;
    defaults.size = 9;
    defaults.shadowHeight = 0;
    TrayTemplate tray;
    tray.numberBox = ReadTemplateRect(settings, "RECT");
    tray.style = ReadTextStyle(settings, "", defaults, family_exists);
    return tray;
}

TrayTemplate LoadTrayTemplate(std::string_view module_folder, std::string_view tray_template_name,
                              const FontFamilyQuery& family_exists) {
    ProfileDocument settings;
    settings.Load(TrayIniPath(module_folder, tray_template_name));
    TrayTemplate tray = ReadTrayTemplate(settings, family_exists);
    tray.picturePath = TrayPicturePath(module_folder, tray_template_name);
    return tray;
}
