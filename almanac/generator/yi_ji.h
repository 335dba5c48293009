// What a day is auspicious (宜) and inauspicious (忌) for: the one place the
// generator decides it. Everything the traditional selection rules look at is
// in DayFacts (year, month and day 干支, the month by 节, the lunar date, the
// solar term of the day and the nearness of the terms, the 建除 value), so a
// fuller rule engine can take this function's place without touching the rest.
#pragma once

#include <string>
#include <vector>

#include "almanac/generator/day_facts.h"

namespace almanac_gen {

struct YiJi {
    std::vector<std::string> yi;  // GBK activity names, in the almanac's order
    std::vector<std::string> ji;
};

// For now the 宜 and 忌 of the day's 建除 value alone, as the almanacs give them
// for each of the twelve 值星.
YiJi ChooseYiJi(const DayFacts& facts);

}  // namespace almanac_gen
