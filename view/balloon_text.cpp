#include "view/balloon_text.h"

#include "calendar/calendar_texts.h"

namespace {

// Each piece appears only when the day has a value for it, so a row of
// blanks or a missing database leaves no empty labels behind.
void AppendPiece(std::string& text, const char* before, const std::string& value, const char* after) {
    if (!value.empty()) text += before + value + after;
}

}  // namespace

std::string AlmanacBlock(const DayInfo& day) {
    std::string block;
    AppendPiece(block, "", day.nYear, " ");
    AppendPiece(block, "", day.nMonth, " ");
    AppendPiece(block, "", day.nDay, " \n");
    AppendPiece(block, "冲：", day.Chong, "\n");
    AppendPiece(block, "煞：", day.Sha, "\n");
    AppendPiece(block, "成：", day.Cheng, "\n");
    AppendPiece(block, "正冲：", day.ZhengChong, "\n");
    AppendPiece(block, "胎神：", day.TaiShen, "\n");
    AppendPiece(block, "本月节气：", day.JQ, "\n");
    AppendPiece(block, "\n宜：", day.Yi, "\n");
    AppendPiece(block, "\n忌：", day.Ji, "\n\n ");
    return block.empty() ? block : "\n=====【老黄历信息】=====\n\n" + block;
}

std::string MemoBlock(const DayInfo& day) {
    std::string lines;
    for (const Reminder& reminder : day.reminders) {
        lines += std::to_string(reminder.start.hour) + "点" + std::to_string(reminder.start.minute) + "分：" +
                 ReminderText(reminder) + "\n";
    }
    return lines.empty() ? lines : "\n=====【备忘内容】=====\n\n" + lines;
}

std::string BalloonText(const DayInfo& day, bool showAlmanac, const OffDay* offDay) {
    std::string text = "阳历：" + SolarDateText(day.solarDate) + "\n";
    text += "旧历：" + LunarDateText(day.lunarDate) + "\n";
    if (day.isLeap) text += "「闰月」\n";
    text += "星期" + WeekdayName(day.weekday) + "\n";
    AppendPiece(text, "", day.zodiac, "年\n");
    AppendPiece(text, "节气：", day.SolarTerm, "\n");
    for (const FestivalRule& festival : day.festivals) text += festival.name + festival.suffix + "\n";
    if (offDay) text += OffDayBalloonText(*offDay) + "\n";
    if (showAlmanac) text += AlmanacBlock(day);
    return text + MemoBlock(day);
}
