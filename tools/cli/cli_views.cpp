#include "tools/cli/cli_views.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "almanac/almanac_database.h"
#include "almanac/almanac_page.h"
#include "base/gbk_scan.h"
#include "calendar/calendar_texts.h"
#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_description.h"
#include "festivals/festival_matching.h"
#include "festivals/festival_rule.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/holiday_schedule_texts.h"
#include "view/month_grid.h"

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
std::string SecondLine(const FestivalDate& day, const FestivalList& festivals, SolarTermLookup* solarTerms) {
    const FestivalList matched = MatchFestivals(festivals, day, solarTerms);
    if (!matched.empty()) return matched.front().name;
    const std::string term = solarTerms ? solarTerms->SolarTermOn(day.date) : std::string();
    if (!term.empty()) return term;
    return LunarCellText(day.lunar.month, day.lunar.day, day.lunar.isLeap);
}

}  // namespace

std::string MonthGridView(const YearMonth& month, int firstColWeekDay, const FestivalList& festivals,
                          SolarTermLookup* solarTerms, const HolidaySchedule* offDays) {
    std::string out = Format("%d年%d月", month.year(), month.month()) + "\n";
    for (int col = 0; col < 7; ++col) {
        out += PadTo("  " + WeekdayName(WeekdayOfColumn(col, firstColWeekDay)), kCellWidth);
    }
    out += "\n";
    const int offset = ((month.FirstDay().weekday() - firstColWeekDay) % 7 + 7) % 7;
    const int days = month.DayCount();
    std::string numbers, texts;
    for (int k = 0; k < offset; ++k) {
        numbers += std::string(kCellWidth, ' ');
        texts += std::string(kCellWidth, ' ');
    }
    for (const Date date : month.Days()) {
        const int d = date.day();
        const OffDay* offDay = offDays ? offDays->Find(date) : nullptr;
        numbers += PadTo(Format("%2d", d) + (offDay ? " " + OffDayBadgeText(offDay->kind) : ""), kCellWidth);
        texts += PadTo(FitTo(SecondLine(MakeFestivalDate(date), festivals, solarTerms), kCellWidth - 1), kCellWidth);
        if ((offset + d) % 7 == 0 || d == days) {
            out += numbers + "\n" + texts + "\n";
            numbers.clear();
            texts.clear();
        }
    }
    return out;
}

std::string HolidayScheduleView(const HolidayScheduleFile& file) {
    const std::string years = CoveredYearsText(file.schedule);
    std::string out = years.empty() ? "法定节假日安排：无\n" : "法定节假日安排：" + years + "年\n";
    for (const HolidayPeriod& period : HolidayPeriods(file.schedule)) {
        const std::string workDays = HolidayWorkDaysText(period);
        out += Format("%d  ", period.Year()) + HolidayPeriodText(period) + (workDays.empty() ? "" : "，" + workDays) +
               "\n";
    }
    for (const HolidayScheduleProblem& problem : file.problems) {
        out += Format("第%d行未采用：", problem.line) + problem.reason + "\n";
    }
    return out;
}

std::string FestivalListView(const FestivalList& festivals) {
    std::vector<std::vector<std::string>> rows = {
        {"启用", "类型", "日期类型", "名称", "日期", "开始年份", "结束日期", "音乐"}};
    for (const FestivalRule& rule : festivals) {
        const FestivalRule row = DescribeFestival(rule);
        // Ticked as the manager ticks it and as the calendar counts it.
        rows.push_back({IsSwitchedOn(rule) ? "[x]" : "[ ]", row.kind, row.calendar, row.name, row.dateRule,
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

std::string AlmanacPageView(const Date& date) {
    // Computed from the day's 干支 and the almanac's rules, as the program's
    // page dialog does; the database keeps only the balloon's columns.
    return "\n=====【黄历】=====\n\n" + almanac::AlmanacPageText(almanac::AlmanacPageOf(date));
}

std::string SolarTermsView(AlmanacDatabase& almanac, int year) {
    std::string out;
    for (int month = 1; month <= 12; ++month) {
        const std::optional<Date> first = Date::FromCivil(year, month, 1);
        const std::optional<AlmanacDayRow> row = first ? almanac.ReadRow(*first) : std::nullopt;
        if (!row) continue;
        // "立春 2月4日 00:13  雨水 2月18日 20:01": terms are two spaces apart.
        const std::string& terms = row->texts[kAlmanacMonthSolarTerms];
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
