#include "tools/cli/layout_view.h"

#include <cstdio>
#include <type_traits>

namespace {

const char* RoleName(TextRole role) {
    switch (role) {
        case TextRole::kYear: return "year";
        case TextRole::kMonth: return "month";
        case TextRole::kWeekday: return "weekday";
        case TextRole::kDayNumber: return "day";
        case TextRole::kTodayNumber: return "today";
        case TextRole::kLunarDay: return "lunar";
        case TextRole::kFestival: return "festival";
        case TextRole::kSolarTerm: return "solarterm";
        case TextRole::kListItem: return "list";
        case TextRole::kOffDayBadge: return "offday";
    }
    return "text";
}

std::string Box(const Rect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
    return text;
}

std::string Paint(const Color& c) {
    char text[32];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", c.alpha, c.red, c.green, c.blue);
    return text;
}

}  // namespace

std::string MonthLayoutView(const DisplayList& display, const std::map<int, CellRect>& cells) {
    std::string out = "background " + display.backgroundPath + "\n";
    for (const DisplayItem& item : display.items) {
        std::visit(
            [&](const auto& shape) {
                using T = std::decay_t<decltype(shape)>;
                if constexpr (std::is_same_v<T, DisplayText>) {
                    out += std::string("text ") + RoleName(shape.role) + " " + Box(shape.box) + " " + shape.text;
                } else if constexpr (std::is_same_v<T, DisplayEllipse>) {
                    out += "ring " + Box(shape.box) + " " + Paint(shape.color);
                } else {
                    out += "dot " + Box(shape.box) + " " + Paint(shape.color);
                }
                out += "\n";
            },
            item);
    }
    for (const auto& [day, cell] : cells) out += "cell " + std::to_string(day) + " " + Box(cell) + "\n";
    return out;
}
