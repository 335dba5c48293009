// Control identifiers of the planning dialogs: the good-day finder (144),
// the leave planner (145) and going to a date (146).
#pragma once

#define IDD_GOOD_DAYS 144
#define IDC_GOOD_ACTIVITY 1440  // the activity, in everyday words
#define IDC_GOOD_FROM 1441      // the range, two date pickers
#define IDC_GOOD_TO 1442
#define IDC_GOOD_YELLOW 1443     // 黄道日 only
#define IDC_GOOD_NOT_CLASH 1444  // leave out days that 冲 ...
#define IDC_GOOD_ZODIAC 1445     // ... this 生肖
#define IDC_GOOD_DAYS_OFF 1446   // days off only
#define IDC_GOOD_SEARCH 1447
#define IDC_GOOD_SUMMARY 1448
#define IDC_GOOD_LIST 1449   // one row per day found
#define IDC_GOOD_PAGE 1450   // the selected day's 黄历 page
#define IDC_GOOD_CLEAR 1451  // takes the marks off the month

#define IDD_LEAVE_PLAN 145
#define IDC_LEAVE_YEAR 1452
#define IDC_LEAVE_MAX 1453  // at most 1 ... 5 days of leave
#define IDC_LEAVE_STATUS 1454
#define IDC_LEAVE_LIST 1455  // one row per plan, under its holiday
#define IDC_LEAVE_CLEAR 1456

#define IDD_GO_TO_DATE 146
#define IDC_GOTO_SOLAR 1460  // 阳历 or 旧历 input
#define IDC_GOTO_LUNAR 1461
#define IDC_GOTO_YEAR 1462
#define IDC_GOTO_MONTH 1463
#define IDC_GOTO_DAY 1464
#define IDC_GOTO_RESULT 1465   // the chosen date in both calendars, and how far it is
#define IDC_GOTO_YEARS 1466    // a lunar date without a year: the next ten years
#define IDC_GOTO_FROM 1467     // date arithmetic: from this date ...
#define IDC_GOTO_OFFSET 1468   // ... this many days (negative: before)
#define IDC_GOTO_COMPUTE 1469  // makes that date the chosen one
#define IDC_GOTO_BETWEEN 1470  // days from the first date to the chosen one
