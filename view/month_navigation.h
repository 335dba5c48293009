// Moving through the calendar without the menus: where a key takes the
// keyboard's ring, and how many months a turn of the mouse wheel moves.
#pragma once

#include <optional>

#include "calendar/date.h"
#include "view/calendar_menus.h"

// The months the window can show: those of the lunar tables.
YearMonth FirstShownMonth();  // 1901-01
YearMonth LastShownMonth();   // 2099-12

// The month `months` later (earlier when negative), held to the months the
// window can show.
YearMonth StepMonths(const YearMonth& month, int months);

// The day the ring starts on when a key is pressed while none is shown:
// today when the shown month holds it, else the month's first day.
Date RingStart(const YearMonth& shown, const Date& today);

// Where a key takes the ring from `ringed`: a day or a week on, into the next
// or previous month when it crosses one; a month or a year on at the same
// day, or the month's last day when it is shorter (31 January -> 28
// February); today. Never beyond the first or last day the window can show.
// Nothing for a key that does not move the ring.
std::optional<Date> RingTarget(CalendarKeyCommand command, const Date& ringed, const Date& today);

// One notch of a wheel, as Windows counts it.
inline constexpr int kWheelNotch = 120;

// Wheels with finer steps report fractions of a notch; they add up until a
// whole notch is turned. Turning the other way drops what was left over, so
// that a reversal never moves the month the old way.
class WheelAccumulator {
public:
    // The whole notches completed by this delta (positive: turned away from
    // the user); the rest is kept for the next one.
    int Add(int delta);
    void Reset() { rest_ = 0; }

private:
    int rest_ = 0;
};

// Months a turn of the wheel moves the shown month: one a notch, twelve with
// Ctrl held. Turned away from the user goes back in time, as a page scrolls
// up towards what came before.
int MonthsForWheel(int notches, bool control);
