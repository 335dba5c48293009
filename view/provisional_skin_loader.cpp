// PROVISIONAL: a bare reader of config.ini until the template loader lands.
#include <cstdio>
#include <map>

#include "app/file_system.h"
#include "view/provisional_deps.h"

namespace {

std::map<std::string, std::string> ReadIni(const std::string& path) {
    std::map<std::string, std::string> keys;
    std::string text;
    if (!ReadWholeFile(path, text)) return keys;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t eq = line.find('=');
        if (eq != std::string::npos && line[0] != ';') keys[line.substr(0, eq)] = line.substr(eq + 1);
        start = end + 1;
    }
    return keys;
}

std::optional<Rect> RectOf(const std::map<std::string, std::string>& k, const std::string& key) {
    auto f = k.find(key);
    Rect r;
    if (f == k.end() || std::sscanf(f->second.c_str(), "%d,%d,%d,%d", &r.left, &r.top, &r.right, &r.bottom) != 4)
        return std::nullopt;
    return r;
}

void ColorOf(const std::map<std::string, std::string>& k, const std::string& key, Color& c, bool argb = false) {
    auto f = k.find(key);
    if (f == k.end()) return;
    int a = 255, r, g, b;
    if (argb) {
        if (std::sscanf(f->second.c_str(), "%d,%d,%d,%d", &a, &r, &g, &b) != 4) return;
    } else if (std::sscanf(f->second.c_str(), "%d,%d,%d", &r, &g, &b) != 3) {
        return;
    }
    c = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
         static_cast<std::uint8_t>(b)};
}

int IntOf(const std::map<std::string, std::string>& k, const std::string& key, int d) {
    auto f = k.find(key);
    return f == k.end() ? d : std::atoi(f->second.c_str());
}

TextStyle StyleOf(const std::map<std::string, std::string>& k, const std::string& p, TextStyle s) {
    auto f = k.find(p + "FONT_FAMILY");
    if (f != k.end() && !f->second.empty()) s.family = f->second;
    s.size = IntOf(k, p + "FONT_SIZE", s.size);
    s.bold = IntOf(k, p + "FONT_BOLD", 0) != 0;
    ColorOf(k, p + "FONT_SHADOW", s.shadow);
    ColorOf(k, p + "FONT_COLOR", s.color);
    s.shadowHeight = IntOf(k, p + "FONT_SHADOW_HEIGHT", s.shadowHeight);
    return s;
}

TextStyle Override(const std::map<std::string, std::string>& k, const std::string& p, TextStyle s) {
    ColorOf(k, p + "_FONT_COLOR", s.color);
    ColorOf(k, p + "_FONT_SHADOW", s.shadow);
    s.shadowHeight = IntOf(k, p + "_FONT_SHADOW_HEIGHT", 8);
    return s;
}

}  // namespace

SkinTemplate LoadSkinTemplate(std::string_view module_folder, std::string_view template_name,
                              const FontFamilyQuery&) {
    const std::string folder = std::string(module_folder) + "/Ostrel/Templates/" + std::string(template_name);
    const auto k = ReadIni(folder + "/config.ini");
    SkinTemplate s;
    s.backgroundPath = folder + "/backgroud.png";
    s.yearBox = RectOf(k, "YEARSHOW");
    s.monthBox = RectOf(k, "MONTHSHOW");
    s.body = RectOf(k, "BODY");
    s.listArea = RectOf(k, "LISTRECT");
    s.weekdayRowHeight = IntOf(k, "HEIGHTWEEKDAYROW", 0);
    s.yearStyle = StyleOf(k, "YEARSHOW_", {});
    s.monthStyle = StyleOf(k, "MONTHSHOW_", {});
    TextStyle white;
    white.color = white.shadow = {255, 255, 255, 255};
    s.weekdayStyle = StyleOf(k, "WEEKDAYROW_", white);
    s.dayStyle = StyleOf(k, "DAYROW_", {});
    s.todayStyle = Override(k, "Today", s.dayStyle);
    s.secondLineStyle = StyleOf(k, "DAYROW2_", {});
    s.festivalStyle = Override(k, "JieRi", s.secondLineStyle);
    s.solarTermStyle = Override(k, "JieQi", s.secondLineStyle);
    TextStyle list;
    list.size = 12;
    list.shadowHeight = 5;
    s.listItemStyle = StyleOf(k, "LISTITEM_", list);
    ColorOf(k, "Today_ELLIPSE_COLOR", s.todayEllipseColor, true);
    ColorOf(k, "ReminderFlagColor", s.reminderFlagColor, true);
    s.listItemHeight = IntOf(k, "LISTITEMHEIGHT", 20);
    s.listAlignment = static_cast<HorizontalAlignment>(IntOf(k, "LISTITEM_STRING_Alignment", 1));
    return s;
}
