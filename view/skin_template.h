// A month-view template: the folder \Ostrel\Templates\<name>\ beside the
// executable holds the background picture "backgroud.png", which gives the
// window its size and shape, and "config.ini", whose section [Settings] places
// and styles every piece of text. Without a template only the background is
// drawn: no built-in layout exists.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "base/rect.h"
#include "view/off_day_badge.h"
#include "view/template_values.h"

enum class HorizontalAlignment { kLeft = 0, kCenter = 1, kRight = 2 };

struct SkinTemplate {
    std::filesystem::path backgroundPath;
    // From the picture's PNG header; 0 x 0 when it cannot be read, which gives
    // a window without visible area.
    int backgroundWidth = 0;
    int backgroundHeight = 0;

    // Navigation hot spots; nothing is drawn for them. TODAY brings today's
    // month back (the picture shows its mark); empty when absent.
    Rect yearBack, yearNext, monthBack, monthNext, today;
    // Absent boxes switch their element off.
    std::optional<Rect> yearBox;   // YEARSHOW
    std::optional<Rect> monthBox;  // MONTHSHOW
    std::optional<Rect> body;      // the day grid with the weekday header row
    std::optional<Rect> listArea;  // LISTRECT, the forenotice list
    int weekdayRowHeight = 0;      // HEIGHTWEEKDAYROW

    TextStyle yearStyle;
    TextStyle monthStyle;
    TextStyle weekdayStyle;
    TextStyle dayStyle;    // day numbers
    TextStyle todayStyle;  // day number of today, when today is highlighted
    // Day numbers of Saturdays and Sundays that are neither days off nor
    // make-up working days; the day numbers' look where the keys are absent.
    TextStyle saturdayStyle;
    TextStyle sundayStyle;
    TextStyle secondLineStyle;  // lunar day or month
    TextStyle festivalStyle;    // second line showing a festival
    TextStyle solarTermStyle;   // second line showing a solar term
    TextStyle listItemStyle;

    Color todayEllipseColor{155, 255, 0, 0};
    // The ring of the day the keyboard is on, or that was gone to
    // (FOCUS_RING_COLOR); blue by default, so that it is not taken for today's.
    Color focusRingColor{230, 30, 110, 220};
    Color reminderFlagColor;
    int listItemHeight = 20;
    HorizontalAlignment listAlignment = HorizontalAlignment::kCenter;

    // The 休 / 班 badge, from section [OffDays].
    OffDayBadgeStyle offDayBadge;

    // Absent: the system's balloon colours.
    std::optional<Color> tooltipBackground;
    std::optional<Color> tooltipText;

    // The program shows another template instead and says why.
    SkinDamage damage = SkinDamage::kNone;
    bool damaged() const { return damage != SkinDamage::kNone; }
};

// Whether the template's rectangles can show a month: a BODY, where there is
// one, with a pixel for each of 7 columns and of 6 rows below the weekday
// row, on the picture; month and year boxes, where there are any, not
// reversed. A template without BODY shows no days by choice.
bool RectanglesHoldAMonth(const SkinTemplate& skin);

// Why a template is damaged, for the message that says so: one sentence.
std::string SkinDamageReason(SkinDamage damage);

// Reads the template of this name under `module_folder`. A missing folder,
// file or key is not an error: every value then takes its default. A
// config.ini that cannot be read or is beyond kProfileFileLimit is not parsed
// and marks the template damaged, as do a picture that is not a PNG or not
// whole, and rectangles that cannot hold a month.
SkinTemplate LoadSkinTemplate(const std::filesystem::path& module_folder, std::string_view template_name,
                              const FontFamilyQuery& family_exists);
// The same from the template's two files.
SkinTemplate LoadSkinTemplateFiles(const std::filesystem::path& config_path,
                                   const std::filesystem::path& background_path, const FontFamilyQuery& family_exists);
// The same from an already parsed config.ini (the background is not looked at).
SkinTemplate ReadSkinTemplate(const ProfileDocument& config, const FontFamilyQuery& family_exists);

// The template read from a background picture and a config.ini, kept while
// both files stay as they were (same path, time of last write and length):
// a rebuild then reads no file but the two stamps.
class SkinTemplateCache {
public:
    const SkinTemplate& Get(const std::filesystem::path& backgroundPath, const std::filesystem::path& configPath,
                            const FontFamilyQuery& family_exists);
    // How often the files were actually read; for tests.
    int reads() const { return reads_; }

private:
    bool valid_ = false;
    std::filesystem::path backgroundPath_, configPath_;
    std::optional<FileStamp> backgroundStamp_, configStamp_;
    SkinTemplate skin_;
    int reads_ = 0;
};
