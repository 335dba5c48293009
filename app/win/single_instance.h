// Whether another copy of the program runs in this session, from what
// CreateMutexW gave for the program's mutex.
#pragma once

#include <windows.h>

// A mutex that exists but cannot be opened belongs to a copy running with
// other rights (an elevated one): that copy is running all the same.
inline bool AnotherCopyRuns(HANDLE mutex, DWORD createError) {
    return mutex ? createError == ERROR_ALREADY_EXISTS : createError == ERROR_ACCESS_DENIED;
}
