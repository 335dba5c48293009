#include "tools/cli/command_line.h"

#include "base/file_path.h"

void CommandLine::Point() {
    argv_.clear();
    for (std::string& text : texts_) argv_.push_back(text.data());
    argv_.push_back(nullptr);
}

std::filesystem::path CommandLine::PathOf(const char* argument) const {
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        if (texts_[i].c_str() == argument) return paths_[i];
    }
    // A copy of an argument's text names the same file.
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        if (texts_[i] == argument) return paths_[i];
    }
    return PathFromGbk(argument);
}
