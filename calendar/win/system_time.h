// The platform's SYSTEMTIME and the calendar code's SystemTime are the same
// eight fields; these are the one place that copies between them, and the
// one place that asks for the local wall-clock time.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>

#include "calendar/date.h"
#include "calendar/gregorian.h"

static_assert(sizeof(SYSTEMTIME) == sizeof(SystemTime) &&
                  offsetof(SYSTEMTIME, wDayOfWeek) == offsetof(SystemTime, dayOfWeek) &&
                  offsetof(SYSTEMTIME, wMilliseconds) == offsetof(SystemTime, milliseconds),
              "SystemTime has the fields of SYSTEMTIME in their order");

inline SystemTime SystemTimeFrom(const SYSTEMTIME& t) {
    SystemTime time;
    std::memcpy(static_cast<void*>(&time), &t, sizeof time);
    return time;
}

inline SYSTEMTIME ToSYSTEMTIME(const SystemTime& time) {
    SYSTEMTIME t;
    std::memcpy(&t, &time, sizeof t);
    return t;
}

// The local wall-clock time. Defined alone in calendar/win/local_clock.cpp,
// so that a test build of the program can link a clock of its own in its
// place (app/win/tests/program_seams.cpp); the release links that file.
SystemTime LocalNow();

// The local date. The clock always tells a real one; were it ever not to,
// the calendar would show 1970 rather than fail.
inline Date LocalToday() { return DateOf(LocalNow()).value_or(Date()); }
