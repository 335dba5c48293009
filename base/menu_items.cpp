#include "base/menu_items.h"

#include "base/gbk_scan.h"

std::string MenuItemLabel(std::string_view text) {
    std::string label;
    label.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = GbkCharLength(text, i);
        if (length == 1 && text[i] == '&') label += '&';
        label.append(text.substr(i, length));
        i += length;
    }
    return label;
}
