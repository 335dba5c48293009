// The one conversion between the narrow texts of this program and the UTF-16
// of the W APIs. The core's GBK always goes through code page 936, so the
// user's ANSI code page does not matter; UTF-8 is for what other programs
// exchange with us (the test driver, the console).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

inline std::wstring WideFromCodePage(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return std::wstring();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, &wide[0], length);
    return wide;
}

// Characters without a form in the code page (an emoji or a rare character
// in GBK) come out as "?"; `lostCharacters`, where given, tells whether there
// were any, for input that is to be kept. UTF-8 loses nothing.
inline std::string CodePageFromWide(std::wstring_view wide, UINT codePage, bool* lostCharacters = nullptr) {
    if (lostCharacters) *lostCharacters = false;
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    // CP_UTF8 refuses the used-default flag.
    BOOL usedDefault = FALSE;
    BOOL* const askDefault = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, askDefault);
    if (length <= 0) return std::string();
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, &bytes[0], length, nullptr, askDefault);
    if (lostCharacters) *lostCharacters = usedDefault != FALSE;
    return bytes;
}

inline constexpr UINT kGbkCodePage = 936;

inline std::wstring WideFromGbk(std::string_view gbk) { return WideFromCodePage(gbk, kGbkCodePage); }
inline std::string GbkFromWide(std::wstring_view wide, bool& lostCharacters) {
    return CodePageFromWide(wide, kGbkCodePage, &lostCharacters);
}
inline std::string GbkFromWide(std::wstring_view wide) { return CodePageFromWide(wide, kGbkCodePage); }

inline std::wstring WideFromUtf8(std::string_view utf8) { return WideFromCodePage(utf8, CP_UTF8); }
inline std::string Utf8FromWide(std::wstring_view wide) { return CodePageFromWide(wide, CP_UTF8); }
