// The tool's arguments. Its texts are GBK, like the program's: on Windows the
// arguments arrive as UTF-16 and are converted, and an argument that names a
// file keeps every character through `PathOf` (a folder named in Hangul has
// no GBK form).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class CommandLine {
public:
    // The arguments as given: bytes on Linux, UTF-16 on Windows.
    CommandLine(int argc, char** argv);
    CommandLine(int argc, wchar_t** argv);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    int argc() const { return static_cast<int>(texts_.size()); }
    // The texts, in an array the caller may reorder.
    char** argv() { return argv_.data(); }
    // The file an argument of argv() (or a copy of its text) names; a text not
    // from the command line is taken as GBK.
    std::filesystem::path PathOf(const char* argument) const;

private:
    void Point();

    std::vector<std::string> texts_;
    std::vector<std::filesystem::path> paths_;
    std::vector<char*> argv_;
};

// The tool itself, over the arguments.
int RunCli(CommandLine& line);
