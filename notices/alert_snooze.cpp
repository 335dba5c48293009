#include "notices/alert_snooze.h"

#include <algorithm>

namespace {

std::int64_t MinuteOf(const SystemTime& t) {
    return SerialFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

SystemTime Minute(const SystemTime& t) { return SystemTimeAt(t.year, t.month, t.day, t.hour, t.minute); }

}  // namespace

const std::vector<SnoozeChoice>& SnoozeChoices() {
    static const std::vector<SnoozeChoice> choices = {
        {SnoozeLength::k5Minutes, "5分钟"}, {SnoozeLength::k10Minutes, "10分钟"}, {SnoozeLength::k30Minutes, "30分钟"},
        {SnoozeLength::k1Hour, "1小时"},    {SnoozeLength::kTomorrow, "明天"},
    };
    return choices;
}

SystemTime SnoozedUntil(const SystemTime& now, SnoozeLength length) {
    int minutes = 24 * 60;
    switch (length) {
        case SnoozeLength::k5Minutes:
            minutes = 5;
            break;
        case SnoozeLength::k10Minutes:
            minutes = 10;
            break;
        case SnoozeLength::k30Minutes:
            minutes = 30;
            break;
        case SnoozeLength::k1Hour:
            minutes = 60;
            break;
        case SnoozeLength::kTomorrow:
            break;
    }
    return Minute(AddSeconds(Minute(now), minutes * 60));
}

void Snooze(std::vector<SnoozedAlert>& snoozed, const std::vector<DueAlert>& alerts, const SystemTime& due) {
    for (const DueAlert& alert : alerts) snoozed.push_back({Minute(due), alert});
    if (snoozed.size() <= kMostSnoozedAlerts) return;
    std::stable_sort(snoozed.begin(), snoozed.end(),
                     [](const SnoozedAlert& a, const SnoozedAlert& b) { return MinuteOf(a.due) < MinuteOf(b.due); });
    snoozed.erase(snoozed.begin(), snoozed.end() - kMostSnoozedAlerts);
}

std::vector<SnoozedAlert> TakeDueSnoozes(std::vector<SnoozedAlert>& snoozed, const SystemTime& now) {
    const std::int64_t minute = MinuteOf(now);
    std::vector<SnoozedAlert> due, later;
    for (SnoozedAlert& s : snoozed) (MinuteOf(s.due) <= minute ? due : later).push_back(std::move(s));
    snoozed = std::move(later);
    std::stable_sort(due.begin(), due.end(),
                     [](const SnoozedAlert& a, const SnoozedAlert& b) { return MinuteOf(a.due) < MinuteOf(b.due); });
    return due;
}

std::optional<Notice> SnoozedNotice(const std::vector<SnoozedAlert>& due, const SystemTime& now,
                                    const NoticeSwitches& switches, const std::string& alertSoundFile) {
    const std::optional<Date> today = DateOf(now);
    if (!switches.showNotifyWindow || due.empty() || !today) return std::nullopt;
    Notice notice{"\n\n稍后提醒：\n", alertSoundFile, false, {}};
    for (const SnoozedAlert& s : due) {
        notice.message += AlertLine(s.alert, *today);
        notice.alerts.push_back(s.alert);
    }
    return notice;
}
