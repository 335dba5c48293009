// The local wall-clock time as the calendar code holds it.
#pragma once

#include <windows.h>

#include "calendar/gregorian.h"

inline SystemTime LocalNow() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    SystemTime now;
    now.year = t.wYear;
    now.month = t.wMonth;
    now.dayOfWeek = t.wDayOfWeek;
    now.day = t.wDay;
    now.hour = t.wHour;
    now.minute = t.wMinute;
    now.second = t.wSecond;
    now.milliseconds = t.wMilliseconds;
    return now;
}
