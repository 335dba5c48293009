#include "festivals/win/open_festival_help.h"

#include <gtest/gtest.h>

TEST(OpenFestivalHelpTest, TheShellIsGivenTheWideFormOfTheFestivalsPage) {
    EXPECT_EQ(FestivalHelpAddress("春节"), L"https://baike.baidu.com/item/%E6%98%A5%E8%8A%82");
    EXPECT_EQ(FestivalHelpAddress("妈妈的生日"), L"https://baike.baidu.com/item/%E8%8A%82%E6%97%A5");
}
