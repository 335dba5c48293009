#include "view/balloon_text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/gbk_scan.h"
#include "tests/support/dates.h"
#include "tests/support/festival_samples.h"
#include "tests/support/repeated_text.h"

namespace {

DayInfo SpringFestival() {
    DayInfo day;
    day.date = D(2013, 2, 10);
    day.lunar = {2013, 1, 1, 0};
    day.zodiac = "蛇";
    return day;
}

TEST(BalloonText, AlwaysNamesBothDatesAndTheWeekday) {
    DayInfo day = SpringFestival();
    EXPECT_EQ(BalloonText(day, true), "阳历：2013年2月10日\n旧历：二〇一三年正月初一\n星期日\n蛇年\n");
    day.zodiac.clear();
    EXPECT_EQ(BalloonText(day, true), "阳历：2013年2月10日\n旧历：二〇一三年正月初一\n星期日\n");
}

TEST(BalloonText, SaysHowFarADayMoreThanADayAwayIs) {
    const DayInfo day = SpringFestival();
    struct Case {
        Date today;
        const char* line;  // under the weekday; none for today and the days next to it
    };
    const Case cases[] = {
        {D(2013, 2, 10), ""},        {D(2013, 2, 9), ""}, {D(2013, 2, 11), ""}, {D(2012, 12, 12), "距今60天\n"},
        {D(2013, 2, 13), "3天前\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BalloonText(day, true, nullptr, &c.today),
                  std::string("阳历：2013年2月10日\n旧历：二〇一三年正月初一\n星期日\n") + c.line + "蛇年\n")
            << c.today.ToString();
    }
}

TEST(BalloonText, PutsTheNinePiecesInOrder) {
    DayInfo day;
    day.date = D(2023, 3, 22);
    day.lunar = {2023, 2, 1, 1};
    day.zodiac = "兔";
    day.solarTerm = "春分";
    day.festivals = {MatchedFestival("世界水日"), MatchedFestival("老王生日", "（33周岁）")};
    day.yearGanZhi = "癸卯年";
    day.monthGanZhi = "乙卯月";
    day.dayGanZhi = "丙子日";
    day.clash = "马(庚午)";
    day.shaDirection = "南";
    day.jianChu = "开日";
    day.clashGanZhi = "庚午";
    day.taiShen = "厨灶碓 外东南";
    day.monthSolarTerms = "惊蛰 3月6日 04:36  春分 3月21日 05:24";
    day.auspicious = "祭祀 出行";
    day.inauspicious = "动土";
    Reminder reminder;
    reminder.start.hour = 8;
    reminder.start.minute = 5;
    SetReminderText(reminder, "交报告");
    day.reminders.push_back(reminder);
    EXPECT_EQ(BalloonText(day, true),
              "阳历：2023年3月22日\n旧历：二〇二三年二月初一\n「闰月」\n星期三\n兔年\n节气：春分\n世界水日\n老王生日（3"
              "3周岁）\n"
              "\n=====【老黄历信息】=====\n\n"
              "癸卯年 乙卯月 丙子日 \n冲：马(庚午)\n煞：南\n成：开日\n正冲：庚午\n胎神：厨灶碓 外东南\n"
              "本月节气：惊蛰 3月6日 04:36  春分 3月21日 05:24\n\n宜：祭祀 出行\n\n忌：动土\n\n "
              "\n=====【备忘内容】=====\n\n8点5分：交报告\n");
    EXPECT_EQ(BalloonText(day, false).find("老黄历"), std::string::npos);
}

TEST(BalloonText, LeavesOutTheAlmanacWhenTheDayHasNone) {
    DayInfo day = SpringFestival();
    EXPECT_EQ(AlmanacBlock(day), "");
    day.auspicious = "祭祀";
    EXPECT_EQ(AlmanacBlock(day), "\n=====【老黄历信息】=====\n\n\n宜：祭祀\n");
}

// A stand-in for the balloon's font: every byte of a line is 4 pixels wide,
// so a Chinese character is 8.
int FourPixelsAByte(const std::string& line) { return 4 * static_cast<int>(line.size()); }

TEST(WrapBalloonText, TheBalloonIsAsWideAsItsWidestLineAndTheListsNeverWidenIt) {
    const std::string terms = "本月节气：大雪 12月7日 10:52  冬至 12月22日 04:50";                   // 48 bytes, 192 px
    const std::string wide = "本月节气：大雪 12月7日 10:52  冬至 12月22日 04:50 小寒 1月5日 22:00";  // 280 px
    // Short lines stay as they are.
    EXPECT_EQ(WrapBalloonText("阳历：2026年12月8日\n" + terms + "\n宜：祭祀", FourPixelsAByte, 260, 1000),
              "阳历：2026年12月8日\n" + terms + "\n宜：祭祀");
    // A line wider than the customary 260 pixels is kept whole: the balloon widens.
    EXPECT_EQ(WrapBalloonText(wide + "\n宜：祭祀", FourPixelsAByte, 260, 1000), wide + "\n宜：祭祀");
    // A 宜 or 忌 list longer than every other line breaks at spaces, to the
    // widest other line or 260 pixels, whichever is wider.
    std::string list = "忌：";
    for (int i = 0; i < 20; ++i) list += "祈福 ";
    list += "启攒";  // 2 + 21 words of 2 characters: 4 + 20 * 5 + 4 bytes, 432 px
    const std::string wrapped = WrapBalloonText(terms + "\n" + list, FourPixelsAByte, 260, 1000);
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
    const std::string wrapped = WrapBalloonText(wide, FourPixelsAByte, 260, 200);
    EXPECT_NE(wrapped.find('\n'), std::string::npos);
    EXPECT_EQ(wrapped.find("\n "), std::string::npos);
    // A word wider than the balloon is broken between whole characters.
    const std::string word = std::string(30, 'x') + "冬至冬至";  // 30 * 4 + 4 * 8 = 152 px
    const std::string broken = WrapBalloonText(word, FourPixelsAByte, 260, 100);
    EXPECT_EQ(broken, std::string(25, 'x') + "\n" + std::string(5, 'x') + "冬至冬至");
    EXPECT_EQ(WrapBalloonText("", FourPixelsAByte, 260, 100), "");
}

std::vector<std::string> LinesOf(const std::string& text) { return SplitGbk(text, '\n'); }

TEST(WrapBalloonText, LongLinesWrapAtTheReadingWidthAndLoseNothing) {
    // 36 Chinese characters (288 px) is the reading width; the dates above a
    // memo are narrower.
    const std::string head = "阳历：2026年12月8日\n旧历：十月三十\n\n=====【备忘内容】=====\n\n";
    const struct {
        const char* what;
        std::string reminder;
        std::size_t lines;  // the memo's lines once wrapped
    } kCases[] = {
        {"a memo of 100 characters", "8点0分：" + Repeated("备", 95), 3},
        {"a memo of 205 characters", "8点0分：" + Repeated("忘", 200), 6},
        {"a memo of short words", "9点30分：" + Repeated("买菜 ", 40) + "回家", 4},
        {"a memo that fits", "9点30分：取快递", 1},
    };
    for (const auto& c : kCases) {
        const std::string wrapped = WrapBalloonText(head + c.reminder, FourPixelsAByte, 260, 288);
        const std::vector<std::string> lines = LinesOf(wrapped);
        ASSERT_GE(lines.size(), 5u) << c.what;
        EXPECT_EQ(lines.size() - 5, c.lines) << c.what;
        std::string reminder;
        for (std::size_t n = 5; n < lines.size(); ++n) {
            EXPECT_LE(FourPixelsAByte(lines[n]), 288) << c.what << ": " << lines[n];
            reminder += lines[n];
        }
        std::string unspaced = c.reminder;
        unspaced.erase(std::remove(unspaced.begin(), unspaced.end(), ' '), unspaced.end());
        reminder.erase(std::remove(reminder.begin(), reminder.end(), ' '), reminder.end());
        EXPECT_EQ(reminder, unspaced) << c.what;
        EXPECT_EQ(wrapped.substr(0, head.size()), head) << c.what;
    }
}

TEST(WrapBalloonText, AReminderWidensTheBalloonUpToTheReadingWidthAndTheListsFollowIt) {
    std::string list = "宜：";
    for (int i = 0; i < 40; ++i) list += "祈福 ";
    const std::string reminder = "8点0分：" + Repeated("备", 30);  // 272 px
    for (const std::string& line : LinesOf(WrapBalloonText(reminder + "\n" + list, FourPixelsAByte, 260, 288))) {
        EXPECT_LE(FourPixelsAByte(line), 272) << line;
    }
    EXPECT_EQ(LinesOf(WrapBalloonText(reminder + "\n" + list, FourPixelsAByte, 260, 288)).front(), reminder);
}

// The balloon of a day with a memo of 9 998 bytes would be taller than any
// screen: it keeps the lines the work area holds and says how much is left out.
TEST(WrapBalloonText, ATextTallerThanTheScreenIsCutAndSaysHowMuchIsLeftOut) {
    const std::string head = "阳历：2026年12月8日\n旧历：十月三十\n\n=====【备忘内容】=====\n\n";
    const std::string reminder = "8点0分：" + Repeated("备", 4999);  // 5 004 characters, 139 lines of 36
    const struct {
        const char* what;
        std::string text;
        std::size_t mostLines, lines;
        bool cut;
    } kCases[] = {
        {"a long memo on a small screen", head + reminder, 20, 20, true},
        {"a long memo on a tall screen", head + reminder, 120, 120, true},
        {"a memo that fits exactly", head + "9点30分：取快递", 6, 6, false},
        {"a memo with room to spare", head + "9点30分：取快递", 40, 6, false},
        {"a screen of less than two lines still shows the note", head + reminder, 1, 2, true},
    };
    for (const auto& c : kCases) {
        const std::vector<std::string> lines = LinesOf(WrapBalloonText(c.text, FourPixelsAByte, 260, 288, c.mostLines));
        ASSERT_EQ(lines.size(), c.lines) << c.what;
        if (!c.cut) {
            EXPECT_EQ(LinesOf(WrapBalloonText(c.text, FourPixelsAByte, 260, 288)), lines) << c.what;
            continue;
        }
        const std::string& note = lines.back();
        const std::string more = "还有", ellipsis = "…";
        ASSERT_EQ(note.rfind(more, 0), 0u) << c.what << ": " << note;
        const std::size_t leftOut = std::stoul(note.substr(more.size()));
        EXPECT_EQ(note, "还有" + std::to_string(leftOut) + "字") << c.what;
        const std::string& last = lines[lines.size() - 2];
        ASSERT_GE(last.size(), ellipsis.size()) << c.what;
        EXPECT_EQ(last.substr(last.size() - ellipsis.size()), ellipsis) << c.what;
        EXPECT_LE(FourPixelsAByte(last), 288) << c.what;
        // What is shown and what is counted as left out add up to the whole text.
        std::size_t shown = 0;
        for (std::size_t n = 0; n + 1 < lines.size(); ++n) {
            const std::string line = n + 2 == lines.size() ? last.substr(0, last.size() - ellipsis.size()) : lines[n];
            for (std::size_t i = 0; i < line.size(); i += GbkCharLength(line, i)) ++shown;
        }
        std::size_t all = 0;
        for (std::size_t i = 0; i < c.text.size(); i += GbkCharLength(c.text, i)) all += c.text[i] != '\n';
        EXPECT_EQ(shown + leftOut, all) << c.what;
    }
}

// The balloon keeps only so many characters of its text: a cut within them
// leaves the note at its end.
TEST(WrapBalloonText, ATextLongerThanTheBalloonKeepsIsCutWithinItsCharacters) {
    const std::string reminder = "8点0分：" + Repeated("备", 4999);
    for (const std::size_t most : {std::size_t{100}, std::size_t{959}, std::size_t{4000}}) {
        const std::string cut = WrapBalloonText(reminder, FourPixelsAByte, 260, 288, 500, most);
        std::size_t characters = 0;
        for (std::size_t i = 0; i < cut.size(); i += GbkCharLength(cut, i)) ++characters;
        EXPECT_LE(characters, most) << most;
        EXPECT_NE(cut.find("字", cut.rfind("\n还有")), std::string::npos) << most;
    }
}

}  // namespace
