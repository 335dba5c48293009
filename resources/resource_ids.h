// Numeric identifiers of the program's resources. Other windows and the tests
// find dialogs and controls by these numbers, so they never change.
#pragma once

// Icons.
#define IDI_APPLICATION_ICON 128  // window icons, tray icon until the day icon is drawn
#define IDI_NOTICE_BELL 211       // label of the notification window, 48 x 48
#define IDI_REMINDER_NOTE 212     // before each memo in the memo manager, 16 x 16
#define IDI_FESTIVAL_ROW 220      // before each festival in the festival manager, 16 x 16
#define IDI_BUTTON_ADD 221        // the managers' buttons, 16 x 16
#define IDI_BUTTON_EDIT 222
#define IDI_BUTTON_DELETE 223
#define IDI_BUTTON_SAVE 224
#define IDI_BUTTON_UP 225
#define IDI_BUTTON_DOWN 226
#define IDI_BUTTON_HELP 227

// Dialogs.
#define IDD_SHELL_WINDOW 129         // hidden owner of the tray icon, timers and menus
#define IDD_CALENDAR_WINDOW 130      // the skinned month window
#define IDD_NOTIFICATION_WINDOW 140  // the sliding notice in the corner of the screen
#define IDD_ABOUT_BOX 213

// The shell window's title, by which other programs find the running one.
#define SOLVANE_SHELL_WINDOW_TITLE "Solvane"

// Controls of the notification window.
#define IDC_NOTICE_CAPTION 1035
#define IDC_NOTICE_MESSAGE 1033
#define IDC_NOTICE_SNOOZE 1036  // 稍后提醒, shown for memo alerts

// Controls of the About box.
#define IDC_ABOUT_ICON 2130
#define IDC_ABOUT_PRODUCT 2131
#define IDC_ABOUT_VERSION 2132
#define IDC_ABOUT_DATE 2133

// The editing dialogs and their controls.
#include "almanac_page_ids.h"
#include "export_dialog_ids.h"
#include "festival_dialog_ids.h"
#include "list_manager_ids.h"
#include "planning_dialog_ids.h"
#include "reminder_dialog_ids.h"
#include "settings_dialog_ids.h"
#include "sync_conflict_ids.h"

// The version resource.
#define SOLVANE_VERSION_NUMBERS 1, 0, 0, 0
#define SOLVANE_VERSION_TEXT "1.0.0"
