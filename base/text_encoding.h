// Conversion between the core's GBK text and UTF-8, the encoding of the
// almanac database and of anything exchanged with other programs.
#pragma once

#include <memory>
#include <string>
#include <string_view>

// Keeps whatever the platform needs for converting (a converter handle on
// Linux), so that callers converting many short texts in a row, like the
// almanac reader, do not pay for setting it up each time. Characters that
// have no counterpart in the target encoding, and malformed input bytes,
// become '?'.
class TextConverter {
public:
    TextConverter();
    ~TextConverter();
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    std::string GbkFromUtf8(const std::string& utf8);
    std::string Utf8FromGbk(const std::string& gbk);

    struct State;

private:
    std::unique_ptr<State> state_;
};

// One-off conversions.
std::string GbkFromUtf8(const std::string& utf8);
std::string Utf8FromGbk(const std::string& gbk);

// Whether the bytes are well-formed UTF-8 sequences of one to four bytes each
// (overlong forms and surrogates are not told apart).
bool IsValidUtf8(std::string_view text);
