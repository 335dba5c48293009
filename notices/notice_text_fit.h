// How a notice's message fits the label beside the bell. The notices begin
// with two blank lines that set a short message off below the title band; a
// message too tall for the label gives those up first, and what then still
// does not fit is cut after the last character that leaves room for "…" at the
// end of the last line shown. Pure over a measure of the drawn height, so that
// it is tested without a screen; the window measures with its label's font and
// width.
#pragma once

#include <functional>
#include <string>

struct FittedNoticeText {
    std::string text;  // what the label draws (GBK)
    bool cut = false;  // whether characters of the message were left out
};

// `heightOf` gives the height the label needs to draw a text; `boxHeight` is
// the height it has.
FittedNoticeText FitNoticeText(const std::string& message, int boxHeight,
                               const std::function<int(const std::string&)>& heightOf);
