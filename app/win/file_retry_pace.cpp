// The real pace, alone in its file: the test build of the program defines
// FileRetryDelayMs itself, and then this file is never taken from the library.
#include "app/win/file_retry_pace.h"

#include "app/clock_watch.h"

unsigned FileRetryDelayMs(int failures) { return FileRetryDelaySeconds(failures) * 1000; }
