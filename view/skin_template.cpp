#include "view/skin_template.h"

#include <cstdint>

#include "base/data_paths.h"
#include "base/profile_file.h"
#include "view/png_size.h"

namespace {

// The day number of today or of a weekend day, a festival and a solar term
// keep the family, size and bold of their line; colours are replaced only
// where the keys parse, the halo strength always (default 8 for today, the
// festival and the term, the line's own for the weekend days).
TextStyle Override(const ProfileDocument& config, std::string_view prefix, const TextStyle& base,
                   int haloStrength = 8) {
    TextStyle style = base;
    const std::string p(prefix);
    style.color = ReadTemplateColor(config, p + "FONT_COLOR").value_or(base.color);
    style.shadow = ReadTemplateColor(config, p + "FONT_SHADOW").value_or(base.shadow);
    style.shadowHeight = ReadTemplateInt(config, p + "FONT_SHADOW_HEIGHT", haloStrength, 0, kMaxHaloStrength);
    return style;
}

HorizontalAlignment ReadAlignment(const ProfileDocument& config) {
    const int value = ProfileGetInt(kTemplateSection, "LISTITEM_STRING_Alignment", 1, config);
    if (value == 0) return HorizontalAlignment::kLeft;
    if (value == 2) return HorizontalAlignment::kRight;
    return HorizontalAlignment::kCenter;
}

}  // namespace

SkinTemplate ReadSkinTemplate(const ProfileDocument& config, const FontFamilyQuery& family_exists) {
    SkinTemplate skin;
    const TextStyle plain;
    skin.yearBack = ReadTemplateRect(config, "YEARBACK").value_or(Rect{});
    skin.yearNext = ReadTemplateRect(config, "YEARNEXT").value_or(Rect{});
    skin.monthBack = ReadTemplateRect(config, "MONTHBACK").value_or(Rect{});
    skin.monthNext = ReadTemplateRect(config, "MONTHNEXT").value_or(Rect{});
    skin.today = ReadTemplateRect(config, "TODAY").value_or(Rect{});
    skin.yearBox = ReadTemplateRect(config, "YEARSHOW");
    skin.monthBox = ReadTemplateRect(config, "MONTHSHOW");
    skin.body = ReadTemplateRect(config, "BODY");
    skin.listArea = ReadTemplateRect(config, "LISTRECT");
    skin.weekdayRowHeight = ReadTemplateInt(config, "HEIGHTWEEKDAYROW", 0, 0, kMaxTemplateSide);

    skin.yearStyle = ReadTextStyle(config, "YEARSHOW_", plain, family_exists);
    skin.monthStyle = ReadTextStyle(config, "MONTHSHOW_", plain, family_exists);

    // The weekday names share one colour for halo and fill, starting white:
    // the halo key sets it, the fill key (when it parses) then sets the fill.
    TextStyle weekday = plain;
    weekday.shadow = Color{255, 255, 255, 255};
    weekday.shadow = ReadTemplateColor(config, "WEEKDAYROW_FONT_SHADOW").value_or(weekday.shadow);
    weekday.color = weekday.shadow;
    skin.weekdayStyle = ReadTextStyle(config, "WEEKDAYROW_", weekday, family_exists);

    skin.dayStyle = ReadTextStyle(config, "DAYROW_", plain, family_exists);
    skin.todayStyle = Override(config, "Today_", skin.dayStyle);
    skin.saturdayStyle = Override(config, "Saturday_", skin.dayStyle, skin.dayStyle.shadowHeight);
    skin.sundayStyle = Override(config, "Sunday_", skin.dayStyle, skin.dayStyle.shadowHeight);
    skin.secondLineStyle = ReadTextStyle(config, "DAYROW2_", plain, family_exists);
    skin.festivalStyle = Override(config, "JieRi_", skin.secondLineStyle);
    skin.solarTermStyle = Override(config, "JieQi_", skin.secondLineStyle);

    TextStyle listItem = plain;
    listItem.size = 12;
    listItem.shadowHeight = 5;
    skin.listItemStyle = ReadTextStyle(config, "LISTITEM_", listItem, family_exists);
    skin.listItemHeight = ReadTemplateInt(config, "LISTITEMHEIGHT", 20, 1, kMaxTemplateSide);
    skin.listAlignment = ReadAlignment(config);

    skin.offDayBadge = ReadOffDayBadgeStyle(config, skin, family_exists);

    skin.todayEllipseColor = ReadTemplateArgb(config, "Today_ELLIPSE_COLOR").value_or(skin.todayEllipseColor);
    skin.reminderFlagColor = ReadTemplateArgb(config, "ReminderFlagColor").value_or(skin.reminderFlagColor);
    skin.focusRingColor = ReadTemplateArgb(config, "FOCUS_RING_COLOR").value_or(skin.focusRingColor);
    skin.tooltipBackground = ReadTemplateColor(config, "TOOLTIP_BKCOLOR");
    skin.tooltipText = ReadTemplateColor(config, "TOOLTIP_TEXTCOLOR");
    return skin;
}

std::string SkinDamageReason(SkinDamage damage) {
    switch (damage) {
        case SkinDamage::kPicture:
            return "它的背景图片 backgroud.png 不是程序能使用的 PNG 图片，或者不完整。";
        case SkinDamage::kLayout:
            return "它的 config.ini 中日历区域（BODY 等）的位置和大小放不下一个月的日子。";
        default:
            return "它的 config.ini 过大或无法读取。";
    }
}

bool RectanglesHoldAMonth(const SkinTemplate& skin) {
    constexpr int kMostWeekRows = 6;
    for (const std::optional<Rect>& box : {skin.yearBox, skin.monthBox}) {
        if (box && (box->Width() < 0 || box->Height() < 0)) return false;
    }
    if (!skin.body) return true;
    const Rect& body = *skin.body;
    if (body.Width() < 7 || body.Height() < std::int64_t{skin.weekdayRowHeight} + kMostWeekRows) return false;
    // Without a picture the window has no area at all, which is told apart.
    if (skin.backgroundWidth == 0) return true;
    return body.right > 0 && body.bottom > 0 && body.left < skin.backgroundWidth && body.top < skin.backgroundHeight;
}

SkinTemplate LoadSkinTemplate(const std::filesystem::path& module_folder, std::string_view template_name,
                              const FontFamilyQuery& family_exists) {
    return LoadSkinTemplateFiles(SkinConfigPath(module_folder, template_name),
                                 SkinBackgroundPath(module_folder, template_name), family_exists);
}

SkinTemplate LoadSkinTemplateFiles(const std::filesystem::path& config_path,
                                   const std::filesystem::path& background_path, const FontFamilyQuery& family_exists) {
    std::string text;
    const FileRead read = ReadFileWithin(config_path, kProfileFileLimit, text);
    SkinTemplate skin = ReadSkinTemplate(ProfileDocument(text), family_exists);
    if (read == FileRead::kTooLarge || read == FileRead::kUnreadable) skin.damage = SkinDamage::kConfiguration;
    skin.backgroundPath = background_path;
    if (const std::optional<PixelSize> size = ReadPngSize(skin.backgroundPath)) {
        skin.backgroundWidth = size->width;
        skin.backgroundHeight = size->height;
        // The window takes its shape from the decoded pixels: a picture cut
        // short would give one that is there and shows nothing.
        if (!skin.damaged() && !PngFileIsWhole(skin.backgroundPath)) skin.damage = SkinDamage::kPicture;
    } else if (PathExists(skin.backgroundPath) && !skin.damaged()) {
        skin.damage = SkinDamage::kPicture;  // the window would have no visible area
    }
    if (!skin.damaged() && !RectanglesHoldAMonth(skin)) skin.damage = SkinDamage::kLayout;
    return skin;
}

const SkinTemplate& SkinTemplateCache::Get(const std::filesystem::path& backgroundPath,
                                           const std::filesystem::path& configPath,
                                           const FontFamilyQuery& family_exists) {
    std::optional<FileStamp> backgroundStamp = ReadFileStamp(backgroundPath);
    std::optional<FileStamp> configStamp = ReadFileStamp(configPath);
    if (valid_ && backgroundPath == backgroundPath_ && configPath == configPath_ &&
        backgroundStamp == backgroundStamp_ && configStamp == configStamp_) {
        return skin_;
    }
    skin_ = LoadSkinTemplateFiles(configPath, backgroundPath, family_exists);
    ++reads_;
    valid_ = true;
    backgroundPath_ = backgroundPath;
    configPath_ = configPath;
    backgroundStamp_ = backgroundStamp;
    configStamp_ = configStamp;
    return skin_;
}
