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

inline std::string GbkFromWide(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int length =
        WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string gbk(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), &gbk[0], length, nullptr, nullptr);
    return gbk;
}
