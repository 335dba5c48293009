// The shell's view of the clock: the date and the minute it saw last, so that
// its 300 ms timer notices a new day (midnight, or the clock set to another
// day) and a new minute exactly once each.
#pragma once

#include "calendar/gregorian.h"

struct ClockChanges {
    bool date = false;    // year, month or day differ from the last seen
    bool minute = false;  // hour or minute differ from the last seen
};

class ClockWatch {
public:
    // Start-up: the current time counts as seen, so the first tick is no change.
    void Reset(const SystemTime& now);
    // Compares with the last seen date and minute and remembers the new ones.
    ClockChanges Tick(const SystemTime& now);

    const SystemTime& lastSeen() const { return last_; }

private:
    SystemTime last_;
};
