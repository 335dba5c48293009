#include "base/item_lines.h"

std::vector<std::string> LinesBetweenItems(const std::string& lead, const std::vector<std::string>& items, int width,
                                           const std::function<int(std::string_view)>& widthOf) {
    std::vector<std::string> lines;
    std::string line = lead;
    bool lineHasItem = false;
    for (const std::string& item : items) {
        if (!lineHasItem) {
            line += item;
            lineHasItem = true;
            continue;
        }
        const std::string longer = line + " " + item;
        if (widthOf(longer) <= width) {
            line = longer;
            continue;
        }
        lines.push_back(line);
        line = item;
    }
    lines.push_back(line);
    return lines;
}
