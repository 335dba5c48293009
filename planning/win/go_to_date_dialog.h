// 转到日期: a modal dialog for choosing a 阳历 or 旧历 date (a lunar month and
// day without a year lists its dates in the next ten years), with the days
// between any date and the chosen one, and the date some days after or
// before a date.
#pragma once

#include <windows.h>

#include <optional>

#include "calendar/date.h"

// Opens with `start` chosen; the date to go to, or nothing when closed.
std::optional<Date> RunGoToDateDialog(HWND owner, const Date& start, const Date& today);
