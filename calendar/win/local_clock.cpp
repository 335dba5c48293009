// The real clock, alone in its file: a test build of the program defines
// LocalNow itself, and then this file is never taken from the library.
#include "calendar/win/system_time.h"

SystemTime LocalNow() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return SystemTimeFrom(t);
}
