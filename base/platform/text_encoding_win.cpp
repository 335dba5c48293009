#include "base/text_encoding.h"
#include "base/win/gbk_text.h"

// Through UTF-16, with explicit code pages so that the user's ANSI code page
// plays no part. Characters without a counterpart become '?'.
struct TextConverter::State {};

TextConverter::TextConverter() : state_(new State) {}
TextConverter::~TextConverter() = default;

std::string TextConverter::GbkFromUtf8(const std::string& utf8) { return GbkFromWide(WideFromUtf8(utf8)); }

std::string TextConverter::Utf8FromGbk(const std::string& gbk) { return Utf8FromWide(WideFromGbk(gbk)); }
