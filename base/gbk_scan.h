// Byte-wise scanning of GBK text. A double-byte character's trail byte
// (0x40-0xFE) can look like an ASCII letter, '[', ']' or '\', so every scan for
// ASCII punctuation or every ASCII case fold must step over whole characters.
#pragma once

#include <cstddef>
#include <string_view>

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
