// 稍后提醒: the alerts a notice showed, put off for a while and shown again.
// The user picks how long on the notice; the shell keeps the alerts put off,
// across a restart too (app/alert_state.h), and shows each once its minute
// has come, also when that minute passed while the program was not running.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/gregorian.h"
#include "notices/notices.h"

enum class SnoozeLength { k5Minutes, k10Minutes, k30Minutes, k1Hour, kTomorrow };

struct SnoozeChoice {
    SnoozeLength length;
    const char* text;  // as the notice's menu lists it
};
// 5分钟, 10分钟, 30分钟, 1小时, 明天, in that order.
const std::vector<SnoozeChoice>& SnoozeChoices();

// The minute the alerts come again: that many minutes after the minute of
// `now`; 明天 the same minute of the next day.
SystemTime SnoozedUntil(const SystemTime& now, SnoozeLength length);

struct SnoozedAlert {
    SystemTime due;  // the minute it comes again
    DueAlert alert;
};

// At most this many are kept; putting off more drops the ones due first.
inline constexpr std::size_t kMostSnoozedAlerts = 100;

// Puts off the alerts until `due`.
void Snooze(std::vector<SnoozedAlert>& snoozed, const std::vector<DueAlert>& alerts, const SystemTime& due);

// Takes out of `snoozed` the alerts due in the minute of `now` or before it,
// in the order they are due.
std::vector<SnoozedAlert> TakeDueSnoozes(std::vector<SnoozedAlert>& snoozed, const SystemTime& now);

// "稍后提醒：" and a line per alert as the alert first said it, its day named
// from `now`'s date: "今天08:00：晨会", "明天…", a past day as "12月8日08:00：…".
// Snoozed again, they come back the same way. Nothing for no alerts or with
// notices switched off.
std::optional<Notice> SnoozedNotice(const std::vector<SnoozedAlert>& due, const SystemTime& now,
                                    const NoticeSwitches& switches, const std::string& alertSoundFile);
