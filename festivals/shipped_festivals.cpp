#include "festivals/shipped_festivals.h"

#include <cstddef>
#include <string>

#include "festivals/festival_file.h"

extern const char kShippedFestivalBytes[];
extern const std::size_t kShippedFestivalSize;

FestivalList ShippedFestivals() { return ParseFestivalFile(std::string(kShippedFestivalBytes, kShippedFestivalSize)); }
