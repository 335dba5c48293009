#include "almanac/generator/yiji_rules.h"

#include <gtest/gtest.h>

using namespace almanac_gen;

TEST(YiJiRuleTables, BuiltInTablesReadWithoutError) {
    YiJiRules rules;
    std::string error;
    EXPECT_TRUE(rules.Load(BuiltInYiJiTables(), error)) << error;
    EXPECT_EQ(rules.Activities().size(), 60u);
}
