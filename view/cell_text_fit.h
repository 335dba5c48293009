// How a text is made to fit its box before it is drawn: a cell's second line
// may be drawn a little smaller than its template's size, and what still does
// not fit, there or in a line of the upcoming-events list, ends in "…" after
// the last whole character that leaves room for it. The drawing itself never
// cuts a character in half or lets a glyph cross into the next cell.
//
// The layout is made without a screen, so widths are reckoned from the text
// and the em size alone: a double-byte GBK character (every Chinese character
// and full-width mark) is one em wide, as in every CJK font; a single-byte
// character is counted as 0.6 em, wider than the digits and letters of the
// fonts the templates name; and the outline's layout leaves a sixth of an em
// free at either end of the line.
#pragma once

#include <string>

// Sixtieths of an em, so that the reckoning stays in whole numbers.
inline constexpr int kEmSixtieths = 60;
inline constexpr int kWideCharSixtieths = 60;
inline constexpr int kNarrowCharSixtieths = 36;
inline constexpr int kLineMarginSixtieths = 20;  // both ends together

// Width in pixels, rounded up, of a line of the text at `size` pixels.
int ReckonedTextWidth(const std::string& gbk, int size);

struct FittedText {
    std::string text;  // what is drawn (GBK)
    int size = 0;      // em size it is drawn at
    bool cut = false;  // whether "…" stands for characters left out
};

// The text at `size` when it fits `width`; else at the largest size down to
// `smallest` at which it does; else at `smallest`, cut before "…". A box too
// narrow even for "…" keeps the text cut to nothing but the ellipsis.
FittedText FitText(const std::string& gbk, int size, int smallest, long long width);

// The smallest size a cell's second line is drawn at: five sixths of the
// template's, so that four characters fit the cells of the shipped skins.
int SmallestCellTextSize(int size);
