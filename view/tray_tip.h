// The tip of the tray icon: what a glance at the notification area should
// tell, as the clock's own tip does for the date.
#pragma once

#include <string>

#include "calendar/date.h"

// "Tavro日历\n2026年12月8日 星期二 旧历十月三十 丙午年": the product name on its
// own line, then today's date with its weekday, its lunar date (闰 before a
// leap month) and the 干支 of the lunar year. GBK.
std::string TrayTipText(const Date& today, const std::string& productName);
