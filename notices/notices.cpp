#include "notices/notices.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// The alerts of a minute are looked for among the memos of that day and as
// many after it as the longest lead reaches.
int AlertDaysAhead() { return static_cast<int>((LongestAlertLeadSeconds() + kSecondsPerDay - 1) / kSecondsPerDay); }

std::int64_t MinuteOf(const SystemTime& t) {
    return SerialFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::string TwoDigitTime(int hour, int minute) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

// An alert is due when now plus its lead time falls in the minute of the
// memo's start time on the day of the occurrence.
bool IsAlertDue(ReminderAlert alert, const SystemTime& now, const Date& occurrenceDay, const Reminder& r) {
    const std::int64_t lead = AlertLeadSeconds(alert);
    if (lead < 0) return false;
    const SystemTime t = AddSeconds(now, lead);
    return DateOf(t) == occurrenceDay && t.hour == r.start.hour && t.minute == r.start.minute;
}

DueAlert DueAlertOf(const Reminder& r, const Date& occurrenceDay) {
    return {
        SystemTimeAt(occurrenceDay.year(), occurrenceDay.month(), occurrenceDay.day(), r.start.hour, r.start.minute),
        ReminderText(r)};
}

// Festivals announced in the window and the solar term, joined by ",".
std::string DailyText(const DayInfo& day, bool showSolarTerms) {
    std::string text;
    for (const FestivalRule& festival : day.festivals) {
        if (festival.showReminderWindow == "1") text += festival.name + festival.suffix + ",";
    }
    if (!day.solarTerm.empty() && showSolarTerms) text += day.solarTerm + ",";
    if (!text.empty() && text.back() == ',') text.pop_back();
    return text;
}

std::optional<std::string> FirstFestivalSound(const DayInfo& day) {
    if (day.festivals.empty()) return std::nullopt;
    return day.festivals.front().soundFile;
}

}  // namespace

std::string AlertLine(const DueAlert& alert, const Date& today) {
    const SystemTime& at = alert.occurrence;
    const std::int64_t ahead = SerialFromCivil(at.year, at.month, at.day) - today.serial();
    // 今天, 明天, 后天, then "3天后" … as the forenotice list counts days.
    static const char* const kNear[] = {"今天", "明天", "后天"};
    std::string day;
    if (ahead >= 0 && ahead < 3) {
        day = kNear[ahead];
    } else if (ahead > 0) {
        day = std::to_string(ahead) + "天后";
    } else {
        day = std::to_string(at.month) + "月" + std::to_string(at.day) + "日";
    }
    return day + TwoDigitTime(at.hour, at.minute) + "：" + alert.text + "\n";
}

SystemTime AddSeconds(const SystemTime& time, std::int64_t seconds) {
    const std::int64_t total = SerialFromCivil(time.year, time.month, time.day) * kSecondsPerDay +
                               (time.hour * 60 + time.minute) * 60 + time.second + seconds;
    const std::int64_t days = FloorDiv(total, kSecondsPerDay);
    const std::int64_t inDay = total - days * kSecondsPerDay;
    SystemTime result = MidnightOf(Date::FromSerial(days).value_or(days < 0 ? Date::First() : Date::Last()));
    result.hour = static_cast<std::uint16_t>(inDay / 3600);
    result.minute = static_cast<std::uint16_t>(inDay / 60 % 60);
    result.second = static_cast<std::uint16_t>(inDay % 60);
    result.milliseconds = time.milliseconds;
    return result;
}

std::optional<Notice> CheckReminderAlerts(const SystemTime& now, const NoticeSwitches& switches, DayInfoSource& days,
                                          const std::string& alertSoundFile) {
    const std::optional<Date> today = DateOf(now);
    if (!switches.showNotifyWindow || !today) return std::nullopt;
    Notice notice{"\n\n", alertSoundFile, false, {}};
    for (int k = 0, ahead = AlertDaysAhead(); k <= ahead; ++k) {
        const Date date = *today + k;
        const DayInfo day = days.GetDayInfo(date, kRemindersPart);
        for (const Reminder& r : day.reminders) {
            // The two alerts are independent; both due in one minute give two lines.
            for (const ReminderAlert alert : {r.firstAlert, r.secondAlert}) {
                if (!IsAlertDue(alert, now, date, r)) continue;
                notice.alerts.push_back(DueAlertOf(r, date));
                notice.message += AlertLine(notice.alerts.back(), *today);
            }
        }
    }
    if (notice.alerts.empty()) return std::nullopt;
    return notice;
}

std::optional<Notice> MissedReminderAlerts(const SystemTime& after, const SystemTime& now,
                                           const NoticeSwitches& switches, DayInfoSource& days,
                                           const std::string& alertSoundFile) {
    const std::optional<Date> firstDay = DateOf(after), today = DateOf(now);
    if (!switches.showNotifyWindow || !firstDay || !today) return std::nullopt;
    const std::int64_t from = MinuteOf(after);
    const std::int64_t until = MinuteOf(now);
    if (until - from < 2) return std::nullopt;
    // An alert comes at most a few days ahead of its memo, so the memos of
    // the gap's days and the few after it hold every alert due in the gap.
    struct Missed {
        std::int64_t due;
        std::string line;
        DueAlert alert;
    };
    std::vector<Missed> missed;
    for (const Date date : DateRange(*firstDay, *today + AlertDaysAhead())) {
        const DayInfo day = days.GetDayInfo(date, kRemindersPart);
        for (const Reminder& r : day.reminders) {
            SystemTime start = MidnightOf(date);
            start.hour = r.start.hour;
            start.minute = r.start.minute;
            for (const ReminderAlert alert : {r.firstAlert, r.secondAlert}) {
                const std::int64_t lead = AlertLeadSeconds(alert);
                if (lead < 0) continue;
                const SystemTime dueAt = AddSeconds(start, -lead);
                const std::int64_t due = MinuteOf(dueAt);
                if (due <= from || due >= until) continue;
                char when[48];
                std::snprintf(when, sizeof when, "%d月%d日%s到期：", dueAt.month, dueAt.day,
                              TwoDigitTime(dueAt.hour, dueAt.minute).c_str());
                missed.push_back({due, when + TwoDigitTime(r.start.hour, r.start.minute) + " " + ReminderText(r) + "\n",
                                  DueAlertOf(r, date)});
            }
        }
    }
    if (missed.empty()) return std::nullopt;
    std::stable_sort(missed.begin(), missed.end(), [](const Missed& a, const Missed& b) { return a.due < b.due; });
    Notice notice{"\n\n错过的提醒：\n", alertSoundFile, false, {}};
    for (const Missed& m : missed) {
        notice.message += m.line;
        notice.alerts.push_back(m.alert);
    }
    return notice;
}

std::optional<Notice> BuildDailyNotice(const Date& today, const NoticeSwitches& switches, DayInfoSource& days) {
    if (!switches.showNotifyWindow) return std::nullopt;
    const DayInfo first = days.GetDayInfo(today, kWholeDay);
    const DayInfo second = days.GetDayInfo(today + 1, kWholeDay);
    const std::string todayText = DailyText(first, switches.showSolarTerms);
    const std::string tomorrowText = DailyText(second, switches.showSolarTerms);
    if (!todayText.empty() && !tomorrowText.empty()) {
        return Notice{
            "\n\n今天「" + todayText + "」！\n明天「" + tomorrowText + "」", FirstFestivalSound(first), true, {}};
    }
    if (!todayText.empty()) return Notice{"\n\n今天「" + todayText + "」！", FirstFestivalSound(first), true, {}};
    if (!tomorrowText.empty()) return Notice{"\n\n明天「" + tomorrowText + "」", FirstFestivalSound(second), true, {}};
    return std::nullopt;
}
