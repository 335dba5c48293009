// The `layout` view: what the month window would draw where, one line per
// item in drawing order, for tests and for people who make templates.
#pragma once

#include <string>

#include <map>

#include "view/display_list.h"
#include "view/month_layout.h"

// background PATH
// text ROLE LEFT,TOP,RIGHT,BOTTOM [size=N] TEXT
//     (role: year month weekday day today lunar festival solarterm list
//     offday note mark; size=N where the text is drawn at N pixels, smaller
//     than its template's size, to fit its box; TEXT as drawn, "…" included)
// ring|dot LEFT,TOP,RIGHT,BOTTOM ALPHA,RED,GREEN,BLUE
// cell DAY LEFT,TOP,RIGHT,BOTTOM
std::string MonthLayoutView(const DisplayList& display, const std::map<int, CellRect>& cells);
