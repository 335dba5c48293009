#include "tools/cli/console_output.h"

#include <windows.h>

#include <cstdio>

#include "base/win/gbk_text.h"

// A console gets UTF-16 through WriteConsoleW; a redirected handle gets the
// same text as UTF-8 so that pipes and files hold something portable.
namespace {

void WriteGbkTo(const std::string& gbk, DWORD stream) {
    if (gbk.empty()) return;
    const std::wstring wide = WideFromGbk(gbk);
    HANDLE out = GetStdHandle(stream);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    const std::string utf8 = Utf8FromWide(wide);
    std::fflush(stdout);
    WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

void WriteGbk(const std::string& gbk) { WriteGbkTo(gbk, STD_OUTPUT_HANDLE); }

void WriteGbkError(const std::string& gbk) { WriteGbkTo(gbk, STD_ERROR_HANDLE); }

// The command line arrives as UTF-16 and is handed on as GBK (CommandLine).
std::string GbkArgument(const char* argument) { return argument; }

void WriteBytes(const std::string& bytes) {
    std::fflush(stdout);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
