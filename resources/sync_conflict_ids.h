// Control identifiers of the dialog of the calendar sync's conflicts (160).
#pragma once

#define IDD_SYNC_CONFLICT_DIALOG 160

#define IDC_CONFLICT_LIST 2301
#define IDC_CONFLICT_OURS 2302
#define IDC_CONFLICT_THEIRS 2303
#define IDC_CONFLICT_STATUS 2304
#define IDC_CONFLICT_KEEP_PHONE 2305
#define IDC_CONFLICT_PUT_BACK 2306
