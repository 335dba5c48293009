// The notification area's NIM_ADD, alone in its file: a test build of the
// program defines AddToNotificationArea itself, and then this file is never
// taken from the library.
#include "view/win/tray_icon.h"

bool AddToNotificationArea(NOTIFYICONDATAW& data) { return Shell_NotifyIconW(NIM_ADD, &data) != FALSE; }
