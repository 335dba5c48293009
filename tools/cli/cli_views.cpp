#include "tools/cli/cli_views.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "almanac/almanac_database.h"
#include "base/gbk_scan.h"
#include "almanac/generator/almanac_page.h"
#include "calendar/calendar_texts.h"
#include "calendar/gregorian.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_description.h"
#include "festivals/festival_matching.h"

namespace {

// Terminal columns taken by GBK text: a double-byte character is full width.
int DisplayWidth(const std::string& gbk) {
    int width = 0;
    for (size_t i = 0; i < gbk.size(); i += GbkCharLength(gbk, i)) width += static_cast<int>(GbkCharLength(gbk, i));
    return width;
}

// The leading whole characters of a text that fit in the given columns.
std::string FitTo(const std::string& gbk, int width) {
    std::size_t end = 0;
    int used = 0;
    while (end < gbk.size()) {
        const std::size_t length = GbkCharLength(gbk, end);
        const int columns = length == 2 ? 2 : 1;
        if (used + columns > width) break;
        used += columns;
        end += length;
    }
    return gbk.substr(0, end);
}

std::string PadTo(const std::string& gbk, int width) {
    const int pad = width - DisplayWidth(gbk);
    return pad > 0 ? gbk + std::string(static_cast<size_t>(pad), ' ') : gbk;
}

std::string Format(const char* pattern, int a, int b = 0, int c = 0) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

constexpr int kCellWidth = 10;

// The second line of a day's cell, by the month view's priority.
std::string SecondLine(int year, int month, int day, const FestivalList& festivals, SolarTermLookup* solarTerms) {
    const FestivalList matched = MatchFestivals(festivals, MakeFestivalDate(year, month, day), solarTerms);
    if (!matched.empty()) return matched.front().name;
    const std::string term = solarTerms ? solarTerms->SolarTermOn(year, month, day) : std::string();
    if (!term.empty()) return term;
    const LunarDate l = SolarToLunar(year, month, day);
    return LunarCellText(l.month, l.day);
}

// The fourteen texts of a date's full almanac row; empty when there is none.
std::vector<std::string> AlmanacRow(AlmanacDatabase& almanac, int year, int month, int day) {
    std::vector<std::string> texts;
    std::unique_ptr<AlmanacRecordset> recordset = almanac.Query(FullRowStatement(year, month, day));
    if (!recordset) return texts;
    if (recordset->MoveFirst()) {
        for (int i = 0; i < kAlmanacRowColumns; ++i) texts.push_back(recordset->Collect(i));
    }
    recordset->Close();
    return texts;
}

// Column positions of the full-row statement.
enum { kNYear = 2, kNMonth, kNDay, kYi, kJi, kChong, kSha, kCheng, kZhengChong, kTaiShen, kJQ, kSolarTerm };

}  // namespace

std::string MonthGridView(int year, int month, int firstColWeekDay, const FestivalList& festivals,
                          SolarTermLookup* solarTerms, const OffDaySchedule* offDays) {
    if (firstColWeekDay == 0) firstColWeekDay = 7;
    std::string out = Format("%d年%d月", year, month) + "\n";
    for (int col = 0; col < 7; ++col) {
        out += PadTo("  " + WeekdayName((col + firstColWeekDay) % 7), kCellWidth);
    }
    out += "\n";
    const int offset = (DayOfWeek(year, month, 1) - firstColWeekDay + 7) % 7;
    const int days = DaysInMonth(year, month);
    std::string numbers, texts;
    for (int k = 0; k < offset; ++k) {
        numbers += std::string(kCellWidth, ' ');
        texts += std::string(kCellWidth, ' ');
    }
    for (int d = 1; d <= days; ++d) {
        const OffDay* offDay = offDays ? offDays->Find(year, month, d) : nullptr;
        numbers += PadTo(Format("%2d", d) + (offDay ? " " + OffDayBadgeText(offDay->kind) : ""), kCellWidth);
        texts += PadTo(FitTo(SecondLine(year, month, d, festivals, solarTerms), kCellWidth - 1), kCellWidth);
        if ((offset + d) % 7 == 0 || d == days) {
            out += numbers + "\n" + texts + "\n";
            numbers.clear();
            texts.clear();
        }
    }
    return out;
}

std::string OffDaysView(const OffDayFile& file) {
    const std::string years = CoveredYearsText(file.schedule);
    std::string out = years.empty() ? "法定节假日安排：无\n" : "法定节假日安排：" + years + "年\n";
    for (const HolidayPeriod& period : HolidayPeriods(file.schedule)) {
        const std::string workDays = HolidayWorkDaysText(period);
        out += Format("%d  ", period.Year()) + HolidayPeriodText(period) + (workDays.empty() ? "" : "，" + workDays) +
               "\n";
    }
    for (const OffDayProblem& problem : file.problems) {
        out += Format("第%d行未采用：", problem.line) + problem.reason + "\n";
    }
    return out;
}

std::string FestivalListView(const FestivalList& festivals) {
    std::vector<std::vector<std::string>> rows = {
        {"启用", "类型", "日期类型", "名称", "日期", "开始年份", "结束日期", "音乐"}};
    for (const FestivalRule& rule : festivals) {
        const FestivalRule row = DescribeFestival(rule);
        // The manager ticks a rule only when it is exactly "1".
        rows.push_back({rule.enabled == "1" ? "[x]" : "[ ]", row.kind, row.calendar, row.name, row.dateRule,
                        row.startYear, row.endDate, row.soundFile});
    }
    std::vector<int> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) line += PadTo(row[c], widths[c] + 2);
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
    }
    return out;
}

std::string AlmanacPageView(int year, int month, int day) {
    // Computed from the day's 干支 and the generator's rules, as the program's
    // page dialog does; the database keeps only the balloon's columns.
    return "\n=====【黄历】=====\n\n" + almanac_gen::AlmanacPageText(almanac_gen::AlmanacPageOf(year, month, day));
}

std::string SolarTermsView(AlmanacDatabase& almanac, int year) {
    std::string out;
    for (int month = 1; month <= 12; ++month) {
        const std::vector<std::string> row = AlmanacRow(almanac, year, month, 1);
        if (row.empty()) continue;
        // "立春 2月4日 00:13  雨水 2月18日 20:01": terms are two spaces apart.
        const std::string& terms = row[kJQ];
        size_t start = 0;
        while (start < terms.size()) {
            size_t end = terms.find("  ", start);
            if (end == std::string::npos) end = terms.size();
            if (end > start) out += terms.substr(start, end - start) + "\n";
            start = end + 2;
        }
    }
    return out.empty() ? std::string() : Format("%d年二十四节气", year) + "\n" + out;
}
