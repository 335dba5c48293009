#include "base/whole_number.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Case {
    const char* text;
    int least, most;
    std::optional<int> value;
    WholeNumberProblem problem;
};

constexpr auto kNone = WholeNumberProblem::kNone;
constexpr auto kNotANumber = WholeNumberProblem::kNotANumber;
constexpr auto kOutOfRange = WholeNumberProblem::kOutOfRange;

TEST(WholeNumber, ANumberTooLargeForAnIntIsOutOfRangeNeverWrappedIntoIt) {
    const Case cases[] = {
        {"2026", 1901, 2099, 2026, kNone},
        {"+3", 1, 5, 3, kNone},
        {"-3", -5, 5, -3, kNone},
        {"007", 1, 10, 7, kNone},
        {"4294969322", 1901, 2099, std::nullopt, kOutOfRange},  // 2026 + 2^32
        {"4294967297", 1, 12, std::nullopt, kOutOfRange},       // 1 + 2^32
        {"-4294967295", 1, 5, std::nullopt, kOutOfRange},       // 1 - 2^32
        {"99999999999999999999999", 1, 199, std::nullopt, kOutOfRange},
        {"2147483647", 1, 2147483647, 2147483647, kNone},
        {"2147483648", 1, 2147483647, std::nullopt, kOutOfRange},
        {"0", 1, 199, std::nullopt, kOutOfRange},
        {"6", 1, 5, std::nullopt, kOutOfRange},
    };
    for (const Case& c : cases) {
        const WholeNumber read = ReadWholeNumber(c.text, c.least, c.most);
        EXPECT_EQ(read.value, c.value) << c.text;
        EXPECT_EQ(read.problem, c.problem) << c.text;
    }
}

TEST(WholeNumber, AnythingButDigitsAfterASignIsNoNumber) {
    for (const char* text :
         {"", "-", "+", "x", "20x6", "3 ", " 3", "3.0", "1e3", "0x10", "--3", "99999999999x", "３"}) {
        const WholeNumber read = ReadWholeNumber(text, -1000, 1000);
        EXPECT_EQ(read.value, std::nullopt) << '"' << text << '"';
        EXPECT_EQ(read.problem, kNotANumber) << '"' << text << '"';
    }
}

}  // namespace
