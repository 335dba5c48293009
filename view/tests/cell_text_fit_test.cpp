// Texts made to fit their boxes: a cell of the shipped skins is 46 pixels
// wide and its second line 12 pixels high.
#include "view/cell_text_fit.h"

#include <gtest/gtest.h>

#include "base/gbk_scan.h"

namespace {

TEST(CellTextFit, ANameIsDrawnAtTheTemplatesSizeSmallerOrEndedInAnEllipsis) {
    struct Case {
        const char* text;
        int size, smallest, width;
        const char* shown;
        int shownSize;
        bool cut;
    };
    const Case cases[] = {
        {"国庆节", 12, 10, 46, "国庆节", 12, false},            // three characters fit
        {"妈妈生日", 12, 10, 46, "妈妈生日", 10, false},        // four, drawn smaller
        {"九.一八", 12, 10, 46, "九.一八", 11, false},          // a dot takes less room
        {"妈妈的生日", 12, 10, 46, "妈妈的…", 10, true},        // five do not fit at all
        {"Mom's day", 12, 10, 46, "Mom's…", 10, true},          // single-byte letters
        {"妈妈 生日", 12, 10, 46, "妈妈…", 10, true},           // no blank before "…"
        {"南京大屠杀纪念日", 18, 15, 69, "南京大…", 15, true},  // the same cell at 150 %
        {"闰十一月", 12, 10, 46, "闰十一月", 10, false},
        {"国庆节", 12, 10, 10, "…", 10, true},  // not even one character
        {"", 12, 10, 46, "", 12, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const FittedText fitted = FitText(c.text, c.size, c.smallest, c.width);
        EXPECT_EQ(fitted.text, c.shown);
        EXPECT_EQ(fitted.size, c.shownSize);
        EXPECT_EQ(fitted.cut, c.cut);
    }
}

// Whatever the box, the result is drawn within it and is the text's first
// whole characters: never half of a double-byte character.
TEST(CellTextFit, ACutTextIsWholeCharactersAndFitsEveryWidth) {
    const std::string text = "a世界b艾滋病日cd";
    for (int width = 0; width <= 140; ++width) {
        SCOPED_TRACE(width);
        const FittedText fitted = FitText(text, 12, 12, width);
        if (!fitted.cut) {
            EXPECT_EQ(fitted.text, text);
            EXPECT_LE(ReckonedTextWidth(fitted.text, 12), width);
            continue;
        }
        const std::string kept = fitted.text.substr(0, fitted.text.size() - std::string("…").size());
        ASSERT_EQ(fitted.text.substr(kept.size()), "…");
        EXPECT_EQ(text.compare(0, kept.size(), kept), 0);
        std::size_t end = 0;
        while (end < kept.size()) end += GbkCharLength(text, end);
        EXPECT_EQ(end, kept.size()) << "cut inside a character";
        if (!kept.empty()) EXPECT_LE(ReckonedTextWidth(fitted.text, 12), width);
    }
}

TEST(CellTextFit, TheSmallestCellSizeIsFiveSixthsOfTheTemplates) {
    EXPECT_EQ(SmallestCellTextSize(12), 10);
    EXPECT_EQ(SmallestCellTextSize(18), 15);
    EXPECT_EQ(SmallestCellTextSize(5), 5);
}

}  // namespace
