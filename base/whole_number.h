// Whole numbers typed by a person or a script (the command line's counts and
// years): read with their range, so that a number too large for an int is
// refused instead of wrapping round to a small one.
#pragma once

#include <optional>
#include <string_view>

enum class WholeNumberProblem { kNone, kNotANumber, kOutOfRange };

struct WholeNumber {
    std::optional<int> value;  // set only when the text is a number within the range
    WholeNumberProblem problem = WholeNumberProblem::kNone;
};

// Decimal digits with an optional sign in front, nothing else before, between
// or after them; its value must lie in [least, most], however many digits
// the text has.
WholeNumber ReadWholeNumber(std::string_view text, int least, int most);
