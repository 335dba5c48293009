// Control identifiers of the festival manager (132), the festival editor (133) and the six date pages of the editor
// (134-139).
#pragma once

#define IDD_FESTIVAL_MANAGER 132
#define IDD_FESTIVAL_EDITOR 133
// The date pages, in the order the editor numbers them (0-5).
#define IDD_DATE_PAGE_WEEKDAY_OF_MONTH 134
#define IDD_DATE_PAGE_DAYS_FROM_GREGORIAN_DATE 135
#define IDD_DATE_PAGE_DAYS_FROM_SOLAR_TERM 136
#define IDD_DATE_PAGE_GREGORIAN_DATE 137
#define IDD_DATE_PAGE_LUNAR_DATE 138
#define IDD_DATE_PAGE_DAYS_FROM_LUNAR_DATE 139

// The manager has the controls of list_manager_ids.h and two of its own.
#define IDC_FESTIVAL_UP 1028
#define IDC_FESTIVAL_DOWN 1029

// The editor; 确定 and 取消 are IDOK and IDCANCEL.
#define IDC_EDITOR_KIND 1009
#define IDC_EDITOR_CALENDAR 1008
#define IDC_EDITOR_DATE_HOST 1020
#define IDC_EDITOR_NAME 1017
#define IDC_EDITOR_DATE_FORM 1010
#define IDC_EDITOR_START_YEAR 1013
#define IDC_EDITOR_END_YEAR 1014
#define IDC_EDITOR_END_MONTH 1015
#define IDC_EDITOR_END_DAY 1016
#define IDC_EDITOR_SOUND_FILE 1018
#define IDC_EDITOR_CHOOSE_SOUND 1029
#define IDC_EDITOR_FORENOTICE 1004
#define IDC_EDITOR_REMINDER_WINDOW 1005
#define IDC_EDITOR_DATE_HINT 1031  // the fixed date in the other calendar

// The date pages. A page uses the numbers its layout needs: the fixed dates
// put their day into 1022, the solar-term page its term into 1026.
#define IDC_PAGE_MONTH 1021
#define IDC_PAGE_NTH 1022
#define IDC_PAGE_DAY 1022
#define IDC_PAGE_WEEKDAY 1023
#define IDC_PAGE_DIRECTION 1024
#define IDC_PAGE_COUNT 1025
#define IDC_PAGE_FROM_MONTH 1026
#define IDC_PAGE_TERM 1026
#define IDC_PAGE_FROM_DAY 1027
