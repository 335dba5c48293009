// Control identifiers of the memo manager (141) and the memo editor (142).
#pragma once

#define IDD_REMINDER_MANAGER 141
#define IDD_REMINDER_EDITOR 142

// The memo manager has the controls of list_manager_ids.h and its hint.
#define IDC_REMINDER_HINT 1040

// The memo editor. IDOK and IDCANCEL confirm and cancel.
#define IDC_REMINDER_CONTENT 1038
#define IDC_REMINDER_START_YEAR 1014
#define IDC_REMINDER_START_MONTH 1015
#define IDC_REMINDER_START_DAY 1016
#define IDC_REMINDER_START_HOUR 1017
#define IDC_REMINDER_START_MINUTE 1018
#define IDC_REMINDER_DAY_LABEL 1039
#define IDC_REMINDER_FIRST_ALERT 1009
#define IDC_REMINDER_CATEGORY 1011
#define IDC_REMINDER_SECOND_ALERT 1012
#define IDC_REMINDER_REPEAT 1010
#define IDC_REMINDER_CALENDAR 1008
#define IDC_REMINDER_HAS_END 1004
#define IDC_REMINDER_END_YEAR 1019
#define IDC_REMINDER_END_MONTH 1020
#define IDC_REMINDER_END_DAY 1021
#define IDC_REMINDER_END_HOUR 1022
#define IDC_REMINDER_END_MINUTE 1023
#define IDC_REMINDER_DATE_HINT 1042  // the start date in the other calendar
