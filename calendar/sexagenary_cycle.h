// The sexagenary cycle (干支) that names years, months, days and hours: the
// ten stems and twelve branches advance together, so the sixty pairs run from
// 甲子 to 癸亥 and a stem only ever meets a branch of its own parity. The
// names are tabled here alone; the almanac, its rule tables and the date
// texts all read them from here.
#pragma once

#include <cstdint>
#include <string>

// Stem 0-9 (甲 ... 癸) and branch 0-11 (子 ... 亥); 甲子 is {0, 0}.
struct GanZhi {
    int stem = 0;
    int branch = 0;
};

bool operator==(const GanZhi& a, const GanZhi& b);

// Position 0-59 in the cycle (甲子 0, 乙丑 1, ... 癸亥 59) and back. A stem and
// branch of different parity name no pair and give 0; any integer position is
// taken modulo 60.
int CycleIndex(const GanZhi& g);
GanZhi FromCycleIndex(std::int64_t index);

// GBK names; any integer is taken modulo 10 or 12.
std::string StemName(int stem);
std::string BranchName(int branch);
std::string GanZhiName(const GanZhi& g);  // e.g. 丁未

// The number of a one-character name, 0-9 for 甲 ... 癸 and 0-11 for 子 ...
// 亥; -1 for anything else.
int StemIndex(const std::string& name);
int BranchIndex(const std::string& name);
