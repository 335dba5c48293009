// The words the festival manager shows for a rule: 节日, 阳历, 5月的第二个星期日,
// 1980年, 2015年6月30日 and so on.
#pragma once

#include "festivals/festival_rule.h"

// A record shaped like the rule whose fields hold display texts: calendar,
// kind, the date rule in words (its raw text when no form reads), the start
// year as %d年, the end date as %d年%d月%d日; every other field copied. Marked
// forms are recognised only in upper case here, as the manager has always
// shown them.
FestivalRule DescribeFestival(FestivalRule rule);

// The date rule alone in words.
std::string DescribeDateRule(const std::string& dateRule, const std::string& calendar);
