// PROVISIONAL: stands in for the template loader, day information, festivals
// and memos until they land; deleted on rebase.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "calendar/gregorian.h"

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int64_t Width() const { return std::int64_t{right} - left; }
    std::int64_t Height() const { return std::int64_t{bottom} - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};
inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

struct Color {
    std::uint8_t alpha = 255;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint32_t Argb() const {
        return std::uint32_t{alpha} << 24 | std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
    }
};
inline bool operator==(const Color& a, const Color& b) { return a.Argb() == b.Argb(); }
inline bool operator!=(const Color& a, const Color& b) { return !(a == b); }

struct TextStyle {
    std::string family = "Tahoma";
    int size = 15;
    bool bold = false;
    Color color;
    Color shadow;
    int shadowHeight = 8;
};

enum class HorizontalAlignment { kLeft = 0, kCenter = 1, kRight = 2 };

struct SkinTemplate {
    std::string backgroundPath;
    int backgroundWidth = 0;
    int backgroundHeight = 0;
    Rect yearBack, yearNext, monthBack, monthNext;
    std::optional<Rect> yearBox;
    std::optional<Rect> monthBox;
    std::optional<Rect> body;
    std::optional<Rect> listArea;
    int weekdayRowHeight = 0;
    TextStyle yearStyle, monthStyle, weekdayStyle, dayStyle, todayStyle, secondLineStyle, festivalStyle,
        solarTermStyle, listItemStyle;
    Color todayEllipseColor{155, 255, 0, 0};
    Color reminderFlagColor;
    int listItemHeight = 20;
    HorizontalAlignment listAlignment = HorizontalAlignment::kCenter;
    std::optional<Color> tooltipBackground;
    std::optional<Color> tooltipText;
};

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

#include <functional>
#include <string_view>
using FontFamilyQuery = std::function<bool(const std::string& family)>;
SkinTemplate LoadSkinTemplate(std::string_view module_folder, std::string_view template_name,
                              const FontFamilyQuery& family_exists);
