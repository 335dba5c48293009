// The text of the balloon over a day cell: everything the calendar knows
// about the day, in the order the user reads it.
#pragma once

#include <functional>
#include <string>

#include "days/day_info.h"
#include "holidays/holiday_schedule.h"

// Gregorian and lunar dates, 「闰月」 in a leap month, weekday, zodiac year,
// solar term, festivals with their suffixes, then (with showBalloonAlmanac) the
// almanac block under its heading, then the day's memos under theirs.
// A day of the holiday schedule adds its line ("国庆节假期 休",
// "国庆节调休上班 班") after the festivals, and a day off that only the
// holiday law fixes the note that the year's schedule is not out yet. Given
// today's date, a day more than a day away says how far it is ("距今60天",
// "3天前") under its weekday.
std::string BalloonText(const DayInfo& day, bool showBalloonAlmanac, const OffDay* offDay = nullptr,
                        const Date* today = nullptr);

// The almanac part alone with its heading; "" when the day has no almanac.
std::string AlmanacBlock(const DayInfo& day);

// The memo part alone with its heading ("8点5分：text" per memo); "" without
// memos.
std::string ReminderBlock(const DayInfo& day);

// The balloon's text laid out for a balloon that never wraps by itself: the
// balloon is as wide as its widest line, but no narrower than `narrowest` and
// no wider than `widest` (a comfortable reading width, and never more than the
// work area less the balloon's frame; 0: no limit). Longer lines (a memo of a
// hundred characters, the 宜 and 忌 lists, which may name fifty activities)
// break at spaces, or between characters where there are none, to that width;
// the lists never widen the balloon. `width` measures a line in pixels as the
// balloon draws it. With `mostLines`, a text of more lines than the screen
// holds, or of more characters than the balloon keeps, is cut (CutBalloonLines).
std::string WrapBalloonText(const std::string& gbk, const std::function<int(const std::string&)>& width, int narrowest,
                            int widest, std::size_t mostLines = 0, std::size_t mostCharacters = 0);

// A laid-out text of more than `mostLines` lines (at least 2), or of more
// than `mostCharacters` characters with its line breaks (0: any number), cut
// so that the balloon stays on the screen and shows its end: the last line
// kept ends in "…" (within `limit` pixels) and a last line "还有N字" counts
// the characters left out, line breaks not counted. The memos come last, so a
// long memo is what is cut.
std::string CutBalloonLines(const std::string& laidOut, const std::function<int(const std::string&)>& width, int limit,
                            std::size_t mostLines, std::size_t mostCharacters = 0);
