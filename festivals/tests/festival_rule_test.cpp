#include "festivals/festival_rule.h"

#include <gtest/gtest.h>

namespace {

TEST(RuleCodeTest, FieldsAreReadTheWayTheFormattedScanReadsThem) {
    MsdRule msd;
    // Blanks before a number are skipped, a sign is allowed, trailing text ignored.
    EXPECT_TRUE(ReadMsdRule("MSD: 5:\t+2: 7 and more", msd));
    EXPECT_EQ(msd.n, 2);
    EXPECT_EQ(msd.weekday, 7);
    // Literal characters must match exactly.
    EXPECT_FALSE(ReadMsdRule("MSD:5 :2:7", msd));
    EXPECT_FALSE(ReadMsdRule(" MSD:5:2:7", msd));
    EXPECT_FALSE(ReadMsdRule("MSD:5:- 2:7", msd));
    // The marker may stand anywhere, but the pattern is read from the start.
    EXPECT_FALSE(ReadMsdRule("xMSD:5:2:7", msd));
    // A form counts only with every field.
    EXPECT_FALSE(ReadMsdRule("MSD:5:2", msd));
    FixedDateRule fixed;
    EXPECT_FALSE(ReadFixedDateRule("MSD:5:2", fixed));
    EXPECT_FALSE(ReadFixedDateRule("5-", fixed));
    // A year in front is read as the month.
    ASSERT_TRUE(ReadFixedDateRule("1980-5-12", fixed));
    EXPECT_EQ(fixed.month, 1980);
    EXPECT_EQ(fixed.day, 5);
}

TEST(RuleCodeTest, TheTwoOffsetMarkersNeverMix) {
    OffsetRule offset;
    SolarTermOffsetRule term;
    EXPECT_FALSE(ReadOffsetRule("OFFSETJQ:3:清明", offset));
    EXPECT_FALSE(ReadSolarTermOffsetRule("OFFSET:3:4-5", term));
    EXPECT_TRUE(HasSolarTermOffsetMarker("OFFSETJQ:3:清明"));
    EXPECT_FALSE(HasOffsetMarker("OFFSETJQ:3:清明"));
}

TEST(RuleCodeTest, MarkersAreCaseSensitiveUntilTheTextIsUpperCased) {
    MsdRule msd;
    EXPECT_FALSE(ReadMsdRule("msd:5:2:7", msd));
    EXPECT_TRUE(ReadMsdRule(UpperCaseAscii("msd:5:2:7"), msd));
    EXPECT_FALSE(HasMsdMarker("msd:5:2:7"));
}

TEST(RuleCodeTest, UpperCasingLeavesDoubleByteCharactersWhole) {
    // 舊 is C5 66 and 歲 is 9A 71: their trail bytes are the letters f and q.
    const std::string text = "offsetjq:1:舊歲 x";
    const std::string upper = UpperCaseAscii(text);
    EXPECT_EQ(upper, "OFFSETJQ:1:舊歲 X");
    SolarTermOffsetRule term;
    ASSERT_TRUE(ReadSolarTermOffsetRule(upper, term));
    EXPECT_EQ(term.term, "舊歲");
    // A lead byte at the very end is copied as it is.
    EXPECT_EQ(UpperCaseAscii(std::string("a\x81", 2)), std::string("A\x81", 2));
}

TEST(RuleCodeTest, ASolarTermIsReadUpToWhiteSpaceAndAtMost29Bytes) {
    SolarTermOffsetRule term;
    ASSERT_TRUE(ReadSolarTermOffsetRule("OFFSETJQ:-1:清明 的前一天", term));
    EXPECT_EQ(term.term, "清明");
    EXPECT_FALSE(ReadSolarTermOffsetRule("OFFSETJQ:1:", term));
    EXPECT_FALSE(ReadSolarTermOffsetRule("OFFSETJQ:1:   ", term));
    const std::string longest(29, 'T');
    ASSERT_TRUE(ReadSolarTermOffsetRule("OFFSETJQ:0:" + longest, term));
    EXPECT_EQ(term.term, longest);
    EXPECT_FALSE(ReadSolarTermOffsetRule("OFFSETJQ:0:" + longest + "T", term));
    EXPECT_FALSE(ReadSolarTermOffsetRule("OFFSETJQ:0:" + std::string(5000, 'x'), term));
}

TEST(RuleCodeTest, NumbersBeyondTheRangeOfIntAreClampedNotWrapped) {
    OffsetRule offset;
    ASSERT_TRUE(ReadOffsetRule("OFFSET:99999999999999999999:1-1", offset));
    EXPECT_EQ(offset.n, 2147483647);
    ASSERT_TRUE(ReadOffsetRule("OFFSET:-99999999999999999999:1-1", offset));
    EXPECT_EQ(offset.n, -2147483647 - 1);
}

TEST(LeadingIntegerTest, ReadsLikeAtoi) {
    EXPECT_EQ(LeadingInteger("1980"), 1980);
    EXPECT_EQ(LeadingInteger("  1980年"), 1980);
    EXPECT_EQ(LeadingInteger("0980"), 980);
    EXPECT_EQ(LeadingInteger("-5"), -5);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger(""), 0);
}

}  // namespace
