// Byte-wise scanning of GBK text. A double-byte character's trail byte
// (0x40-0xFE) can look like an ASCII letter, '[', ']' or '\', so every scan for
// ASCII punctuation or every ASCII case fold must step over whole characters.
// The program's one place for trimming and splitting text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
inline bool IsGbkTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// Length in bytes (1 or 2) of the character starting at text[i]: 2 for a lead
// byte followed by a trail byte. Malformed input steps one byte at a time, so
// a lead byte at the end, or one before a byte that cannot follow it (a line
// break, a comma), never swallows what comes next.
inline std::size_t GbkCharLength(std::string_view text, std::size_t i) {
    return i + 1 < text.size() && IsGbkLeadByte(static_cast<unsigned char>(text[i])) &&
                   IsGbkTrailByte(static_cast<unsigned char>(text[i + 1]))
               ? 2
               : 1;
}

// Position of the first single-byte character c, or npos.
inline std::size_t FindGbkChar(std::string_view text, char c, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); i += GbkCharLength(text, i))
        if (text[i] == c) return i;
    return std::string_view::npos;
}

// Position of the last single-byte character c, or npos.
inline std::size_t FindLastGbkChar(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += GbkCharLength(text, i))
        if (text[i] == c) found = i;
    return found;
}

// Equality with ASCII letters folded to one case; double-byte characters
// compare exactly.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t length = GbkCharLength(a, i);
        if (length == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (fold(a[i]) != fold(b[i])) {
            return false;
        }
        i += length;
    }
    return true;
}

// The blank sets of the program's texts and files. Each is ASCII below 0x40,
// and no GBK character has such a byte as its second one, so trimming them
// byte by byte never cuts a character in two.
inline constexpr std::string_view kSpaces = " ";                       // almanac values
inline constexpr std::string_view kSpacesAndTabs = " \t";              // numbers typed into a form
inline constexpr std::string_view kLineBlanks = " \t\r";               // fields of the holiday schedule
inline constexpr std::string_view kBlanksAndLineEnds = " \t\r\n";      // lines of the festival file
inline constexpr std::string_view kProfileBlanks = " \t\r\n\v\f\x1a";  // names and values of INI files

// The text without the bytes of `blanks` at either end.
inline std::string_view TrimBlanksView(std::string_view text, std::string_view blanks) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && blanks.find(text[begin]) != std::string_view::npos) ++begin;
    while (end > begin && blanks.find(text[end - 1]) != std::string_view::npos) --end;
    return text.substr(begin, end - begin);
}
inline std::string TrimBlanks(std::string_view text, std::string_view blanks) {
    return std::string(TrimBlanksView(text, blanks));
}

// The pieces between the single-byte separators, whole characters stepped
// over: a separator that is some character's second byte splits nothing.
// Always at least one piece; n separators give n + 1.
inline std::vector<std::string> SplitGbk(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t found; (found = FindGbkChar(text, separator, start)) != std::string_view::npos;
         start = found + 1) {
        pieces.emplace_back(text.substr(start, found - start));
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}
