// Help pages for festivals and solar terms: the day menu of the calendar
// offers each festival and solar term of a day, and choosing one opens its
// encyclopedia page.
#pragma once

#include <string>
#include <vector>

struct FestivalHelpLink {
    std::string name;  // GBK, as the calendar shows it
    std::string link;  // web address, ASCII (percent-encoded UTF-8)
};

// The 141 names with their pages: the 24 solar terms, 17 traditional days,
// 92 public and international days and the counting days 二九 ... 九九, which
// share one page.
std::vector<FestivalHelpLink> FestivalHelpLinks();

// The page for names outside the table (the user's own festivals, birthdays).
extern const char kGeneralFestivalHelpLink[];

// The page for a name, compared byte for byte with the table (no suffix, so
// 春节（补） is not 春节); the general page when the name is not there.
std::string FestivalHelpLinkFor(const std::string& name);

// Every byte outside the unreserved URL characters as %XX.
std::string PercentEncode(const std::string& bytes);
