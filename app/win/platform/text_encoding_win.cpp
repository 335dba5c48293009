#include <windows.h>

#include "app/text_encoding.h"

namespace {

// Through UTF-16, with explicit code pages so that the user's ANSI code page
// plays no part. Characters without a counterpart become '?'.
std::string Recode(const std::string& input, UINT from, UINT to) {
    if (input.empty()) return std::string();
    const int inLength = static_cast<int>(input.size());
    const int wideLength = MultiByteToWideChar(from, 0, input.data(), inLength, nullptr, 0);
    if (wideLength <= 0) return std::string();
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, 0, input.data(), inLength, &wide[0], wideLength);
    const int outLength = WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0) return std::string();
    std::string output(static_cast<size_t>(outLength), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, &output[0], outLength, nullptr, nullptr);
    return output;
}

}  // namespace

struct TextConverter::State {};

TextConverter::TextConverter() : state_(new State) {}
TextConverter::~TextConverter() = default;

std::string TextConverter::GbkFromUtf8(const std::string& utf8) { return Recode(utf8, CP_UTF8, 936); }

std::string TextConverter::Utf8FromGbk(const std::string& gbk) { return Recode(gbk, 936, CP_UTF8); }
