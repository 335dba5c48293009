// Lists of short items (the almanac's 宜 and 忌, its 神煞) shown in a box of
// a given width. A text box breaks Chinese text between any two characters,
// so it would cut an item in two ("会亲|友"); these lines are broken between
// items only, and the box is then as tall as they need.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The lines of `lead` followed by the items, one space apart, none wider
// than `width` as `widthOf` measures a line: breaks fall between items only,
// the lead stays with the first item, and an item wider than a line alone
// stands on a line of its own. No items: the lead alone.
std::vector<std::string> LinesBetweenItems(const std::string& lead, const std::vector<std::string>& items, int width,
                                           const std::function<int(std::string_view)>& widthOf);
