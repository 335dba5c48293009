// The festival list the program comes with (data/Ostrel/holidays.cfg as it
// was built), to tell the user's own festivals from the shipped ones.
#pragma once

#include "festivals/festival_rule.h"

FestivalList ShippedFestivals();
