#include "notices/forenotice.h"

#include <cstdio>

#include "calendar/lunar_calendar.h"

namespace {

// The memo editor stores a line break as CR LF; either byte alone counts as
// one too. Neither can be part of a GBK character (trail bytes start at 0x40).
std::string WithoutLineBreaks(const std::string& text) {
    std::string flat;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        flat += text[i] == '\n' || text[i] == '\r' ? ' ' : text[i];
    }
    return flat;
}

std::string TwoDigitTime(int hour, int minute) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

std::string Wrapped(int dayOffset, const std::string& text) {
    switch (dayOffset) {
        case 0:
            return "今天「" + text + "」！";
        case 1:
            return "明天「" + text + "」";
        case 2:
            return "后天「" + text + "」";
        default:
            return std::to_string(dayOffset) + "天后「" + text + "」";
    }
}

}  // namespace

std::string BuildForenotice(int dayOffset, const DayInfo& day, const ForenoticeSwitches& switches,
                            ListedReminderTexts& listed) {
    std::string text;
    // Items are joined with the full-width comma, as Chinese text is.
    const auto add = [&text](const std::string& item) { text += (text.empty() ? "" : "，") + item; };
    if (switches.showReminders) {
        for (const Reminder& reminder : day.reminders) {
            const std::string key = WithoutLineBreaks(ReminderText(reminder));
            if (!listed.insert(key).second) continue;
            add(TwoDigitTime(reminder.start.hour, reminder.start.minute) + " " + key);
        }
    }
    for (const FestivalRule& festival : day.festivals) {
        if (festival.showInForenotice == "1") add(festival.name + festival.suffix);
    }
    if (!day.solarTerm.empty() && switches.showSolarTerms) add(day.solarTerm);
    return text.empty() ? text : Wrapped(dayOffset, text);
}

std::vector<ForenoticeLine> BuildForenoticeLines(const Date& today, const std::optional<Rect>& listRect, int itemHeight,
                                                 int listForDays, const ForenoticeSwitches& switches,
                                                 DayInfoSource& days,
                                                 const std::vector<ForenoticeAnnouncement>& announcements) {
    std::vector<ForenoticeLine> lines;
    if (!listRect || listForDays < 0 || itemHeight < 1) return lines;
    // Adds a line in the next box; false when that box would reach below the area.
    const auto place = [&](std::string text) {
        const std::int64_t top = std::int64_t{listRect->top} + std::int64_t{itemHeight} * std::int64_t(lines.size());
        if (top + itemHeight > listRect->bottom) return false;
        lines.push_back({std::move(text), Rect{listRect->left, static_cast<std::int32_t>(top), listRect->right,
                                               static_cast<std::int32_t>(top + itemHeight)}});
        return true;
    };
    ListedReminderTexts listed;
    // Days past the lunar tables would be announced with a wrong lunar date.
    const Date lastDay = *Date::FromCivil(kLastLunarYear, 12, 31);
    for (int k = 0; k <= listForDays && today + k <= lastDay; ++k) {
        for (const ForenoticeAnnouncement& announcement : announcements) {
            const bool due = announcement.dayOffset == k || (k == 0 && announcement.dayOffset < 0);
            if (due && !announcement.text.empty() && !place(announcement.text)) return lines;
        }
        const DayInfo day = days.GetDayInfo(today + k, kWholeDay);
        std::string text = BuildForenotice(k, day, switches, listed);
        if (!text.empty() && !place(std::move(text))) break;
    }
    return lines;
}
