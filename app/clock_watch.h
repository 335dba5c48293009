// The shell's view of the clock: the date and the minute it saw last, so that
// its timer notices a new day (midnight, or the clock set to another day) and
// a new minute exactly once each. The timer is set to the next minute
// boundary each time rather than ticking all day: an idle program then wakes
// once a minute. A clock set by hand or a resume from sleep ticks at once.
#pragma once

#include <cstdint>
#include <optional>

#include "calendar/date.h"
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

    // The wait before the next tick, read after the work of a tick: the next
    // minute boundary, or almost none when the clock has already passed into
    // a minute or date not yet seen (long work, a clock set meanwhile).
    unsigned NextTickDelay(const SystemTime& now) const;

private:
    SystemTime last_;
};

// The month the window shows once the date has changed to `now` (midnight, a
// wake-up, the clock set): always the new date's month, also when the user
// had turned to another one; a new day starts on today. Only a clock reading
// that is no date keeps the month `shown`.
YearMonth MonthAfterDateChange(const YearMonth& shown, const SystemTime& now);

// How long the shell's timer waits from `now` for its next tick: until just
// after the next minute begins (the margin covers timers that fire a little
// early or late). A timer that fired before the boundary is re-armed for the
// rest of that minute, so no minute is missed or seen twice.
unsigned MillisecondsToNextTick(const SystemTime& now);

// The margin past the boundary.
constexpr unsigned kTickMarginMs = 50;
// Which memo alerts a tick checks. Normally the minute on the clock. After a
// gap (sleep, hibernation, the clock set forward) also the minutes skipped,
// at most the last kMissedAlertMinutes of them; at start-up those since the
// last minute a running program checked, at most kMissedAtStartMinutes back.
// A clock set back starts afresh from the new time: its alerts are due again,
// even when that repeats one (silence would be worse); only a correction
// within a minute repeats nothing.
inline constexpr int kMissedAlertMinutes = 2 * 24 * 60;
inline constexpr int kMissedAtStartMinutes = 7 * 24 * 60;

struct AlertCheck {
    bool thisMinute = false;                // check the alerts due in now's minute
    std::optional<SystemTime> missedAfter;  // alerts due after this minute and before now's were missed
};

class AlertSchedule {
public:
    // The current minute counts as checked.
    void Reset(const SystemTime& now);
    // Start-up: `lastChecked` is the last minute checked before the program
    // last ended (nothing when unknown); returns what to check now.
    AlertCheck Start(const SystemTime& now, const std::optional<SystemTime>& lastChecked);
    AlertCheck Tick(const SystemTime& now);
    // The last minute checked, to be remembered across runs.
    SystemTime lastChecked() const;

private:
    std::int64_t checked_ = 0;  // the last minute checked, counted from the calendar's epoch
};

// How long to wait before reading an unreadable festival or memo file again,
// after `failures` failed reads: every 30 seconds for the first 10 minutes
// (an antivirus scan or a sync client at log-on lets go within that), then
// every 5 minutes for as long as the program runs, so alerts come back
// whenever the file does.
unsigned FileRetryDelaySeconds(int failures);
