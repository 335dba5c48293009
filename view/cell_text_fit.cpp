#include "view/cell_text_fit.h"

#include <algorithm>
#include <cstddef>

#include "base/gbk_scan.h"

namespace {

constexpr char kEllipsis[] = "…";

long long WidthSixtieths(const std::string& gbk) {
    long long width = kLineMarginSixtieths;
    for (std::size_t i = 0; i < gbk.size();) {
        const std::size_t length = GbkCharLength(gbk, i);
        width += length == 2 ? kWideCharSixtieths : kNarrowCharSixtieths;
        i += length;
    }
    return width;
}

bool Fits(const std::string& gbk, int size, long long width) {
    return WidthSixtieths(gbk) * std::max(size, 0) <= width * kEmSixtieths;
}

// A blank before "…" would only widen the line.
std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

}  // namespace

int ReckonedTextWidth(const std::string& gbk, int size) {
    const long long sixtieths = WidthSixtieths(gbk) * std::max(size, 0);
    return static_cast<int>((sixtieths + kEmSixtieths - 1) / kEmSixtieths);
}

FittedText FitText(const std::string& gbk, int size, int smallest, long long width) {
    smallest = std::min(smallest, size);
    for (int candidate = size; candidate >= smallest; --candidate) {
        if (Fits(gbk, candidate, width)) return FittedText{gbk, candidate, false};
    }
    // Adding characters never narrows the line, so the longest prefix that
    // fits with "…" is the last one that does.
    std::string fitting = kEllipsis;
    for (std::size_t end = 0; end < gbk.size();) {
        end += GbkCharLength(gbk, end);
        std::string candidate = WithoutTrailingBlanks(gbk.substr(0, end)) + kEllipsis;
        if (!Fits(candidate, smallest, width)) break;
        fitting = std::move(candidate);
    }
    return FittedText{fitting, smallest, true};
}

int SmallestCellTextSize(int size) { return size - size / 6; }
