// The wait before the shell reads an unreadable festival or memo file again.
#pragma once

// Milliseconds after `failures` failed reads. Alone in its file so that the
// test build of the program can set its own pace.
unsigned FileRetryDelayMs(int failures);
