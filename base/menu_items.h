// A pop-up menu as a plain tree of items with their command numbers. The
// portable code decides what a menu holds; the shell turns the tree into a
// real menu each time it opens (base/win/popup_menu.h).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct MenuItem {
    enum class Kind { kCommand, kSeparator, kSubMenu };
    Kind kind = Kind::kSeparator;
    std::string text;  // GBK, shown as it is (see MenuItemLabel)
    int command = 0;
    std::vector<MenuItem> children;

    static MenuItem Command(int command, std::string text) {
        return MenuItem{Kind::kCommand, std::move(text), command, {}};
    }
    static MenuItem Separator() { return MenuItem(); }
    static MenuItem SubMenu(std::string text, std::vector<MenuItem> children) {
        return MenuItem{Kind::kSubMenu, std::move(text), 0, std::move(children)};
    }
    bool IsSeparator() const { return kind == Kind::kSeparator; }
};

// A text as a menu item shows it literally: a single '&' would mark the next
// character as the item's access key and vanish, so each one is doubled.
std::string MenuItemLabel(std::string_view text);
