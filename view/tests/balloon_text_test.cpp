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

}  // namespace
