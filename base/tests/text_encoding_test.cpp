#include "base/text_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, ChineseTextSurvivesTheRoundTrip) {
    const std::string gbk = "二〇一三年正月初一「闰月」（33周岁）【老黄历信息】";
    const std::string utf8 = Utf8FromGbk(gbk);
    EXPECT_EQ(utf8, u8"二〇一三年正月初一「闰月」（33周岁）【老黄历信息】");
    EXPECT_EQ(GbkFromUtf8(utf8), gbk);
}

TEST(TextEncoding, AsciiPassesUnchanged) {
    EXPECT_EQ(Utf8FromGbk("Error: 1, Description: x"), "Error: 1, Description: x");
    EXPECT_EQ(GbkFromUtf8(""), "");
}

TEST(TextEncoding, BytesThatAreNotUtf8BecomeQuestionMarks) {
    const std::string converted = GbkFromUtf8(std::string("a\xff") + u8"冬");
    EXPECT_EQ(converted, "a?冬");
}

TEST(TextEncoding, OneConverterServesManyTexts) {
    TextConverter converter;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(converter.GbkFromUtf8(u8"立春"), "立春");
        EXPECT_EQ(converter.Utf8FromGbk("冬至"), u8"冬至");
    }
}

}  // namespace

#ifndef _WIN32
// iconv grows its output buffer as it goes; on Windows the system converts.
TEST(TextEncoding, EveryMixOfTextAndBadBytesIsConvertedWhole) {
    TextConverter converter;
    for (int chinese = 0; chinese < 40; ++chinese) {
        for (int bad = 1; bad < 12; ++bad) {
            std::string gbk;
            for (int i = 0; i < chinese; ++i) gbk += "中";
            gbk += std::string(static_cast<size_t>(bad), '\xFF');
            std::string expected;
            for (int i = 0; i < chinese; ++i) expected += "\xE4\xB8\xAD";
            EXPECT_EQ(converter.Utf8FromGbk(gbk), expected + std::string(static_cast<size_t>(bad), '?'));
        }
    }
}
#endif

namespace {

TEST(TextEncoding, TellsWellFormedUtf8FromOtherBytes) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"ascii", true},
        {"\xE4\xBC\x91", true},           // 休
        {"\xF0\x9F\x98\x80", true},       // an emoji
        {"\xE4\xBC", false},              // cut short
        {"\xE4\x41\x91", false},          // a continuation byte missing
        {"\xD0\xDD", false},              // 休 in GBK
        {"\x80", false},                  // a lone continuation byte
        {"\xF8\x88\x80\x80\x80", false},  // five bytes
    };
    for (const auto& [bytes, valid] : cases) EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
}

}  // namespace
