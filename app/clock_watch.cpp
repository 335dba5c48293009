#include "app/clock_watch.h"

void ClockWatch::Reset(const SystemTime& now) { last_ = now; }

ClockChanges ClockWatch::Tick(const SystemTime& now) {
    ClockChanges changes;
    if (now.year != last_.year || now.month != last_.month || now.day != last_.day) {
        changes.date = true;
        last_.year = now.year;
        last_.month = now.month;
        last_.day = now.day;
        last_.dayOfWeek = now.dayOfWeek;
    }
    if (now.hour != last_.hour || now.minute != last_.minute) {
        changes.minute = true;
        last_.hour = now.hour;
        last_.minute = now.minute;
    }
    return changes;
}

unsigned MillisecondsToNextTick(const SystemTime& now) {
    // A leap second (60) or a malformed record still waits a sensible time.
    const unsigned second = now.second < 60 ? now.second : 59;
    const unsigned millisecond = now.milliseconds < 1000 ? now.milliseconds : 999;
    return (60 - second) * 1000 - millisecond + kTickMarginMs;
}

unsigned ClockWatch::NextTickDelay(const SystemTime& now) const {
    const bool unseen = now.year != last_.year || now.month != last_.month || now.day != last_.day ||
                        now.hour != last_.hour || now.minute != last_.minute;
    return unseen ? kTickMarginMs : MillisecondsToNextTick(now);
}
