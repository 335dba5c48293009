// The short name a day cell shows for a festival whose full name is longer
// than a cell holds, the way wall and phone calendars write them (湿地日 for
// 世界湿地日). Only the cell is short: the balloon, the list and the notices
// keep the name as the festival file has it, which the short names leave as
// it is, so files of every earlier release get them too.
#pragma once

#include <string>
#include <vector>

struct FestivalCellName {
    std::string name;       // GBK, as the festival file has it
    std::string shortName;  // GBK, at most four characters
};

// The shipped festivals' short names, in the order of the festival file.
std::vector<FestivalCellName> FestivalCellNames();

// What a cell shows for a festival of this name: its short name, or the name
// itself when it has none (the user's own festivals, which the cell fits by
// drawing them smaller or ending them in "…").
std::string CellNameOf(const std::string& name);
