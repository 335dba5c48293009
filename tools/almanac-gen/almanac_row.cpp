#include "tools/almanac-gen/almanac_row.h"

#include <cstdio>

#include "almanac/ganzhi.h"
#include "almanac/solar_term_names.h"

namespace almanac_gen {

const char* const kAlmanacColumns[14] = {"gDate", "nDate", "nYear", "nMonth",     "nDay",    "Yi", "Ji",
                                         "Chong", "Sha",   "Cheng", "ZhengChong", "TaiShen", "JQ", "SolarTerm"};

namespace {

std::string DateKey(int year, int month, int day) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

}  // namespace

std::string SolarTermText(const SolarTermInstant& term) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, " %d月%d日 %02d:%02d", term.month, term.day, term.hour, term.minute);
    return SolarTermName(term.index) + buffer;
}

std::string MonthTermsText(const std::vector<SolarTermInstant>& terms) {
    std::string text;
    for (const SolarTermInstant& t : terms) {
        if (!text.empty()) text += "  ";
        text += SolarTermText(t);
    }
    return text;
}

std::string JoinActivities(const std::vector<std::string>& activities) {
    std::string text;
    for (const std::string& a : activities) {
        if (!text.empty()) text += " ";
        text += a;
    }
    return text;
}

AlmanacRow BuildAlmanacRow(const AlmanacCalendar& calendar, const DayFacts& f, const YiJi& yiJi) {
    AlmanacRow row;
    row.gDate = DateKey(f.year, f.month, f.day);
    row.nDate = DateKey(f.lunar.year, f.lunar.month, f.lunar.day);
    row.nYear = GanZhiName(f.yearGanZhi) + "年";
    row.nMonth = GanZhiName(f.monthGanZhi) + "月";
    row.nDay = GanZhiName(f.dayGanZhi) + "日";
    row.Yi = JoinActivities(yiJi.yi);
    row.Ji = JoinActivities(yiJi.ji);
    row.Chong = almanac::ClashText(f.dayGanZhi);
    row.Sha = almanac::ShaDirection(f.dayGanZhi.branch);
    row.Cheng = almanac::JianChuName(f.jianChu) + "日";
    row.ZhengChong = GanZhiName(almanac::ClashOf(f.dayGanZhi));
    row.TaiShen = almanac::TaiShenText(f.dayGanZhi);
    row.JQ = MonthTermsText(calendar.TermsInMonth(f.year, f.month));
    row.SolarTerm = SolarTermName(f.termToday);
    return row;
}

AlmanacRow BuildAlmanacRow(const AlmanacCalendar& calendar, int year, int month, int day) {
    const DayFacts facts = calendar.FactsOf(year, month, day);
    return BuildAlmanacRow(calendar, facts, almanac::ChooseYiJi(calendar, facts));
}

}  // namespace almanac_gen
