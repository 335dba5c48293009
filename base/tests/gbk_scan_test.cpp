#include "base/gbk_scan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GbkScan, ADoubleByteCharacterIsSteppedOverWhole) {
    const std::string text = "节日";  // 0xBD 0xDA 0xC8 0xD5
    EXPECT_EQ(GbkCharLength(text, 0), 2u);
    EXPECT_EQ(GbkCharLength(text, 2), 2u);
    // 0x5C ('\') and 0x7C ('|') are trail bytes of common characters.
    EXPECT_EQ(FindGbkChar("\x95\x5C\\", '\\'), 2u);
    EXPECT_EQ(FindGbkChar("\xD8\x7C|", '|'), 2u);
}

TEST(GbkScan, MalformedInputStepsOneByteAndNeverSwallowsWhatFollows) {
    // A lead byte before a byte that cannot be a trail byte: a line break,
    // a comma, 0x7F, or another byte below 0x40.
    EXPECT_EQ(GbkCharLength("\x81\n", 0), 1u);
    EXPECT_EQ(GbkCharLength("\xB0,", 0), 1u);
    EXPECT_EQ(GbkCharLength("\xB0\x7F", 0), 1u);
    EXPECT_EQ(GbkCharLength("\xB0\xFF", 0), 1u);
    EXPECT_EQ(FindGbkChar("\xB0,b", ','), 1u);
    EXPECT_EQ(FindLastGbkChar("a\xB0\n", '\n'), 2u);
    // A lead byte at the very end counts as one byte.
    EXPECT_EQ(GbkCharLength("a\xB0", 1), 1u);
}

}  // namespace
