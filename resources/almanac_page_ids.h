// Control identifiers of the 黄历 page of a day (143).
#pragma once

#define IDD_ALMANAC_PAGE 143

#define IDC_PAGE_DATE 1430      // the Gregorian date and weekday, large
#define IDC_PAGE_LUNAR 1431     // the lunar date and the zodiac year
#define IDC_PAGE_TEXT 1432      // the rest of the page: one "名：值" line per entry
#define IDC_PAGE_HOURS 1433     // the twelve 时辰 as a table
#define IDC_PAGE_PREVIOUS 1434  // 前一天
#define IDC_PAGE_NEXT 1435      // 后一天
#define IDC_PAGE_YI 1436        // "宜：…", first and large
#define IDC_PAGE_JI 1437        // "忌：…" under it
