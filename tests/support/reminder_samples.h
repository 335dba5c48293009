// Memos for the tests, built the way the editor fills them.
#pragma once

#include <string>

#include "reminders/reminder.h"
#include "tests/support/dates.h"

inline Reminder MakeReminder(ReminderCalendar calendar, ReminderRepeat repeat, int year, int month, int day, int hour,
                             int minute, const std::string& text = "备忘") {
    Reminder r;
    r.calendar = calendar;
    r.repeat = repeat;
    r.start.year = static_cast<std::uint16_t>(year);
    r.start.month = static_cast<std::uint16_t>(month);
    r.start.day = static_cast<std::uint16_t>(day);
    r.start.hour = static_cast<std::uint16_t>(hour);
    r.start.minute = static_cast<std::uint16_t>(minute);
    SetReminderText(r, text);
    return r;
}

inline Reminder Gregorian(ReminderRepeat repeat, int year, int month, int day, int hour = 8, int minute = 0,
                          const std::string& text = "备忘") {
    return MakeReminder(ReminderCalendar::kGregorian, repeat, year, month, day, hour, minute, text);
}

inline Reminder Lunar(ReminderRepeat repeat, int year, int month, int day, int hour = 8, int minute = 0,
                      const std::string& text = "备忘") {
    return MakeReminder(ReminderCalendar::kLunar, repeat, year, month, day, hour, minute, text);
}

inline void EndRepeatAt(Reminder& r, int year, int month, int day, int hour, int minute) {
    r.setHasRepeatEnd(true);
    r.repeatEnd.year = static_cast<std::uint16_t>(year);
    r.repeatEnd.month = static_cast<std::uint16_t>(month);
    r.repeatEnd.day = static_cast<std::uint16_t>(day);
    r.repeatEnd.hour = static_cast<std::uint16_t>(hour);
    r.repeatEnd.minute = static_cast<std::uint16_t>(minute);
}
