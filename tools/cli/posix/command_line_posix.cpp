#include "tools/cli/command_line.h"

CommandLine::CommandLine(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        texts_.emplace_back(argv[i]);
        paths_.emplace_back(texts_.back());
    }
    Point();
}

int main(int argc, char** argv) {
    CommandLine line(argc, argv);
    return RunCli(line);
}
