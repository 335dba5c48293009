// The 干支 names as the almanac's rule tables and the date texts read and
// write them.
#include "calendar/sexagenary_cycle.h"

#include <gtest/gtest.h>

TEST(SexagenaryCycle, EveryPairReadsBackFromItsNameToItsPlace) {
    for (int i = 0; i < 60; ++i) {
        const std::string name = GanZhiName(FromCycleIndex(i));
        ASSERT_EQ(name.size(), 4u) << i;  // two GBK characters
        const GanZhi read{StemIndex(name.substr(0, 2)), BranchIndex(name.substr(2))};
        EXPECT_EQ(CycleIndex(read), i) << name;
    }
    EXPECT_EQ(GanZhiName(FromCycleIndex(40)), "甲辰");
    EXPECT_EQ(GanZhiName(FromCycleIndex(-17)), "丁未");  // counted back from 甲子
}

TEST(SexagenaryCycle, WhatIsNotAStemOrBranchNameHasNoNumber) {
    const struct {
        const char* text;
        int stem, branch;
    } kCases[] = {
        {"甲", 0, -1}, {"癸", 9, -1},    {"子", -1, 0},  {"亥", -1, 11},
        {"", -1, -1},  {"甲子", -1, -1}, {"鼠", -1, -1}, {"a", -1, -1},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(StemIndex(c.text), c.stem) << c.text;
        EXPECT_EQ(BranchIndex(c.text), c.branch) << c.text;
    }
}

TEST(SexagenaryCycle, AStemAndBranchOfDifferentParityNameNoPair) {
    EXPECT_EQ(CycleIndex(GanZhi{0, 1}), 0);   // 甲丑
    EXPECT_EQ(CycleIndex(GanZhi{1, 10}), 0);  // 乙戌
    EXPECT_EQ(CycleIndex(GanZhi{3, 7}), 43);  // 丁未, a pair of the cycle
}
