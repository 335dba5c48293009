#include "view/win/font_families.h"

#include "base/win/gdiplus_scoped.h"

#include <gtest/gtest.h>

#include "base/profile_file.h"
#include "view/skin_template.h"

namespace {

class FontFamiliesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session_.ok()); }
    GdiplusSession session_;
};

TEST_F(FontFamiliesTest, InstalledFamiliesAreFoundAndUnknownOnesAreNot) {
    EXPECT_TRUE(IsFontFamilyInstalled("Tahoma"));
    EXPECT_FALSE(IsFontFamilyInstalled("No Such Family 4711"));
    EXPECT_FALSE(IsFontFamilyInstalled(""));
}

TEST_F(FontFamiliesTest, ATemplateNamingAMissingFamilyDrawsInTahoma) {
    const SkinTemplate skin = ReadSkinTemplate(
        ProfileDocument("[Settings]\r\nDAYROW_FONT_FAMILY=No Such Family 4711\r\nYEARSHOW_FONT_FAMILY=Tahoma\r\n"),
        InstalledFontFamilies());
    EXPECT_EQ(skin.dayStyle.family, "Tahoma");
    EXPECT_EQ(skin.yearStyle.family, "Tahoma");
}

}  // namespace
