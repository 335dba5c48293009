// The 24 solar terms, numbered from 立春 (0) to 大寒 (23): the order of the
// festival editor's list and of the almanac year, which begins at 立春. Even
// numbers are the 节 that open the almanac months, odd numbers the 中气.
#pragma once

#include <string>

constexpr int kSolarTermCount = 24;

// GBK name, e.g. 立春 for 0; "" outside 0-23.
std::string SolarTermName(int index);

// Number of a name as the almanac writes it, or -1.
int SolarTermIndex(const std::string& name);

// The Sun's apparent ecliptic longitude at the term, in degrees: 立春 315,
// 春分 0, 冬至 270.
int SolarTermLongitude(int index);
