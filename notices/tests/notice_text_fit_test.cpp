#include "notices/notice_text_fit.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/repeated_text.h"

namespace {

// A label 20 columns wide with 13-pixel lines: a double-byte character takes
// two columns, any other one; lines wrap between characters as Chinese text
// does, and a line break starts a new line.
constexpr int kColumns = 20;
constexpr int kLineHeight = 13;
constexpr int kFiveLines = 5 * kLineHeight;

int HeightOf(const std::string& text) {
    int lines = 1, column = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\n') {
            if (i + 1 < text.size()) ++lines;
            column = 0;
            ++i;
            continue;
        }
        const bool wide = static_cast<unsigned char>(text[i]) >= 0x81 && i + 1 < text.size();
        const int width = wide ? 2 : 1;
        if (column + width > kColumns) {
            ++lines;
            column = 0;
        }
        column += width;
        i += wide ? 2 : 1;
    }
    return lines * kLineHeight;
}

FittedNoticeText Fit(const std::string& message, int boxHeight = kFiveLines) {
    return FitNoticeText(message, boxHeight, HeightOf);
}

TEST(NoticeTextFit, AMessageThatFitsIsShownAsItIsWithItsBlankLines) {
    const std::string twoAlerts = "\n\n今天08:00：买花\n今天08:00：交房租\n";
    const FittedNoticeText fitted = Fit(twoAlerts);
    EXPECT_EQ(fitted.text, twoAlerts);
    EXPECT_FALSE(fitted.cut);
}

TEST(NoticeTextFit, BlankLinesAtTheTopGoBeforeAnyOfTheText) {
    const std::string fourLines = "今天08:00：一\n今天08:01：二\n今天08:02：三\n今天08:03：四\n";
    FittedNoticeText fitted = Fit("\n\n" + fourLines);
    EXPECT_EQ(fitted.text, "\n" + fourLines);
    EXPECT_FALSE(fitted.cut);

    const std::string fiveLines = fourLines + "今天08:04：五\n";
    fitted = Fit("\n\n" + fiveLines);
    EXPECT_EQ(fitted.text, fiveLines);
    EXPECT_FALSE(fitted.cut);
}

TEST(NoticeTextFit, ALongReminderEndsItsLastLineShownWithAnEllipsis) {
    const std::string reminder = Repeated("记得带上身份证和合同", 20);
    const std::string message = "\n\n今天08:00：" + reminder + "\n";
    const FittedNoticeText fitted = Fit(message);
    EXPECT_TRUE(fitted.cut);
    ASSERT_GE(fitted.text.size(), 2u);
    const std::string shown = fitted.text.substr(0, fitted.text.size() - 2);
    EXPECT_EQ(fitted.text.substr(shown.size()), "…");
    // The label is filled to its last line, with whole characters only.
    EXPECT_EQ(HeightOf(fitted.text), kFiveLines);
    EXPECT_EQ(message.substr(2, shown.size()), shown);
    EXPECT_EQ((shown.size() - std::string("今天08:00：").size()) % 2, 0u);
    EXPECT_GT(HeightOf(message.substr(2, shown.size() + 2) + "…"), kFiveLines);
}

TEST(NoticeTextFit, TheEllipsisClosesTheLastLineRatherThanStartingOne) {
    const std::string line = "八个汉字八个汉字\n";  // 16 of 20 columns
    const FittedNoticeText fitted = Fit("\n\n" + Repeated(line, 7));
    EXPECT_TRUE(fitted.cut);
    EXPECT_EQ(fitted.text, Repeated(line, 4) + "八个汉字八个汉字…");
}

TEST(NoticeTextFit, ALabelTooLowForOneLineShowsOnlyTheEllipsis) {
    const FittedNoticeText fitted = Fit("\n\n今天08:00：买花\n", kLineHeight - 1);
    EXPECT_TRUE(fitted.cut);
    EXPECT_EQ(fitted.text, "…");
}

TEST(NoticeTextFit, AnEmptyMessageStaysEmpty) {
    const FittedNoticeText fitted = Fit("");
    EXPECT_EQ(fitted.text, "");
    EXPECT_FALSE(fitted.cut);
}

}  // namespace
