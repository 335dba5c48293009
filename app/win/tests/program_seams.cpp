// The test build of the program (Solvane-seams.exe, built beside the
// end-to-end driver and never shipped): the release's entry point over the
// same shell library, with two things of the desktop that cannot be brought
// about under Wine on demand, set through the environment:
//   SOLVANE_TEST_CLOCK="YYYY-MM-DD HH:MM:SS"  the local clock reads that time
//       at start-up and runs on from there at the real pace
//   SOLVANE_TEST_TRAY_REFUSALS=N  the notification area refuses the first N
//       additions of the icon, as at log-on before the taskbar is ready
//   SOLVANE_TEST_FILE_RETRY_MS=N  an unreadable festival or memo file is read
//       again every N milliseconds rather than at the release's pace
// The release links calendar/win/local_clock.cpp,
// view/win/notification_area.cpp and app/win/file_retry_pace.cpp instead;
// these definitions take their place.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/clock_watch.h"
#include "app/win/file_retry_pace.h"
#include "calendar/win/system_time.h"
#include "view/win/tray_icon.h"

namespace {

std::wstring Environment(const wchar_t* name) {
    wchar_t value[64] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 64);
    return length > 0 && length < 64 ? value : L"";
}

long long Ticks(const SYSTEMTIME& t) {
    FILETIME f{};
    if (!SystemTimeToFileTime(&t, &f)) return 0;
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
}

// How far the test clock is from the real one, in 100 ns steps: fixed at the
// first reading, none when the variable is absent or not a time.
long long ClockOffset() {
    static const long long offset = [] {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        if (std::swscanf(Environment(L"SOLVANE_TEST_CLOCK").c_str(), L"%d-%d-%d %d:%d:%d", &year, &month, &day, &hour,
                         &minute, &second) != 6) {
            return 0LL;
        }
        SYSTEMTIME start{};
        start.wYear = static_cast<WORD>(year);
        start.wMonth = static_cast<WORD>(month);
        start.wDay = static_cast<WORD>(day);
        start.wHour = static_cast<WORD>(hour);
        start.wMinute = static_cast<WORD>(minute);
        start.wSecond = static_cast<WORD>(second);
        SYSTEMTIME real{};
        GetLocalTime(&real);
        const long long from = Ticks(start);
        return from ? from - Ticks(real) : 0LL;
    }();
    return offset;
}

}  // namespace

SystemTime LocalNow() {
    SYSTEMTIME real{};
    GetLocalTime(&real);
    const long long offset = ClockOffset();
    if (offset == 0) return SystemTimeFrom(real);
    const auto ticks = static_cast<unsigned long long>(Ticks(real) + offset);
    const FILETIME shifted{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME t{};
    FileTimeToSystemTime(&shifted, &t);  // fills in the day of the week too
    return SystemTimeFrom(t);
}

bool AddToNotificationArea(NOTIFYICONDATAW& data) {
    static int refusals = _wtoi(Environment(L"SOLVANE_TEST_TRAY_REFUSALS").c_str());
    if (refusals > 0) {
        --refusals;
        return false;
    }
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

unsigned FileRetryDelayMs(int failures) {
    static const int pace = _wtoi(Environment(L"SOLVANE_TEST_FILE_RETRY_MS").c_str());
    return pace > 0 ? static_cast<unsigned>(pace) : FileRetryDelaySeconds(failures) * 1000;
}
