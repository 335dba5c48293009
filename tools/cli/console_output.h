// Writing GBK text to the user's terminal: UTF-8 on Linux, UTF-16 on a
// Windows console.
#pragma once

#include <string>

void WriteGbk(const std::string& gbk);
// The same to the standard error stream, for messages that name Chinese texts.
void WriteGbkError(const std::string& gbk);

// A command-line argument as GBK text: arguments come as UTF-8 on Linux and
// in the system's code page on Windows.
std::string GbkArgument(const char* argument);

// Bytes exactly as they are (a file's contents sent to standard output): no
// conversion and no line-end translation.
void WriteBytes(const std::string& bytes);
