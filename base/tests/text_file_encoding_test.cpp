#include "base/text_file_encoding.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

// "[ITEMS]\r\n春节" as each editor saves it.
const std::string kGbk = "[ITEMS]\r\n\xB4\xBA\xBD\xDA";
const std::string kUtf8 = "[ITEMS]\r\n\xE6\x98\xA5\xE8\x8A\x82";
const std::string kUtf16Le = "[\0I\0T\0E\0M\0S\0]\0\r\0\n\0\x25\x66\x82\x82"s;
const std::string kUtf16Be = "\0[\0I\0T\0E\0M\0S\0]\0\r\0\n\x66\x25\x82\x82"s;

struct Saved {
    const char* editor;
    std::string bytes;
    TextFileEncoding encoding;
    bool marked;
};

TEST(TextFileEncoding, EveryEditorsSaveReadsAsTheSameText) {
    const Saved cases[] = {
        {"GBK", kGbk, TextFileEncoding::kGbk, false},
        {"UTF-8", kUtf8, TextFileEncoding::kUtf8, false},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + kUtf8, TextFileEncoding::kUtf8, true},
        {"Notepad Unicode", "\xFF\xFE" + kUtf16Le, TextFileEncoding::kUtf16Le, true},
        {"UTF-16 LE without mark", kUtf16Le, TextFileEncoding::kUtf16Le, false},
        {"UTF-16 BE", "\xFE\xFF" + kUtf16Be, TextFileEncoding::kUtf16Be, true},
        {"UTF-16 BE without mark", kUtf16Be, TextFileEncoding::kUtf16Be, false},
    };
    for (const Saved& saved : cases) {
        const DecodedTextFile decoded = DecodeTextFile(saved.bytes);
        EXPECT_EQ(decoded.text, kGbk) << saved.editor;
        EXPECT_EQ(decoded.encoding, saved.encoding) << saved.editor;
        EXPECT_EQ(decoded.marked, saved.marked) << saved.editor;
        EXPECT_FALSE(decoded.unmappable) << saved.editor;
        EXPECT_EQ(EncodeTextFile(decoded.text, decoded.encoding, decoded.marked), saved.bytes) << saved.editor;
    }
}

TEST(TextFileEncoding, CharactersWithoutAGbkFormAreFlagged) {
    const std::string emojiUtf8 = "a=\xF0\x9F\x8E\x82?";
    const std::string emojiUtf16 = "\xFF\xFE"s + "a\0=\0\x3C\xD8\x82\xDF?\0"s;
    const std::string loneSurrogate = "\xFF\xFE"s + "a\0\x3C\xD8"s;
    for (const std::string& bytes : {emojiUtf8, emojiUtf16, loneSurrogate}) {
        const DecodedTextFile decoded = DecodeTextFile(bytes);
        EXPECT_TRUE(decoded.unmappable) << decoded.text;
        EXPECT_TRUE(decoded.NotGbk());
    }
    // A question mark the user typed is not a lost character.
    EXPECT_FALSE(DecodeTextFile("\xEF\xBB\xBFwhy?").unmappable);
}

TEST(TextFileEncoding, WhatNoEncodingExplainsIsUnreadableAndEmpty) {
    const std::string cases[] = {
        "\xFF\xFE\0\0a\0\0\0"s,  // UTF-32 LE
        "\0\0\xFE\xFF\0\0\0a"s,  // UTF-32 BE
        "\xFF\xFE"
        "a\0b"s,  // UTF-16 cut in a code unit
        "\xEF\xBB\xBF"
        "\xB4\xBA\xBD\xDA",  // a UTF-8 mark before GBK
    };
    for (const std::string& bytes : cases) {
        const DecodedTextFile decoded = DecodeTextFile(bytes);
        EXPECT_EQ(decoded.encoding, TextFileEncoding::kUnreadable);
        EXPECT_TRUE(decoded.text.empty());
    }
}

TEST(TextFileEncoding, GbkWithStrayNulsAndAsciiStayGbk) {
    const std::string cases[] = {"",
                                 "a",
                                 "Item0=00\r\n",
                                 "\xC0\xB6\xC9\xAB" /* 蓝色, loosely UTF-8 */,
                                 "a=\xD6\xB5" /* 值, strictly */,
                                 "YL,JR,1-1,\xD4\xAA\xB5\xA9\0tail"s,
                                 "\xB4\xBA\0\0\xBD\xDA"s};
    for (const std::string& bytes : cases) {
        const DecodedTextFile decoded = DecodeTextFile(bytes);
        EXPECT_EQ(decoded.encoding, TextFileEncoding::kGbk);
        EXPECT_EQ(decoded.text, bytes);
    }
}

TEST(TextFileEncoding, ChineseHeavyUtf16WithoutMarkIsStillFound) {
    // 一 (U+4E00) puts its NUL in the other half of the unit than ASCII does.
    std::string bytes;
    for (int i = 0; i < 10; ++i) bytes += "1\0,\0a\0\x00\x4E"s;
    EXPECT_EQ(DecodeTextFile(bytes).encoding, TextFileEncoding::kUtf16Le);
}

}  // namespace
