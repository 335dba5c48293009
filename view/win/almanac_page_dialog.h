// The 黄历 page of a day in a dialog of its own: the date in both calendars,
// every entry of the page and the twelve 时辰 as a table; 前一天 and 后一天
// walk the days, Esc or 关闭 closes it.
#pragma once

#include <windows.h>

#include "calendar/date.h"

// Modal over `owner`; the date must lie in 1901-01-01 ... 2099-12-31.
void ShowAlmanacPage(HWND owner, const Date& date);
