// PROVISIONAL: stands in for day information, festivals and memos until they
// land; deleted on rebase.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "calendar/gregorian.h"
#include "view/skin_template.h"

struct FestivalRule {
    std::string name;
    std::string showInForenotice;
    std::string suffix;
};

struct Reminder {
    SystemTime start;
    std::string content;
};
inline std::string ReminderText(const Reminder& r) { return r.content; }

struct DayInfo {
    std::string solarDate;
    std::string lunarDate;
    std::string zodiac;
    std::int32_t isLeap = 0;
    std::int32_t weekday = 0;
    std::string nYear, nMonth, nDay, Yi, Ji, Chong, Sha, Cheng, ZhengChong, TaiShen, JQ, SolarTerm;
    std::vector<FestivalRule> festivals;
    std::vector<Reminder> reminders;
};

inline std::string BuildForenotice(int k, const DayInfo& info, std::set<std::string>& listed,
                                   bool showReminders, bool showSolarTerms) {
    std::string text;
    if (showReminders) {
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
    if (!info.SolarTerm.empty() && showSolarTerms) text += info.SolarTerm + ",";
    if (!text.empty() && text.back() == ',') text.pop_back();
    if (text.empty()) return text;
    if (k == 0) return "今天「" + text + "」！";
    if (k == 1) return "明天「" + text + "」";
    if (k == 2) return "后天「" + text + "」";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d天后「", k);
    return buffer + text + "」";
}

