#include "base/inflate.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/png_samples.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes += static_cast<char>(v);
    return bytes;
}

// Streams made with zlib: fixed Huffman codes, and dynamic ones.
const std::string kFixed =
    Bytes({0x78, 0x01, 0x4b, 0x54, 0x28, 0xce, 0xce, 0xcc, 0x53, 0x2f, 0x56, 0x28, 0xc8, 0x4c, 0x2e,
           0x29, 0x2d, 0x4a, 0xd5, 0x51, 0x48, 0x24, 0x28, 0x02, 0x00, 0xdf, 0x3a, 0x12, 0x5d});
const std::string kFixedText = "a skin's picture, a skin's picture, a skin's picture";
const std::string kDynamic =
    Bytes({0x78, 0xda, 0x1d, 0xcb, 0x41, 0x0a, 0xc0, 0x30, 0x0c, 0x03, 0xc1, 0xb7, 0x0a, 0xb2, 0x90, 0x40, 0xb1, 0xa0,
           0x51, 0xfe, 0x5f, 0xa7, 0x17, 0xc3, 0x0e, 0x72, 0x48, 0xc1, 0x31, 0x31, 0x02, 0x92, 0x3e, 0xce, 0x15, 0xaa,
           0x8c, 0xfd, 0xc3, 0xf5, 0x8e, 0xf8, 0xec, 0x2e, 0x17, 0x9d, 0xb3, 0x65, 0xa1, 0xed, 0x8c, 0xc8, 0xea, 0xc5,
           0xc3, 0x1c, 0xf7, 0x5b, 0xca, 0xab, 0x2c, 0x50, 0x18, 0xe1, 0x03, 0x45, 0xed, 0x29, 0xc4});
const std::string kDynamicText =
    "tetneeuoetoeaeeetteeeoteuoeennoeooteeeoetteoeotouseeooneteoheoeieasotdtaoattelehdeeotaatratieeatedte";
// A mebibyte of zeros in about a kilobyte, dynamic codes and long matches.
const std::string kMebibyteOfZeros =
    Bytes({0x78, 0xda, 0xed, 0xc1, 0x31, 0x01, 0x00, 0x00, 0x00, 0xc2, 0xa0, 0xf5, 0x4f, 0x6d, 0x08, 0x5f, 0xa0}) +
    std::string(1016, '\0') + Bytes({0x3e, 0x03, 0x00, 0xf0, 0x00, 0x01});

std::string Text(const std::vector<unsigned char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Inflate, StoredFixedAndDynamicBlocksGiveTheBytesTheyHold) {
    const std::string longStored(150000, 'x');  // three stored blocks
    const struct {
        const char* name;
        std::string stream, bytes;
    } cases[] = {
        {"stored", png_samples::StoredZlib("stored bytes"), "stored bytes"},
        {"stored, empty", png_samples::StoredZlib(""), ""},
        {"stored, several blocks", png_samples::StoredZlib(longStored), longStored},
        {"fixed codes", kFixed, kFixedText},
        {"dynamic codes", kDynamic, kDynamicText},
        {"dynamic codes, long runs", kMebibyteOfZeros, std::string(1 << 20, '\0')},
    };
    for (const auto& c : cases) {
        const std::optional<std::vector<unsigned char>> bytes = InflateZlib(c.stream, c.bytes.size());
        ASSERT_TRUE(bytes) << c.name;
        EXPECT_EQ(Text(*bytes), c.bytes) << c.name;
    }
}

TEST(Inflate, DamagedStreamsAreRefused) {
    const auto changed = [](std::string stream, std::size_t at, int value) {
        stream[at] = static_cast<char>(value);
        return stream;
    };
    const std::string stored = png_samples::StoredZlib("stored bytes");
    const struct {
        const char* name;
        std::string stream;
        std::size_t size;
    } cases[] = {
        {"wrong Adler-32", changed(kFixed, kFixed.size() - 1, 0x5e), kFixedText.size()},
        {"a changed byte", changed(kDynamic, 20, 0x00), kDynamicText.size()},
        {"not deflate", changed(kFixed, 0, 0x77), kFixedText.size()},
        {"a header check that fails", changed(kFixed, 1, 0x02), kFixedText.size()},
        {"a preset dictionary", Bytes({0x78, 0x20}) + kFixed.substr(2), kFixedText.size()},
        {"a stored length and its complement disagree", changed(stored, 5, 0x00), 12},
        {"block type 3", Bytes({0x78, 0x01, 0x07, 0, 0, 0, 1}), 0},
        {"bytes after the checksum", kFixed + "x", kFixedText.size()},
        // A fixed block whose first code is a match (length 3, distance 1)
        // before any byte was written.
        {"a distance before the start", Bytes({0x78, 0x01, 0x03, 0x02, 0x00, 0, 0, 0, 0, 0}), 3},
    };
    for (const auto& c : cases) EXPECT_FALSE(InflateZlib(c.stream, c.size)) << c.name;
    for (std::size_t length = 0; length < kDynamic.size(); ++length) {
        EXPECT_FALSE(InflateZlib(kDynamic.substr(0, length), kDynamicText.size())) << "cut at " << length;
    }
}

TEST(Inflate, AStreamHoldingMoreOrLessThanTheSizeExpectedIsRefused) {
    // A kilobyte that would inflate to a mebibyte never gets more room than
    // what was asked for.
    EXPECT_FALSE(InflateZlib(kMebibyteOfZeros, 4096));
    EXPECT_FALSE(InflateZlib(kMebibyteOfZeros, (1 << 20) - 1));
    EXPECT_FALSE(InflateZlib(kMebibyteOfZeros, (1 << 20) + 1));
    EXPECT_FALSE(InflateZlib(png_samples::StoredZlib("stored bytes"), 11));
    EXPECT_FALSE(InflateZlib(kFixed, kFixedText.size() - 1));
}

}  // namespace
