#include "app/clock_watch.h"

#include <algorithm>

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

YearMonth MonthAfterDateChange(const YearMonth& shown, const SystemTime& now) {
    return YearMonth::From(now.year, now.month).value_or(shown);
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

namespace {

std::int64_t MinuteOf(const SystemTime& t) {
    return SerialFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

SystemTime TimeOfMinute(std::int64_t minute) {
    const std::int64_t day = minute >= 0 ? minute / 1440 : (minute - 1439) / 1440;
    SystemTime t = MidnightOf(Date::FromSerial(day).value_or(day < 0 ? Date::First() : Date::Last()));
    t.hour = static_cast<std::uint16_t>((minute - day * 1440) / 60);
    t.minute = static_cast<std::uint16_t>((minute - day * 1440) % 60);
    return t;
}

}  // namespace

void AlertSchedule::Reset(const SystemTime& now) { checked_ = MinuteOf(now); }

AlertCheck AlertSchedule::Start(const SystemTime& now, const std::optional<SystemTime>& lastChecked) {
    const std::int64_t minute = MinuteOf(now);
    checked_ = minute;
    AlertCheck check;
    if (lastChecked && MinuteOf(*lastChecked) == minute) return check;  // a restart within the minute
    check.thisMinute = true;
    // Nothing known, or a last check in the future (the clock set back while
    // the program was off): only what is due now.
    if (lastChecked && MinuteOf(*lastChecked) < minute - 1) {
        check.missedAfter = TimeOfMinute(std::max(MinuteOf(*lastChecked), minute - kMissedAtStartMinutes - 1));
    }
    return check;
}

AlertCheck AlertSchedule::Tick(const SystemTime& now) {
    AlertCheck check;
    const std::int64_t minute = MinuteOf(now);
    if (minute == checked_) return check;
    if (minute < checked_) {
        // A correction of a few seconds across a minute boundary: that
        // minute's alerts came a moment ago.
        if (checked_ - minute <= 1) return check;
        // Set back by hand: the new time is the time, and its alerts are due
        // (a memo added for 10:00 at what the clock wrongly called 11:00 too).
        checked_ = minute;
        check.thisMinute = true;
        return check;
    }
    check.thisMinute = true;
    if (minute - checked_ > 1) check.missedAfter = TimeOfMinute(std::max(checked_, minute - kMissedAlertMinutes - 1));
    checked_ = minute;
    return check;
}

SystemTime AlertSchedule::lastChecked() const { return TimeOfMinute(checked_); }

unsigned FileRetryDelaySeconds(int failures) { return failures <= 20 ? 30 : 300; }
