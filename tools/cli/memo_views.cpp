#include "tools/cli/memo_views.h"

namespace {

std::string OnOneLine(const std::string& text) {
    std::string flat;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        flat += text[i] == '\n' || text[i] == '\r' || text[i] == '\t' ? ' ' : text[i];
    }
    return flat;
}

std::string TabLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) line += (i ? "\t" : "") + OnOneLine(cells[i]);
    return line + "\n";
}

}  // namespace

std::string ReminderListView(const ReminderList& reminders) {
    if (reminders.empty()) return std::string();
    std::string out = TabLine(ReminderColumnTitles());
    for (const Reminder& reminder : reminders) out += TabLine(ReminderRowTexts(reminder));
    return out;
}

std::string UpcomingView(const std::vector<ForenoticeLine>& lines) {
    std::string out;
    for (const ForenoticeLine& line : lines) out += line.text + "\n";
    return out;
}
