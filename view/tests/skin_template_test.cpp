#include "view/skin_template.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/data_paths.h"
#include "base/file_system.h"
#include "base/profile_file.h"
#include "tests/support/png_samples.h"
#include "tests/support/scratch_folder.h"
#include "view/tray_template.h"

namespace {

const Color kWhite{255, 255, 255, 255};
const Color kBlack{255, 0, 0, 0};

// Fonts "installed" for these tests.
bool KnownFamily(const std::string& family) { return family == "Tahoma" || family == "微软雅黑" || family == "SimSun"; }

SkinTemplate Skin(const std::string& config) {
    return ReadSkinTemplate(ProfileDocument("[Settings]\r\n" + config), KnownFamily);
}

TEST(SkinTemplateTest, AConfigurationWithOnlyABodyDrawsTheGridInTahoma15) {
    const SkinTemplate skin = Skin("BODY=10,40,290,260\r\n");
    ASSERT_TRUE(skin.body.has_value());
    EXPECT_EQ(*skin.body, (Rect{10, 40, 290, 260}));
    EXPECT_EQ(skin.weekdayRowHeight, 0);
    EXPECT_EQ(skin.dayStyle.family, "Tahoma");
    EXPECT_EQ(skin.dayStyle.size, 15);
    EXPECT_EQ(skin.dayStyle.shadowHeight, 8);
    EXPECT_FALSE(skin.dayStyle.bold);
    EXPECT_FALSE(skin.yearBox || skin.monthBox || skin.listArea);
    EXPECT_EQ(skin.yearBack, Rect{});
    EXPECT_EQ(skin.monthNext, Rect{});
    EXPECT_EQ(skin.todayEllipseColor, (Color{155, 255, 0, 0}));
    EXPECT_EQ(skin.listItemStyle.size, 12);
    EXPECT_EQ(skin.listItemStyle.shadowHeight, 5);
    EXPECT_EQ(skin.listItemHeight, 20);
    EXPECT_EQ(skin.listAlignment, HorizontalAlignment::kCenter);
    EXPECT_FALSE(skin.tooltipBackground || skin.tooltipText);
}

TEST(SkinTemplateTest, TheTodaySpotAndTheFocusRingColourAreOptional) {
    const SkinTemplate without = Skin("");
    EXPECT_EQ(without.today, Rect{});
    EXPECT_EQ(without.focusRingColor, (Color{230, 30, 110, 220}));
    const SkinTemplate with = Skin("TODAY=150,20,170,40\r\nFOCUS_RING_COLOR=200,255,200,0\r\n");
    EXPECT_EQ(with.today, (Rect{150, 20, 170, 40}));
    EXPECT_EQ(with.focusRingColor, (Color{200, 255, 200, 0}));
    EXPECT_EQ(Skin("FOCUS_RING_COLOR=255,200,0\r\n").focusRingColor, without.focusRingColor) << "argb takes four";
}

TEST(SkinTemplateTest, RectanglesNeedFourNumbersWithinSaneBounds) {
    const SkinTemplate skin = Skin(
        "YEARSHOW=1,2,3\r\n"             // three numbers: absent
        "MONTHSHOW=5, 6, 70, 80 px\r\n"  // spaces after commas and a tail are fine
        "LISTRECT=5 ,6,70,80\r\n"        // a space before a comma stops the scan
        "BODY=0,0,20000,300\r\n"         // wider than any picture
        "YEARBACK=-4,-4,-1,-1\r\n");
    EXPECT_FALSE(skin.yearBox.has_value());
    EXPECT_EQ(skin.monthBox, (Rect{5, 6, 70, 80}));
    EXPECT_FALSE(skin.listArea.has_value());
    EXPECT_FALSE(skin.body.has_value());
    EXPECT_EQ(skin.yearBack, (Rect{-4, -4, -1, -1}));
}

TEST(SkinTemplateTest, WeekdayNamesShareOneColourThatStartsWhite) {
    EXPECT_EQ(Skin("").weekdayStyle.shadow, kWhite);
    EXPECT_EQ(Skin("").weekdayStyle.color, kWhite);

    const SkinTemplate haloOnly = Skin("WEEKDAYROW_FONT_SHADOW=10,20,30\r\n");
    EXPECT_EQ(haloOnly.weekdayStyle.shadow, (Color{255, 10, 20, 30}));
    EXPECT_EQ(haloOnly.weekdayStyle.color, (Color{255, 10, 20, 30}));

    const SkinTemplate fillOnly = Skin("WEEKDAYROW_FONT_COLOR=1,2,3\r\n");
    EXPECT_EQ(fillOnly.weekdayStyle.shadow, kWhite);
    EXPECT_EQ(fillOnly.weekdayStyle.color, (Color{255, 1, 2, 3}));
}

TEST(SkinTemplateTest, TodayFestivalAndSolarTermOverrideOnlyWhereTheirKeysParse) {
    const SkinTemplate skin = Skin(
        "DAYROW_FONT_FAMILY=SimSun\r\nDAYROW_FONT_SIZE=18\r\nDAYROW_FONT_BOLD=1\r\n"
        "DAYROW_FONT_COLOR=1,1,1\r\nDAYROW_FONT_SHADOW=2,2,2\r\nDAYROW_FONT_SHADOW_HEIGHT=3\r\n"
        "Today_FONT_COLOR=255,0,0\r\nToday_FONT_SHADOW=bad\r\n"
        "DAYROW2_FONT_SIZE=11\r\nDAYROW2_FONT_COLOR=4,4,4\r\n"
        "JieRi_FONT_COLOR=200,0,0\r\nJieRi_FONT_SHADOW_HEIGHT=2\r\n"
        "JieQi_FONT_SHADOW=0,128,0\r\nJieQi_FONT_SIZE=40\r\n");
    EXPECT_EQ(skin.todayStyle.family, "SimSun");
    EXPECT_EQ(skin.todayStyle.size, 18);
    EXPECT_TRUE(skin.todayStyle.bold);
    EXPECT_EQ(skin.todayStyle.color, (Color{255, 255, 0, 0}));
    EXPECT_EQ(skin.todayStyle.shadow, (Color{255, 2, 2, 2}));
    EXPECT_EQ(skin.todayStyle.shadowHeight, 8);  // its own default, not the day number's 3
    EXPECT_EQ(skin.dayStyle.shadowHeight, 3);

    EXPECT_EQ(skin.festivalStyle.color, (Color{255, 200, 0, 0}));
    EXPECT_EQ(skin.festivalStyle.shadowHeight, 2);
    EXPECT_EQ(skin.solarTermStyle.color, (Color{255, 4, 4, 4}));
    EXPECT_EQ(skin.solarTermStyle.shadow, (Color{255, 0, 128, 0}));
    EXPECT_EQ(skin.solarTermStyle.size, 11);  // no size key of its own
}

TEST(SkinTemplateTest, WeekendDaysLookLikeTheOtherDaysUnlessTheTemplateColoursThem) {
    const std::string days =
        "DAYROW_FONT_FAMILY=SimSun\r\nDAYROW_FONT_SIZE=18\r\n"
        "DAYROW_FONT_COLOR=1,1,1\r\nDAYROW_FONT_SHADOW=2,2,2\r\nDAYROW_FONT_SHADOW_HEIGHT=3\r\n";
    const SkinTemplate plain = Skin(days);
    for (const TextStyle* weekend : {&plain.saturdayStyle, &plain.sundayStyle}) {
        EXPECT_EQ(weekend->family, "SimSun");
        EXPECT_EQ(weekend->size, 18);
        EXPECT_EQ(weekend->color, (Color{255, 1, 1, 1}));
        EXPECT_EQ(weekend->shadow, (Color{255, 2, 2, 2}));
        EXPECT_EQ(weekend->shadowHeight, 3);  // the day numbers' halo, not today's default of 8
    }

    const SkinTemplate coloured = Skin(days +
                                       "Saturday_FONT_COLOR=0,90,200\r\nSunday_FONT_COLOR=200,40,30\r\n"
                                       "Sunday_FONT_SHADOW=255,240,230\r\nSaturday_FONT_SHADOW=bad\r\n");
    EXPECT_EQ(coloured.saturdayStyle.color, (Color{255, 0, 90, 200}));
    EXPECT_EQ(coloured.saturdayStyle.shadow, (Color{255, 2, 2, 2}));
    EXPECT_EQ(coloured.sundayStyle.color, (Color{255, 200, 40, 30}));
    EXPECT_EQ(coloured.sundayStyle.shadow, (Color{255, 255, 240, 230}));
    EXPECT_EQ(coloured.sundayStyle.size, 18);
}

TEST(SkinTemplateTest, AnEmptyOrUnknownFamilyFallsBackToTahoma) {
    const SkinTemplate skin = Skin(
        "YEARSHOW_FONT_FAMILY=微软雅黑\r\nMONTHSHOW_FONT_FAMILY=\r\nDAYROW_FONT_FAMILY=No Such Font\r\n"
        "LISTITEM_FONT_FAMILY=\"SimSun\"\r\n");
    EXPECT_EQ(skin.yearStyle.family, "微软雅黑");
    EXPECT_EQ(skin.monthStyle.family, "Tahoma");
    EXPECT_EQ(skin.dayStyle.family, "Tahoma");
    EXPECT_EQ(skin.listItemStyle.family, "SimSun");
}

TEST(SkinTemplateTest, AbsurdNumbersAreBroughtIntoSaneRanges) {
    const SkinTemplate skin = Skin(
        "YEARSHOW_FONT_SIZE=0\r\nMONTHSHOW_FONT_SIZE=99999999999\r\n"
        "YEARSHOW_FONT_SHADOW_HEIGHT=100000\r\nMONTHSHOW_FONT_SHADOW_HEIGHT=-3\r\n"
        "LISTITEMHEIGHT=0\r\nHEIGHTWEEKDAYROW=-20\r\nLISTITEM_STRING_Alignment=7\r\n");
    EXPECT_EQ(skin.yearStyle.size, kMinFontSize);
    EXPECT_EQ(skin.monthStyle.size, kMaxFontSize);
    EXPECT_EQ(skin.yearStyle.shadowHeight, kMaxHaloStrength);
    EXPECT_EQ(skin.monthStyle.shadowHeight, 0);
    EXPECT_EQ(skin.listItemHeight, 1);
    EXPECT_EQ(skin.weekdayRowHeight, 0);
    EXPECT_EQ(skin.listAlignment, HorizontalAlignment::kCenter);
    EXPECT_EQ(Skin("LISTITEM_STRING_Alignment=2\r\n").listAlignment, HorizontalAlignment::kRight);
    EXPECT_EQ(Skin("LISTITEM_STRING_Alignment=0\r\n").listAlignment, HorizontalAlignment::kLeft);
}

TEST(SkinTemplateTest, ColoursUseTheLow8BitsAndARGBKeysTakeFourNumbers) {
    const SkinTemplate skin = Skin(
        "YEARSHOW_FONT_COLOR=256,257,-1\r\nToday_ELLIPSE_COLOR=255,0,0\r\nReminderFlagColor=128,0,0,255\r\n"
        "TOOLTIP_BKCOLOR=255,255,225\r\nTOOLTIP_TEXTCOLOR=0,0\r\n");
    EXPECT_EQ(skin.yearStyle.color, (Color{255, 0, 1, 255}));
    EXPECT_EQ(skin.todayEllipseColor, (Color{155, 255, 0, 0}));  // three numbers do not make an ARGB
    EXPECT_EQ(skin.reminderFlagColor, (Color{128, 0, 0, 255}));
    EXPECT_EQ(skin.tooltipBackground, (Color{255, 255, 255, 225}));
    EXPECT_FALSE(skin.tooltipText.has_value());
    EXPECT_EQ(skin.dayStyle.color, kBlack);
}

TEST(ScanIntegersTest, ReadsLikeSscanfWithCommas) {
    int v[4] = {};
    EXPECT_EQ(ScanIntegers(" 1,+2,-3,4,5", v, 4), 4);
    EXPECT_EQ(v[2], -3);
    EXPECT_EQ(ScanIntegers("1,,2", v, 4), 1);
    EXPECT_EQ(ScanIntegers("x", v, 4), 0);
    EXPECT_EQ(ScanIntegers("1,-", v, 4), 1);
    EXPECT_EQ(ScanIntegers("99999999999999999999999,1", v, 2), 2);
    EXPECT_EQ(v[0], 2147483647);
}

class TemplateFolderTest : public ::testing::Test {
protected:
    // An installation in a folder named in any script.
    std::filesystem::path Folder() const { return folder_ / std::filesystem::u8path(u8"한글 😀"); }
    void Write(const std::filesystem::path& path, const std::string& contents) {
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(ReplaceFileAtomically(path, contents));
    }
    ScratchFolder scratch_{"solvane-skin-"};
    const std::filesystem::path& folder_ = scratch_.path();
};

TEST_F(TemplateFolderTest, ATemplateIsReadFromItsFolderWithThePicturesSize) {
    Write(SkinConfigPath(Folder(), "blue"), "[Settings]\r\nBODY=0,30,300,250\r\nHEIGHTWEEKDAYROW=20\r\n");
    Write(SkinBackgroundPath(Folder(), "blue"), png_samples::WholePng(320, 280));
    const SkinTemplate skin = LoadSkinTemplate(Folder(), "blue", KnownFamily);
    EXPECT_EQ(skin.body, (Rect{0, 30, 300, 250}));
    EXPECT_EQ(skin.weekdayRowHeight, 20);
    EXPECT_EQ(skin.backgroundPath, SkinBackgroundPath(Folder(), "blue"));
    EXPECT_EQ(skin.backgroundWidth, 320);
    EXPECT_EQ(skin.backgroundHeight, 280);
}

TEST_F(TemplateFolderTest, AMissingTemplateGivesDefaultsAndAnEmptyPicture) {
    const SkinTemplate skin = LoadSkinTemplate(Folder(), "", KnownFamily);
    EXPECT_FALSE(skin.body.has_value());
    EXPECT_EQ(skin.backgroundWidth, 0);
    EXPECT_EQ(skin.backgroundHeight, 0);
    EXPECT_EQ(skin.backgroundPath, SkinBackgroundPath(Folder(), ""));
    EXPECT_FALSE(skin.damaged());  // nothing to tell the user about
}

TEST_F(TemplateFolderTest, AConfigurationBeyondOneMiBIsDamagedAndNotParsed) {
    // A downloaded skin of that size once took gigabytes to parse.
    Write(SkinConfigPath(Folder(), "huge"),
          "[Settings]\r\nBODY=0,30,300,250\r\n" + std::string(kProfileFileLimit, ';'));
    const SkinTemplate huge = LoadSkinTemplate(Folder(), "huge", KnownFamily);
    EXPECT_EQ(huge.damage, SkinDamage::kConfiguration);
    EXPECT_FALSE(huge.body.has_value());
    // Right at the limit it is still a template.
    std::string text = "[Settings]\r\nBODY=0,30,300,250\r\n";
    Write(SkinConfigPath(Folder(), "full"), text + std::string(kProfileFileLimit - text.size(), ';'));
    const SkinTemplate full = LoadSkinTemplate(Folder(), "full", KnownFamily);
    EXPECT_FALSE(full.damaged());
    EXPECT_EQ(full.body, (Rect{0, 30, 300, 250}));
}

TEST_F(TemplateFolderTest, APictureThatIsNoPngMakesTheTemplateDamaged) {
    Write(SkinConfigPath(Folder(), "bmp"), "[Settings]\r\nBODY=0,30,300,250\r\n");
    Write(SkinBackgroundPath(Folder(), "bmp"), std::string("BM\x36\0\0\0\0\0\0\0\x36\0\0\0", 14));
    const SkinTemplate skin = LoadSkinTemplate(Folder(), "bmp", KnownFamily);
    EXPECT_EQ(skin.damage, SkinDamage::kPicture);
    EXPECT_EQ(skin.backgroundWidth, 0);
}

// A download that stopped, or a copy onto a full disk: the header is sound,
// the pixels are not all there, and the window would show nothing.
TEST_F(TemplateFolderTest, APictureCutShortMakesTheTemplateDamaged) {
    Write(SkinConfigPath(Folder(), "cut"), "[Settings]\r\nBODY=0,30,300,250\r\n");
    Write(SkinBackgroundPath(Folder(), "cut"), png_samples::WholePng(320, 280).substr(0, 200));
    const SkinTemplate skin = LoadSkinTemplate(Folder(), "cut", KnownFamily);
    EXPECT_EQ(skin.damage, SkinDamage::kPicture);
    EXPECT_EQ(skin.backgroundWidth, 320) << "the header alone still gives the size";
}

TEST(SkinTemplateTest, RectanglesThatCannotHoldAMonthAreTold) {
    struct Case {
        const char* config;
        bool holds;
    } cases[] = {
        {"BODY=18,80,342,380\r\nHEIGHTWEEKDAYROW=24\r\nYEARSHOW=40,24,100,60\r\nMONTHSHOW=236,19,286,65", true},
        {"", true},                                            // no BODY: no days, by the template's choice
        {"BODY=0,0,7,6", true},                                // a pixel for each day
        {"BODY=342,380,18,80", false},                         // reversed
        {"BODY=18,80,18,380", false},                          // no width
        {"BODY=18,80,342,80", false},                          // no height
        {"BODY=18,80,24,380", false},                          // narrower than seven columns
        {"BODY=18,80,342,109\r\nHEIGHTWEEKDAYROW=24", false},  // the weekday row leaves no room for 6 weeks
        {"BODY=400,80,500,380", false},                        // beside the 360 x 500 picture
        {"BODY=18,-400,342,-100", false},                      // above it
        {"BODY=18,80,342,380\r\nMONTHSHOW=286,65,236,19", false},
        {"BODY=18,80,342,380\r\nYEARSHOW=100,24,40,60", false},
    };
    for (const Case& c : cases) {
        SkinTemplate skin = Skin(std::string(c.config) + "\r\n");
        skin.backgroundWidth = 360;
        skin.backgroundHeight = 500;
        EXPECT_EQ(RectanglesHoldAMonth(skin), c.holds) << c.config;
    }
}

TEST_F(TemplateFolderTest, ATemplateWhoseBodyIsReversedIsDamaged) {
    Write(SkinConfigPath(Folder(), "reversed"), "[Settings]\r\nBODY=300,250,0,30\r\n");
    Write(SkinBackgroundPath(Folder(), "reversed"), png_samples::WholePng(320, 280));
    EXPECT_EQ(LoadSkinTemplate(Folder(), "reversed", KnownFamily).damage, SkinDamage::kLayout);
}

TEST_F(TemplateFolderTest, ATrayTemplateWithoutSizeDrawsAt9WithNoHalo) {
    Write(TrayIniPath(Folder(), "red"), "[Settings]\r\nRECT=0,1,16,15\r\nFONT_COLOR=255,255,255\r\nFONT_BOLD=1\r\n");
    const TrayTemplate tray = LoadTrayTemplate(Folder(), "red", KnownFamily);
    EXPECT_EQ(tray.numberBox, (Rect{0, 1, 16, 15}));
    EXPECT_EQ(tray.style.size, 9);
    EXPECT_EQ(tray.style.shadowHeight, 0);
    EXPECT_TRUE(tray.style.bold);
    EXPECT_EQ(tray.style.family, "Tahoma");
    EXPECT_EQ(tray.style.color, kWhite);
    EXPECT_EQ(tray.picturePath, TrayPicturePath(Folder(), "red"));
}

TEST_F(TemplateFolderTest, WithoutItsIniATrayTemplateDrawsNoNumber) {
    const TrayTemplate tray = LoadTrayTemplate(Folder(), "none", KnownFamily);
    EXPECT_FALSE(tray.numberBox.has_value());
    Write(TrayIniPath(Folder(), "odd"), "[Settings]\r\nRECT=1,2,3\r\nFONT_FAMILY=Wingdings 9\r\nFONT_SIZE=12\r\n");
    const TrayTemplate odd = LoadTrayTemplate(Folder(), "odd", KnownFamily);
    EXPECT_FALSE(odd.numberBox.has_value());
    EXPECT_EQ(odd.style.family, "Tahoma");
    EXPECT_EQ(odd.style.size, 12);
    EXPECT_FALSE(tray.damaged());  // nothing to tell the user about
    EXPECT_FALSE(odd.damaged());
}

TEST_F(TemplateFolderTest, ATrayTemplateWithAGiantIniOrAPictureThatIsNoPngIsDamaged) {
    Write(TrayIniPath(Folder(), "huge"), "[Settings]\r\nRECT=0,1,16,15\r\n" + std::string(kProfileFileLimit, ';'));
    const TrayTemplate huge = LoadTrayTemplate(Folder(), "huge", KnownFamily);
    EXPECT_EQ(huge.damage, SkinDamage::kConfiguration);
    EXPECT_FALSE(huge.numberBox.has_value());  // never parsed
    Write(TrayIniPath(Folder(), "jpeg"), "[Settings]\r\nRECT=0,1,16,15\r\n");
    Write(TrayPicturePath(Folder(), "jpeg"), std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11));
    EXPECT_EQ(LoadTrayTemplate(Folder(), "jpeg", KnownFamily).damage, SkinDamage::kPicture);
    Write(TrayIniPath(Folder(), "cut"), "[Settings]\r\nRECT=0,1,16,15\r\n");
    Write(TrayPicturePath(Folder(), "cut"), png_samples::WholePng(16, 16).substr(0, 60));
    EXPECT_EQ(LoadTrayTemplate(Folder(), "cut", KnownFamily).damage, SkinDamage::kPicture);
}

}  // namespace
