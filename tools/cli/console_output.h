// Writing GBK text to the user's terminal: UTF-8 on Linux, UTF-16 on a
// Windows console.
#pragma once

#include <string>

void WriteGbk(const std::string& gbk);

// Bytes exactly as they are (a file's contents sent to standard output): no
// conversion and no line-end translation.
void WriteBytes(const std::string& bytes);
