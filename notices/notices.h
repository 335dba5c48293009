// What the notification window is asked to show: the alerts of memos that
// fall due in a minute, and the daily notice of today's and tomorrow's
// festivals and solar terms. The shell's timers call these with the clock's
// local time and hand the result to the window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/date.h"
#include "calendar/gregorian.h"
#include "days/day_info.h"

// One memo alert a notice shows: the occurrence it announces.
struct DueAlert {
    SystemTime occurrence;  // the memo's date and start time (hour, minute)
    std::string text;       // the memo's text, GBK
};

struct Notice {
    std::string message;                   // the window's text, beginning with "\n\n"
    std::optional<std::string> soundFile;  // nothing: the window keeps the sound file it had
    bool daily = false;                    // the day's festival notice, which the next day's replaces
    std::vector<DueAlert> alerts;          // the memo alerts it shows, which 稍后提醒 can put off
};

// An alert's line as seen on `today`: "今天08:00：text\n", 明天, 后天, then
// "3天后" … for the days ahead, "12月8日08:00：text\n" for a day gone by.
std::string AlertLine(const DueAlert& alert, const Date& today);

// The settings switches that govern notices.
struct NoticeSwitches {
    bool showNotifyWindow = true;  // ShowNotifyWindowOnScreen
    bool showSolarTerms = false;   // ShowJieQiOnRemindWindow (daily notice only)
};

// The sound of memo alerts, a name in the program's Sound folder as a
// festival's sound file may be.
inline constexpr char kAlertSoundFile[] = "滴滴.wav";

// The alerts due in the minute of `now`: for the memos of today and the days
// after it that the longest lead reaches, every first or second alert whose
// lead time before the memo's start time ends in this minute gives one line
// "今天08:00：text\n" (明天, 后天, 3天后 … 7天后 by the day of the occurrence).
// Nothing when no alert is due or notices are switched off. The notice plays
// `alertSoundFile`.
std::optional<Notice> CheckReminderAlerts(const SystemTime& now, const NoticeSwitches& switches, DayInfoSource& days,
                                          const std::string& alertSoundFile);

// The alerts that fell due while nobody could see them (the computer slept,
// the clock jumped forward): every first or second alert due after the minute
// of `after` and before the minute of `now`, in the order they were due, one
// notice that says so: "错过的提醒：\n" then "12月8日07:55到期：08:00 text\n"
// per alert (the day and time the alert was due, the memo's start time).
// Nothing when none was missed or notices are switched off.
std::optional<Notice> MissedReminderAlerts(const SystemTime& after, const SystemTime& now,
                                           const NoticeSwitches& switches, DayInfoSource& days,
                                           const std::string& alertSoundFile);

// The notice of `today` and the day after: the festivals announced in the
// notification window (with their suffixes) and, when switched on, the solar
// term, as 今天「…」！ and 明天「…」. Its sound is that of the first festival of
// the day shown first; when that day has no festival (only a solar term) the
// window keeps its sound file. Nothing when neither day has anything to say
// or notices are switched off.
std::optional<Notice> BuildDailyNotice(const Date& today, const NoticeSwitches& switches, DayInfoSource& days);

// The date and time `seconds` later (earlier when negative), across days,
// months and years.
SystemTime AddSeconds(const SystemTime& time, std::int64_t seconds);
