#include "festivals/festival_help_links.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>

namespace {

const std::string kBase = "https://baike.baidu.com/item/";

// Only unreserved characters and %XX escapes of bytes beyond ASCII: the
// address is plain ASCII, whatever the article's title.
bool IsPercentEncodedTitle(const std::string& title) {
    for (std::size_t i = 0; i < title.size(); ++i) {
        if (title[i] != '%') {
            if (!std::isalnum(static_cast<unsigned char>(title[i])) && !std::strchr("-._~", title[i])) return false;
        } else if (i + 2 >= title.size() || !std::isxdigit(static_cast<unsigned char>(title[i + 1])) ||
                   !std::isxdigit(static_cast<unsigned char>(title[i + 2]))) {
            return false;
        }
    }
    return !title.empty();
}

TEST(FestivalHelpLinksTest, TheTableHoldsTheNamesInItsOrder) {
    const std::vector<FestivalHelpLink> links = FestivalHelpLinks();
    ASSERT_EQ(links.size(), 141u);
    EXPECT_EQ(links[0].name, "立春");
    EXPECT_EQ(links[23].name, "大寒");
    EXPECT_EQ(links[24].name, "除夕");
    EXPECT_EQ(links[40].name, "传统扫房日");
    EXPECT_EQ(links[41].name, "元旦");
    EXPECT_EQ(links[130].name, "圣诞节");
    EXPECT_EQ(links[132].name, "生物多样性日");
    EXPECT_EQ(links[133].name, "二九");
    EXPECT_EQ(links[140].name, "九九");
    std::set<std::string> names;
    for (const FestivalHelpLink& link : links) names.insert(link.name);
    EXPECT_EQ(names.size(), 141u);
}

TEST(FestivalHelpLinksTest, EveryNameHasItsOwnPageButTheCountingDaysShareOne) {
    const std::vector<FestivalHelpLink> links = FestivalHelpLinks();
    std::set<std::string> pages;
    for (const FestivalHelpLink& link : links) pages.insert(link.link);
    EXPECT_EQ(pages.size(), 134u);
    EXPECT_EQ(pages.count(kGeneralFestivalHelpLink), 0u);
    for (std::size_t i = 134; i < links.size(); ++i) EXPECT_EQ(links[i].link, links[133].link) << links[i].name;
}

TEST(FestivalHelpLinksTest, LinksArePercentEncodedEncyclopediaArticles) {
    for (const FestivalHelpLink& link : FestivalHelpLinks()) {
        ASSERT_EQ(link.link.compare(0, kBase.size(), kBase), 0) << link.link;
        EXPECT_TRUE(IsPercentEncodedTitle(link.link.substr(kBase.size()))) << link.link;
    }
}

TEST(FestivalHelpLinksTest, NamesFindTheirPagesByteForByte) {
    EXPECT_EQ(FestivalHelpLinkFor("春节"), kBase + "%E6%98%A5%E8%8A%82");
    EXPECT_EQ(FestivalHelpLinkFor("冬至"), kBase + "%E5%86%AC%E8%87%B3");
    EXPECT_EQ(FestivalHelpLinkFor("三九"), FestivalHelpLinkFor("九九"));
    EXPECT_NE(FestivalHelpLinkFor("九九"), FestivalHelpLinkFor("冬至"));
    EXPECT_NE(FestivalHelpLinkFor("九.一八"), kGeneralFestivalHelpLink);
    EXPECT_EQ(FestivalHelpLinkFor("九一八"), kGeneralFestivalHelpLink);
    EXPECT_EQ(FestivalHelpLinkFor("春节（补）"), kGeneralFestivalHelpLink);
    EXPECT_EQ(FestivalHelpLinkFor("妈妈的生日"), kGeneralFestivalHelpLink);
    EXPECT_EQ(FestivalHelpLinkFor(""), kGeneralFestivalHelpLink);
}

TEST(FestivalHelpLinksTest, TheGeneralPageIsTheArticleOnFestivals) {
    EXPECT_EQ(kGeneralFestivalHelpLink, kBase + PercentEncode(u8"节日"));
}

TEST(FestivalHelpLinksTest, PercentEncodingKeepsOnlyUnreservedCharacters) {
    EXPECT_EQ(PercentEncode(u8"雨水_(节气)"), "%E9%9B%A8%E6%B0%B4_%28%E8%8A%82%E6%B0%94%29");
    EXPECT_EQ(PercentEncode("Az09-._~ /?%"), "Az09-._~%20%2F%3F%25");
}

}  // namespace
