#include "tools/cli/layout_view.h"

#include <cstdio>
#include <type_traits>

#include "base/file_path.h"

namespace {

// The name each role has in the listing, the roles in the order they are declared.
struct RoleText {
    TextRole role;
    const char* name;
};
constexpr RoleText kRoleNames[] = {
    {TextRole::kYear, "year"},          {TextRole::kMonth, "month"},         {TextRole::kWeekday, "weekday"},
    {TextRole::kDayNumber, "day"},      {TextRole::kTodayNumber, "today"},   {TextRole::kLunarDay, "lunar"},
    {TextRole::kFestival, "festival"},  {TextRole::kSolarTerm, "solarterm"}, {TextRole::kListItem, "list"},
    {TextRole::kOffDayBadge, "offday"}, {TextRole::kScheduleNote, "note"},   {TextRole::kMarkBadge, "mark"},
};

const char* RoleName(TextRole role) {
    for (const RoleText& known : kRoleNames) {
        if (known.role == role) return known.name;
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
    std::string out = "background " + GbkTextOfPath(display.backgroundPath) + "\n";
    for (const DisplayItem& item : display.items) {
        std::visit(
            [&](const auto& shape) {
                using T = std::decay_t<decltype(shape)>;
                if constexpr (std::is_same_v<T, DisplayText>) {
                    out += std::string("text ") + RoleName(shape.role) + " " + Box(shape.box) + " ";
                    if (shape.templateSize != 0) out += "size=" + std::to_string(shape.style.size) + " ";
                    out += shape.text;
                } else if constexpr (std::is_same_v<T, DisplayEllipse>) {
                    out += "ring " + Box(shape.box) + " " + Paint(shape.color);
                } else if constexpr (std::is_same_v<T, DisplayBand>) {
                    out += "band " + Box(shape.box) + " " + Paint(shape.color);
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
