// The text of the balloon over a day cell: everything the calendar knows
// about the day, in the order the user reads it.
#pragma once

#include <functional>
#include <string>

#include "almanac/day_info.h"
#include "festivals/off_days.h"

// Gregorian and lunar dates, 「闰月」 in a leap month, weekday, zodiac year,
// solar term, festivals with their suffixes, then (with showAlmanac) the
// almanac block under its heading, then the day's memos under theirs.
// A day of the public-holiday schedule adds its line ("国庆节假期 休",
// "调休上班 班") after the festivals.
std::string BalloonText(const DayInfo& day, bool showAlmanac, const OffDay* offDay = nullptr);

// The almanac part alone with its heading; "" when the day has no almanac.
std::string AlmanacBlock(const DayInfo& day);

// The memo part alone with its heading ("8点5分：text" per memo); "" without
// memos.
std::string MemoBlock(const DayInfo& day);

// The balloon's text laid out for a balloon that never wraps by itself: the
// balloon is as wide as its widest line, except that the 宜 and 忌 lists,
// which may name fifty activities, break at spaces to the width of the widest
// other line (at least 260 pixels), and nothing is wider than `maxWidth`
// (the work area less the balloon's frame; 0: no limit). `width` measures a
// line in pixels as the balloon draws it.
std::string WrapBalloonText(const std::string& gbk, const std::function<int(const std::string&)>& width,
                            int maxWidth);
