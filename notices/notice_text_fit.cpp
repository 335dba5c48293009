#include "notices/notice_text_fit.h"

#include <cstddef>
#include <vector>

#include "base/gbk_scan.h"

namespace {

constexpr char kEllipsis[] = "…";

std::size_t LeadingLineBreakLength(const std::string& text) {
    if (text.compare(0, 2, "\r\n") == 0) return 2;
    if (!text.empty() && (text[0] == '\n' || text[0] == '\r')) return 1;
    return 0;
}

// Line breaks and blanks at the cut would push "…" onto a line of its own.
// None of these bytes can be the trail byte of a double-byte character.
std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

}  // namespace

FittedNoticeText FitNoticeText(const std::string& message, int boxHeight,
                               const std::function<int(const std::string&)>& heightOf) {
    std::string text = message;
    const auto fits = [&](const std::string& candidate) { return heightOf(candidate) <= boxHeight; };
    while (!fits(text)) {
        const std::size_t lineBreak = LeadingLineBreakLength(text);
        if (lineBreak == 0) break;
        text.erase(0, lineBreak);
    }
    if (fits(text)) return FittedNoticeText{text, false};

    // Where the text may be cut: after each whole character. Adding characters
    // never makes the drawn text shorter, so the longest prefix that fits with
    // "…" is found by halving.
    std::vector<std::size_t> ends{0};
    for (std::size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) ends.push_back(i + GbkCharLength(text, i));
    const auto shortened = [&](std::size_t end) { return WithoutTrailingBlanks(text.substr(0, end)) + kEllipsis; };
    std::size_t fitting = 0, tooLong = ends.size() - 1;  // ends.back() is the whole text, known not to fit
    while (tooLong - fitting > 1) {
        const std::size_t middle = fitting + (tooLong - fitting) / 2;
        if (fits(shortened(ends[middle]))) {
            fitting = middle;
        } else {
            tooLong = middle;
        }
    }
    return FittedNoticeText{shortened(ends[fitting]), true};
}
