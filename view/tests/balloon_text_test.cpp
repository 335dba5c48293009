#include "view/balloon_text.h"

#include <gtest/gtest.h>

namespace {

DayInfo SpringFestival() {
    DayInfo day;
    day.solarDate = "2013-02-10";
    day.lunarDate = "2013-01-01";
    day.zodiac = "蛇";
    day.weekday = 7;
    return day;
}

TEST(BalloonText, AlwaysNamesBothDatesAndTheWeekday) {
    DayInfo day = SpringFestival();
    EXPECT_EQ(BalloonText(day, true), "阳历：2013年2月10日\n旧历：二〇一三年正月初一\n星期日\n蛇年\n");
    day.zodiac.clear();
    EXPECT_EQ(BalloonText(day, true), "阳历：2013年2月10日\n旧历：二〇一三年正月初一\n星期日\n");
}

TEST(BalloonText, PutsTheNinePiecesInOrder) {
    DayInfo day;
    day.solarDate = "2023-03-22";
    day.lunarDate = "2023-02-01";
    day.isLeap = 1;
    day.zodiac = "兔";
    day.weekday = 3;
    day.SolarTerm = "春分";
    day.festivals.resize(2);
    day.festivals[0].name = "世界水日";
    day.festivals[1].name = "老王生日";
    day.festivals[1].suffix = "（33周岁）";
    day.nYear = "癸卯年";
    day.nMonth = "乙卯月";
    day.nDay = "丙子日";
    day.Chong = "马(庚午)";
    day.Sha = "南";
    day.Cheng = "开日";
    day.ZhengChong = "庚午";
    day.TaiShen = "厨灶碓 外东南";
    day.JQ = "惊蛰 3月6日 04:36  春分 3月21日 05:24";
    day.Yi = "祭祀 出行";
    day.Ji = "动土";
    Reminder memo;
    memo.start.hour = 8;
    memo.start.minute = 5;
    SetReminderText(memo, "交报告");
    day.reminders = {memo};
    EXPECT_EQ(BalloonText(day, true),
              "阳历：2023年3月22日\n旧历：二〇二三年二月初一\n「闰月」\n星期三\n兔年\n节气：春分\n世界水日\n老王生日（33周岁）\n"
              "\n=====【老黄历信息】=====\n\n"
              "癸卯年 乙卯月 丙子日 \n冲：马(庚午)\n煞：南\n成：开日\n正冲：庚午\n胎神：厨灶碓 外东南\n"
              "本月节气：惊蛰 3月6日 04:36  春分 3月21日 05:24\n\n宜：祭祀 出行\n\n忌：动土\n\n "
              "\n=====【备忘内容】=====\n\n8点5分：交报告\n");
    EXPECT_EQ(BalloonText(day, false).find("老黄历"), std::string::npos);
}

TEST(BalloonText, LeavesOutTheAlmanacWhenTheDayHasNone) {
    DayInfo day = SpringFestival();
    EXPECT_EQ(AlmanacBlock(day), "");
    day.Yi = "祭祀";
    EXPECT_EQ(AlmanacBlock(day), "\n=====【老黄历信息】=====\n\n\n宜：祭祀\n");
}

// A stand-in for the balloon's font: every byte of a line is 4 pixels wide,
// so a Chinese character is 8.
int FourPixelsAByte(const std::string& line) { return 4 * static_cast<int>(line.size()); }

TEST(WrapBalloonText, TheBalloonIsAsWideAsItsWidestLineAndOnlyTheListsWrap) {
    const std::string terms = "本月节气：大雪 12月7日 10:52  冬至 12月22日 04:50";  // 48 bytes, 192 px
    const std::string wide = "本月节气：大雪 12月7日 10:52  冬至 12月22日 04:50 小寒 1月5日 22:00";  // 280 px
    // Short lines stay as they are.
    EXPECT_EQ(WrapBalloonText("阳历：2026年12月8日\n" + terms + "\n宜：祭祀", FourPixelsAByte, 1000),
              "阳历：2026年12月8日\n" + terms + "\n宜：祭祀");
    // A line wider than the customary 260 pixels is kept whole: the balloon widens.
    EXPECT_EQ(WrapBalloonText(wide + "\n宜：祭祀", FourPixelsAByte, 1000), wide + "\n宜：祭祀");
    // A 宜 or 忌 list longer than every other line breaks at spaces, to the
    // widest other line or 260 pixels, whichever is wider.
    std::string list = "忌：";
    for (int i = 0; i < 20; ++i) list += "祈福 ";
    list += "启攒";  // 2 + 21 words of 2 characters: 4 + 20 * 5 + 4 bytes, 432 px
    const std::string wrapped = WrapBalloonText(terms + "\n" + list, FourPixelsAByte, 1000);
    std::size_t start = 0, lines = 0;
    while (start <= wrapped.size()) {
        std::size_t end = wrapped.find('\n', start);
        if (end == std::string::npos) end = wrapped.size();
        const std::string line = wrapped.substr(start, end - start);
        EXPECT_LE(FourPixelsAByte(line), 260) << line;
        EXPECT_NE(line.front(), ' ');
        EXPECT_NE(line.back(), ' ');
        ++lines;
        start = end + 1;
    }
    EXPECT_EQ(lines, 3u);  // the terms, and the list in two lines
    EXPECT_EQ(wrapped.substr(0, terms.size() + 1 + 4 + 4), terms + "\n忌：祈福");
    // Nothing is lost on the way: the words come back with the breaks undone.
    std::string undone = wrapped.substr(terms.size() + 1);
    for (char& c : undone) {
        if (c == '\n') c = ' ';
    }
    EXPECT_EQ(undone, list);
}

TEST(WrapBalloonText, NothingIsWiderThanTheWorkAreaAllows) {
    const std::string wide = "本月节气：大雪 12月7日 10:52  冬至 12月22日 04:50 小寒 1月5日 22:00";  // 280 px
    const std::string wrapped = WrapBalloonText(wide, FourPixelsAByte, 200);
    EXPECT_NE(wrapped.find('\n'), std::string::npos);
    EXPECT_EQ(wrapped.find("\n "), std::string::npos);
    // A word wider than the balloon is broken between whole characters.
    const std::string word = std::string(30, 'x') + "冬至冬至";  // 30 * 4 + 4 * 8 = 152 px
    const std::string broken = WrapBalloonText(word, FourPixelsAByte, 100);
    EXPECT_EQ(broken, std::string(25, 'x') + "\n" + std::string(5, 'x') + "冬至冬至");
    EXPECT_EQ(WrapBalloonText("", FourPixelsAByte, 100), "");
}

}  // namespace
