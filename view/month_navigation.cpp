#include "view/month_navigation.h"

#include <algorithm>
#include <cstdint>

#include "calendar/lunar_calendar.h"

namespace {

int MonthIndex(const YearMonth& month) { return month.year() * 12 + month.month() - 1; }

YearMonth MonthOfIndex(int index) { return *YearMonth::From(index / 12, index % 12 + 1); }

Date HeldToShownDays(const Date& date) {
    return std::clamp(date, FirstShownMonth().FirstDay(), LastShownMonth().LastDay());
}

// The same day of another month, or its last day when it has fewer.
Date SameDayIn(const YearMonth& month, int day) { return *month.Day(std::min(day, month.DayCount())); }

}  // namespace

YearMonth FirstShownMonth() { return *YearMonth::From(kFirstLunarYear, 1); }

YearMonth LastShownMonth() { return *YearMonth::From(kLastLunarYear, 12); }

YearMonth StepMonths(const YearMonth& month, int months) {
    const std::int64_t index = static_cast<std::int64_t>(MonthIndex(month)) + months;
    const std::int64_t held =
        std::clamp<std::int64_t>(index, MonthIndex(FirstShownMonth()), MonthIndex(LastShownMonth()));
    return MonthOfIndex(static_cast<int>(held));
}

Date RingStart(const YearMonth& shown, const Date& today) { return shown.Holds(today) ? today : shown.FirstDay(); }

std::optional<Date> RingTarget(CalendarKeyCommand command, const Date& ringed, const Date& today) {
    const YearMonth month = YearMonth::Of(ringed);
    switch (command) {
        case CalendarKeyCommand::kPreviousDay:
            return HeldToShownDays(ringed - 1);
        case CalendarKeyCommand::kNextDay:
            return HeldToShownDays(ringed + 1);
        case CalendarKeyCommand::kPreviousWeek:
            return HeldToShownDays(ringed - 7);
        case CalendarKeyCommand::kNextWeek:
            return HeldToShownDays(ringed + 7);
        case CalendarKeyCommand::kPreviousMonth:
            return SameDayIn(StepMonths(month, -1), ringed.day());
        case CalendarKeyCommand::kNextMonth:
            return SameDayIn(StepMonths(month, 1), ringed.day());
        case CalendarKeyCommand::kPreviousYear:
            return SameDayIn(StepMonths(month, -12), ringed.day());
        case CalendarKeyCommand::kNextYear:
            return SameDayIn(StepMonths(month, 12), ringed.day());
        case CalendarKeyCommand::kToday:
            return HeldToShownDays(today);
        default:
            return std::nullopt;
    }
}

int WheelAccumulator::Add(int delta) {
    if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
    // Held far from overflow: a driver reporting absurd deltas moves at most
    // a few hundred years, which the month range holds anyway.
    rest_ = std::clamp(rest_ + std::clamp(delta, -kWheelNotch * 10000, kWheelNotch * 10000), -kWheelNotch * 10000,
                       kWheelNotch * 10000);
    const int notches = rest_ / kWheelNotch;
    rest_ -= notches * kWheelNotch;
    return notches;
}

int MonthsForWheel(int notches, bool control) { return -notches * (control ? 12 : 1); }
