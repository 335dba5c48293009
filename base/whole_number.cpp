#include "base/whole_number.h"

WholeNumber ReadWholeNumber(std::string_view text, int least, int most) {
    std::size_t pos = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) pos = 1;
    if (pos == text.size()) return {std::nullopt, WholeNumberProblem::kNotANumber};
    // Past this magnitude the number is out of any int range; the digits are
    // still read so that "99999999999x" is no number rather than a large one.
    constexpr long long kBeyondInt = 1LL << 32;
    long long magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') return {std::nullopt, WholeNumberProblem::kNotANumber};
        if (magnitude <= kBeyondInt) magnitude = magnitude * 10 + (c - '0');
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value < least || value > most) return {std::nullopt, WholeNumberProblem::kOutOfRange};
    return {static_cast<int>(value), WholeNumberProblem::kNone};
}
