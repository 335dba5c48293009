#include <windows.h>

#include "base/win/gbk_text.h"
#include "tools/cli/command_line.h"

CommandLine::CommandLine(int argc, wchar_t** argv) {
    for (int i = 0; i < argc; ++i) {
        texts_.push_back(GbkFromWide(argv[i]));
        paths_.emplace_back(std::wstring(argv[i]));
    }
    Point();
}

int wmain(int argc, wchar_t** argv) {
    CommandLine line(argc, argv);
    return RunCli(line);
}
