// What a day is auspicious (宜) and inauspicious (忌) for: the one place the
// almanac decides it, by the traditional selection rules of yiji_rules.h
// applied to the facts of the day.
#pragma once

#include <string>
#include <vector>

#include "almanac/day_facts.h"
#include "almanac/yiji_rules.h"

namespace almanac {

struct YiJi {
    std::vector<std::string> yi;  // GBK activity names, in the almanac's order
    std::vector<std::string> ji;
    std::vector<std::string> goodGods;  // the day's 吉神
    std::vector<std::string> badGods;   // the day's 凶煞
};

// What the selection rules need to know of a day that the calendar knows.
SelectionFacts SelectionFactsOf(const AlmanacCalendar& calendar, const DayFacts& facts);

YiJi ChooseYiJi(const AlmanacCalendar& calendar, const DayFacts& facts);

// "吉神：天德 月恩 …" and "凶煞：月破 …" on a line each; a line without names is
// left out.
std::string ShenShaLines(const YiJi& yiJi);

// The reasons behind one day's lists (almanac-gen --notes): its 神煞, the
// judgement of every 凶煞 that forbids something, the printed lists and, for
// every activity with anything said about it, which 神煞 favour or forbid it.
std::string YiJiNotes(const AlmanacCalendar& calendar, const DayFacts& facts);

}  // namespace almanac
