// PROVISIONAL: stands in for day information and memos until they
// land; deleted on rebase.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "calendar/gregorian.h"
#include "app/app_settings.h"
#include "app/rect.h"
#include "festivals/festival_rule.h"

struct Reminder {
    SystemTime start;
    std::string content;
};
inline std::string ReminderText(const Reminder& r) { return r.content; }
inline bool SetReminderText(Reminder& r, const std::string& text) {
    r.content = text;
    return true;
}

using ReminderList = std::vector<Reminder>;

struct DayInfo {
    std::string solarDate;
    std::string lunarDate;
    std::string zodiac;
    std::int32_t isLeap = 0;
    std::int32_t weekday = 0;
    std::string nYear, nMonth, nDay, Yi, Ji, Chong, Sha, Cheng, ZhengChong, TaiShen, JQ, SolarTerm;
    FestivalList festivals;
    ReminderList reminders;
};


class DayInfoSource {
public:
    virtual ~DayInfoSource() = default;
    virtual DayInfo GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                               bool withReminders) = 0;
};

struct ForenoticeSwitches {
    bool showReminders = false;
    bool showSolarTerms = false;
};

inline ForenoticeSwitches ReadForenoticeSwitches(const std::string& settingsFile) {
    return ForenoticeSwitches{ReadShowReminderOnForenotice(settingsFile), ReadShowJieQiOnForenotice(settingsFile)};
}

struct ForenoticeLine {
    std::string text;
    Rect box;
};

inline std::string BuildForenotice(int k, const DayInfo& info, const ForenoticeSwitches& switches,
                                   std::set<std::string>& listed) {
    std::string text;
    if (switches.showReminders) {
        for (const Reminder& r : info.reminders) {
            std::string key = ReminderText(r);
            for (char& c : key) if (c == '\n') c = ' ';
            if (listed.insert(key).second) {
                char time[16];
                std::snprintf(time, sizeof time, "%02d:%02d", r.start.hour, r.start.minute);
                text += std::string(time) + " " + key + ",";
            }
        }
    }
    for (const FestivalRule& f : info.festivals)
        if (f.showInForenotice == "1") text += f.name + f.suffix + ",";
    if (!info.SolarTerm.empty() && switches.showSolarTerms) text += info.SolarTerm + ",";
    if (!text.empty() && text.back() == ',') text.pop_back();
    if (text.empty()) return text;
    if (k == 0) return "今天「" + text + "」！";
    if (k == 1) return "明天「" + text + "」";
    if (k == 2) return "后天「" + text + "」";
    return std::to_string(k) + "天后「" + text + "」";
}

inline std::vector<ForenoticeLine> BuildForenoticeLines(const SystemTime& today, const std::optional<Rect>& listRect,
                                                        int itemHeight, int listForDays,
                                                        const ForenoticeSwitches& switches, DayInfoSource& days) {
    std::vector<ForenoticeLine> lines;
    if (!listRect || listForDays < 0 || itemHeight < 1) return lines;
    std::set<std::string> listed;
    for (int k = 0; k <= listForDays; ++k) {
        const SystemTime date = AddDays(today, k);
        const DayInfo day = days.GetDayInfo(date.year, date.month, date.day, true, true, true);
        std::string text = BuildForenotice(k, day, switches, listed);
        if (text.empty()) continue;
        const std::int64_t top = std::int64_t{listRect->top} + std::int64_t{itemHeight} * std::int64_t(lines.size());
        if (top + itemHeight > listRect->bottom) break;
        lines.push_back({std::move(text), Rect{listRect->left, static_cast<std::int32_t>(top), listRect->right,
                                              static_cast<std::int32_t>(top + itemHeight)}});
    }
    return lines;
}
