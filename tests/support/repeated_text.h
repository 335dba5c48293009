// Long texts for the tests of what fits a box or a balloon: one piece said
// over and over, so that a test names how long its text is, not the text.
#pragma once

#include <string>

inline std::string Repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}
