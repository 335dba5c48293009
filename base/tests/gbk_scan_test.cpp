#include "base/gbk_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

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

TEST(GbkScan, TrimsTheBlanksOfEachFilesOwnSetAndNothingElse) {
    struct Case {
        std::string text;
        std::string_view blanks;
        std::string trimmed;
    };
    const Case cases[] = {
        {"  a b \t", kSpacesAndTabs, "a b"},
        {"\r\n节日 \r\n", kBlanksAndLineEnds, "节日"},
        {"\t值\t", kSpaces, "\t值\t"},  // a tab is no blank of the almanac
        {" 2026-10-01\r", kLineBlanks, "2026-10-01"},
        {"\x1a key \v", kProfileBlanks, "key"},
        {"   ", kSpaces, ""},
        {"\xB0 ", kSpaces, "\xB0"},  // a lead byte alone keeps its place
    };
    for (const Case& c : cases) EXPECT_EQ(TrimBlanks(c.text, c.blanks), c.trimmed) << c.text;
    // No blank can be the second byte of a character, so none is ever cut.
    for (std::string_view blanks : {kSpaces, kSpacesAndTabs, kLineBlanks, kBlanksAndLineEnds, kProfileBlanks}) {
        for (const char c : blanks) EXPECT_FALSE(IsGbkTrailByte(static_cast<unsigned char>(c))) << int(c);
    }
}

TEST(GbkScan, SplitsAtEverySeparatorButNeverInsideACharacter) {
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(SplitGbk("a,b,,c", ','), (Pieces{"a", "b", "", "c"}));
    EXPECT_EQ(SplitGbk("", ','), (Pieces{""}));
    EXPECT_EQ(SplitGbk("国庆节,", ','), (Pieces{"国庆节", ""}));
    EXPECT_EQ(SplitGbk("\x95\x5C\\x", '\\'), (Pieces{"\x95\x5C", "x"}));
    EXPECT_EQ(SplitGbk("\xD8\x7C|b", '|'), (Pieces{"\xD8\x7C", "b"}));
}

}  // namespace
