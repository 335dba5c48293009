#include "base/text_encoding.h"

std::string GbkFromUtf8(const std::string& utf8) { return TextConverter().GbkFromUtf8(utf8); }

std::string Utf8FromGbk(const std::string& gbk) { return TextConverter().Utf8FromGbk(gbk); }
