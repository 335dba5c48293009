#include "view/balloon_text.h"

#include <algorithm>
#include <vector>

#include "base/gbk_scan.h"
#include "calendar/calendar_texts.h"
#include "holidays/holiday_schedule_texts.h"

namespace {

// Each piece appears only when the day has a value for it, so a row of
// blanks or a missing database leaves no empty labels behind.
void AppendPiece(std::string& text, const char* before, const std::string& value, const char* after) {
    if (!value.empty()) text += before + value + after;
}

}  // namespace

std::string AlmanacBlock(const DayInfo& day) {
    std::string block;
    AppendPiece(block, "", day.yearGanZhi, " ");
    AppendPiece(block, "", day.monthGanZhi, " ");
    AppendPiece(block, "", day.dayGanZhi, " \n");
    AppendPiece(block, "冲：", day.clash, "\n");
    AppendPiece(block, "煞：", day.shaDirection, "\n");
    AppendPiece(block, "成：", day.jianChu, "\n");
    AppendPiece(block, "正冲：", day.clashGanZhi, "\n");
    AppendPiece(block, "胎神：", day.taiShen, "\n");
    AppendPiece(block, "本月节气：", day.monthSolarTerms, "\n");
    AppendPiece(block, "\n宜：", day.auspicious, "\n");
    AppendPiece(block, "\n忌：", day.inauspicious, "\n\n ");
    return block.empty() ? block : "\n=====【老黄历信息】=====\n\n" + block;
}

std::string ReminderBlock(const DayInfo& day) {
    std::string lines;
    for (const Reminder& reminder : day.reminders) {
        lines += std::to_string(reminder.start.hour) + "点" + std::to_string(reminder.start.minute) + "分：" +
                 ReminderText(reminder) + "\n";
    }
    return lines.empty() ? lines : "\n=====【备忘内容】=====\n\n" + lines;
}

std::string BalloonText(const DayInfo& day, bool showBalloonAlmanac, const OffDay* offDay, const Date* today) {
    std::string text = "阳历：" + SolarDateText(day.date) + "\n";
    // The balloon names the month by its number and says 「闰月」 on a line
    // of its own, the form its readers have always had.
    LunarDate numbered = day.lunar;
    numbered.isLeap = false;
    text += "旧历：" + LunarDateText(numbered) + "\n";
    if (day.lunar.isLeap) text += "「闰月」\n";
    text += "星期" + WeekdayName(day.date.weekday()) + "\n";
    if (today && (day.date - *today > 1 || *today - day.date > 1)) text += DaysAwayText(*today, day.date) + "\n";
    AppendPiece(text, "", day.zodiac, "年\n");
    AppendPiece(text, "节气：", day.solarTerm, "\n");
    for (const FestivalRule& festival : day.festivals) text += festival.name + festival.suffix + "\n";
    if (offDay) text += OffDayBalloonText(*offDay) + "\n";
    if (offDay && offDay->statutory) text += UnpublishedScheduleNote(day.date.year()) + "\n";
    if (showBalloonAlmanac) text += AlmanacBlock(day);
    return text + ReminderBlock(day);
}

namespace {

// Characters a cut needs besides the whole lines before it: the line cut with
// its "…" and the note, for lines of the widest balloon.
constexpr std::size_t kCutRoom = 64;

bool IsList(const std::string& line) { return line.rfind("宜：", 0) == 0 || line.rfind("忌：", 0) == 0; }

// The line broken at spaces (inside a word wider than `limit`, between
// characters) into pieces no wider than `limit`.
std::vector<std::string> BreakLine(const std::string& line, const std::function<int(const std::string&)>& width,
                                   int limit) {
    std::vector<std::string> pieces;
    std::string current;
    auto fits = [&](const std::string& text) { return width(text) <= limit; };
    for (std::size_t i = 0; i < line.size();) {
        std::size_t end = line.find(' ', i);
        if (end == std::string::npos) end = line.size();
        const std::string word = line.substr(i, end - i);
        const std::string joined = current.empty() ? word : current + " " + word;
        if (current.empty() || fits(joined)) {
            current = joined;
        } else {
            pieces.push_back(current);
            current = word;
        }
        // A word wider than the balloon goes character by character.
        while (!fits(current)) {
            std::size_t cut = 0;
            for (std::size_t k = 0; k < current.size();) {
                const std::size_t next = k + GbkCharLength(current, k);
                if (cut > 0 && !fits(current.substr(0, next))) break;
                cut = next;
                k = next;
            }
            if (cut >= current.size()) break;
            pieces.push_back(current.substr(0, cut));
            current = current.substr(cut);
        }
        i = end + 1;
    }
    if (!current.empty() || pieces.empty()) pieces.push_back(current);
    return pieces;
}

}  // namespace

std::string WrapBalloonText(const std::string& gbk, const std::function<int(const std::string&)>& width, int narrowest,
                            int widest, std::size_t mostLines, std::size_t mostCharacters) {
    const std::vector<std::string> lines = SplitGbk(gbk, '\n');
    int limit = narrowest;
    for (const std::string& line : lines) {
        if (!IsList(line)) limit = std::max(limit, width(line));
    }
    if (widest > 0) limit = std::min(limit, widest);
    std::string out;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::vector<std::string> pieces =
            width(lines[n]) <= limit ? std::vector<std::string>{lines[n]} : BreakLine(lines[n], width, limit);
        for (std::size_t p = 0; p < pieces.size(); ++p) out += (n + p == 0 ? "" : "\n") + pieces[p];
    }
    if (mostLines == 0 && mostCharacters == 0) return out;
    return CutBalloonLines(out, width, limit, mostLines, mostCharacters);
}

std::string CutBalloonLines(const std::string& laidOut, const std::function<int(const std::string&)>& width, int limit,
                            std::size_t mostLines, std::size_t mostCharacters) {
    const std::vector<std::string> lines = SplitGbk(laidOut, '\n');
    const auto characters = [](const std::string& text) {
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) starts.push_back(i);
        return starts;
    };
    if (mostLines == 0) mostLines = lines.size();
    if (mostCharacters > 0) {
        // Whole lines up to the budget, less room for the line cut and the note.
        const std::size_t budget = mostCharacters > kCutRoom ? mostCharacters - kCutRoom : 0;
        std::size_t used = 0, whole = 0;
        while (whole < lines.size() && used + characters(lines[whole]).size() + 1 <= budget) {
            used += characters(lines[whole++]).size() + 1;
        }
        if (whole < lines.size()) mostLines = std::min(mostLines, whole + 1);
    }
    mostLines = std::max<std::size_t>(mostLines, 2);
    if (lines.size() <= mostLines) return laidOut;
    std::size_t leftOut = 0;
    for (std::size_t n = mostLines - 1; n < lines.size(); ++n) leftOut += characters(lines[n]).size();
    // The line before the note keeps what fits beside the "…".
    const std::string& last = lines[mostLines - 2];
    const std::vector<std::size_t> starts = characters(last);
    const auto prefix = [&](std::size_t count) {
        return last.substr(0, count < starts.size() ? starts[count] : last.size());
    };
    std::size_t kept = starts.size();
    while (kept > 0 && width(prefix(kept) + "…") > limit) --kept;
    leftOut += starts.size() - kept;
    std::string out;
    for (std::size_t n = 0; n + 2 < mostLines; ++n) out += lines[n] + "\n";
    return out + prefix(kept) + "…\n还有" + std::to_string(leftOut) + "字";
}
