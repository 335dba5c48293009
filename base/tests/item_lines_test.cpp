#include "base/item_lines.h"

#include <gtest/gtest.h>

namespace {

// Every GBK character (two bytes) 12 pixels wide, a space 4: the page's font
// at 100 %, near enough.
int Pixels(std::string_view text) {
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            width += 12;
            ++i;
        } else {
            width += 4;
        }
    }
    return width;
}

TEST(LinesBetweenItems, BreakOnlyBetweenItemsKeepingTheLeadWithTheFirst) {
    const std::vector<std::string> yi = {"祭祀", "会亲友", "开市", "立券", "修造动土", "纳采问名"};
    const struct {
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {1000, {"宜：祭祀 会亲友 开市 立券 修造动土 纳采问名"}},
        {110, {"宜：祭祀 会亲友", "开市 立券 修造动土", "纳采问名"}},
        {100, {"宜：祭祀 会亲友", "开市 立券", "修造动土 纳采问名"}},
        // Narrower than one item: each on its own line, never cut.
        {10, {"宜：祭祀", "会亲友", "开市", "立券", "修造动土", "纳采问名"}},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = LinesBetweenItems("宜：", yi, c.width, Pixels);
        EXPECT_EQ(lines, c.lines) << c.width;
        for (const std::string& line : lines) {
            if (line.find(' ') != std::string::npos) EXPECT_LE(Pixels(line), c.width) << line;
        }
    }
}

TEST(LinesBetweenItems, AnEmptyListIsTheLeadAlone) {
    EXPECT_EQ(LinesBetweenItems("忌：", {}, 100, Pixels), (std::vector<std::string>{"忌："}));
    EXPECT_EQ(LinesBetweenItems("忌：", {"诸事不宜"}, 100, Pixels), (std::vector<std::string>{"忌：诸事不宜"}));
}

}  // namespace
