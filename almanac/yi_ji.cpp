#include "almanac/yi_ji.h"

#include <algorithm>

#include "calendar/gregorian.h"

namespace almanac {

namespace {

bool IsSeasonStart(int term) { return term % 6 == 0; }  // 立春 立夏 立秋 立冬

std::string Joined(const std::vector<std::string>& names, const char* separator = " ") {
    std::string text;
    for (const std::string& n : names) text += (text.empty() ? "" : separator) + n;
    return text;
}

}  // namespace

SelectionFacts SelectionFactsOf(const AlmanacCalendar& calendar, const DayFacts& f) {
    SelectionFacts s;
    s.yearStem = f.yearGanZhi.stem;
    s.yearBranch = f.yearGanZhi.branch;
    s.monthBranch = f.monthGanZhi.branch;
    s.dayStem = f.dayGanZhi.stem;
    s.dayBranch = f.dayGanZhi.branch;
    s.lunarDay = f.lunar.day;
    s.lastDayOfLunarMonth = SolarToLunar(Date::FromSerial(f.serial + 1).value()).day == 1;
    s.termToday = f.termToday;
    s.termTomorrow = f.daysUntilNextTerm == 1 ? f.nextTerm : -1;
    s.currentTerm = f.previousTerm;

    // The 节 that opened the month and the next 立, found among the terms.
    const std::vector<SolarTermInstant>& terms = calendar.AllTerms();
    const auto after =
        std::upper_bound(terms.begin(), terms.end(), f.serial,
                         [](std::int64_t serial, const SolarTermInstant& t) { return serial < t.serial; });
    auto jie = after;
    while (jie != terms.begin() && ((jie - 1)->index % 2 != 0)) --jie;
    if (jie != terms.begin()) s.daysSinceJie = static_cast<int>(f.serial - (jie - 1)->serial);
    auto start = after;
    if (f.termToday >= 0 && IsSeasonStart(f.termToday)) {
        s.daysToSeasonStart = 0;
    } else {
        while (start != terms.end() && !IsSeasonStart(start->index)) ++start;
        if (start != terms.end()) s.daysToSeasonStart = static_cast<int>(start->serial - f.serial);
    }
    return s;
}

YiJi ChooseYiJi(const AlmanacCalendar& calendar, const DayFacts& facts) {
    const YiJiRules& rules = YiJiRules::BuiltIn();
    const YiJiDay day = rules.Evaluate(SelectionFactsOf(calendar, facts));
    return YiJi{rules.YiList(day), rules.JiList(day), day.goodGods, day.badGods};
}

std::string ShenShaLines(const YiJi& yiJi) {
    std::string text;
    if (!yiJi.goodGods.empty()) text += "吉神：" + Joined(yiJi.goodGods) + "\n";
    if (!yiJi.badGods.empty()) text += "凶煞：" + Joined(yiJi.badGods) + "\n";
    return text;
}

std::string YiJiNotes(const AlmanacCalendar& calendar, const DayFacts& facts) {
    const YiJiRules& rules = YiJiRules::BuiltIn();
    const YiJiDay day = rules.Evaluate(SelectionFactsOf(calendar, facts));
    std::string text = ShenShaLines(YiJi{{}, {}, day.goodGods, day.badGods});
    for (const YiJiDay::Contribution& c : day.contributions) {
        if (c.forbidden == 0) continue;
        text += "  " + rules.RuleName(c.rule) + "：" + JudgementName(c.judgement) + "\n";
    }
    // Why a day prints 忌 诸事不宜 without a 诸事皆忌 judgement.
    for (int rule : day.restForbiddenBy) text += "  " + rules.RuleName(rule) + "：余事皆忌\n";
    text += "宜：" + Joined(rules.YiList(day)) + "\n";
    text += "忌：" + Joined(rules.JiList(day)) + "\n";
    for (const std::string& activity : rules.Activities()) {
        const std::vector<std::string> reasons = rules.Explain(day, activity);
        if (!reasons.empty()) text += "  " + activity + "：" + Joined(reasons, "，") + "\n";
    }
    return text;
}

}  // namespace almanac
