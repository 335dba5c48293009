// Conversions between the core's GBK text and the UTF-16 of the W APIs, always
// through code page 936 so that the user's ANSI code page does not matter.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring WideFromGbk(const std::string& gbk) {
    if (gbk.empty()) return std::wstring();
    const int length = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), &wide[0], length);
    return wide;
}

// Characters without a GBK form (an emoji, a rare character) come out as "?";
// `lostCharacters` tells whether there were any, for input that is to be kept.
inline std::string GbkFromWide(const std::wstring& wide, bool& lostCharacters) {
    lostCharacters = false;
    if (wide.empty()) return std::string();
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, &usedDefault);
    if (length <= 0) return std::string();
    std::string gbk(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), &gbk[0], length, nullptr, &usedDefault);
    lostCharacters = usedDefault != FALSE;
    return gbk;
}

inline std::string GbkFromWide(const std::wstring& wide) {
    bool lostCharacters = false;
    return GbkFromWide(wide, lostCharacters);
}
