// The platform's SYSTEMTIME and the calendar code's SystemTime are the same
// eight fields; these are the one place that copies between them, and the
// one place that asks for the local wall-clock time.
#pragma once

#include <windows.h>

#include "calendar/gregorian.h"

inline SystemTime SystemTimeFrom(const SYSTEMTIME& t) {
    SystemTime time;
    time.year = t.wYear;
    time.month = t.wMonth;
    time.dayOfWeek = t.wDayOfWeek;
    time.day = t.wDay;
    time.hour = t.wHour;
    time.minute = t.wMinute;
    time.second = t.wSecond;
    time.milliseconds = t.wMilliseconds;
    return time;
}

inline SYSTEMTIME ToSYSTEMTIME(const SystemTime& time) {
    SYSTEMTIME t{};
    t.wYear = time.year;
    t.wMonth = time.month;
    t.wDayOfWeek = time.dayOfWeek;
    t.wDay = time.day;
    t.wHour = time.hour;
    t.wMinute = time.minute;
    t.wSecond = time.second;
    t.wMilliseconds = time.milliseconds;
    return t;
}

// The local wall-clock time. Defined alone in calendar/win/local_clock.cpp,
// so that a test build of the program can link a clock of its own in its
// place (app/win/tests/program_seams.cpp); the release links that file.
SystemTime LocalNow();

inline CivilDate LocalToday() {
    const SystemTime now = LocalNow();
    return CivilDate{now.year, now.month, now.day};
}
