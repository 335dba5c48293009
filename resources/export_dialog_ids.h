// Control identifiers of the dialog that exports to phone calendars (150).
#pragma once

#define IDD_EXPORT_DIALOG 150

#define IDC_EXP_FESTIVALS 2201
#define IDC_EXP_ALL_FESTIVALS 2202
#define IDC_EXP_OWN_FESTIVALS 2203
#define IDC_EXP_REMINDERS 2204
#define IDC_EXP_TERMS 2205
#define IDC_EXP_YEARS 2206
#define IDC_EXP_PATH 2207
#define IDC_EXP_BROWSE 2208
#define IDC_EXP_LIMITS 2209
#define IDC_EXP_PROGRESS 2210
#define IDC_EXP_KEEP_UPDATED 2211
