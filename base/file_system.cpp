#include "base/file_system.h"

#include <atomic>
#include <chrono>

namespace {

// Unique enough for one writer per file: the program holds one instance per
// user, and the counter separates writes within one process.
std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return path + ".tmp" + std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ULL) + "-" +
           std::to_string(counter++);
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return false;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& contents) {
    const std::string temporary = TemporaryNameBeside(path);
    std::FILE* file = OpenFile(temporary, "wb");
    if (!file) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    ok = std::fflush(file) == 0 && ok;
    ok = ok && FlushFileToDisk(file);
    ok = std::fclose(file) == 0 && ok;
    if (ok) ok = RenameFile(temporary, path);
    if (!ok) RemoveFile(temporary);
    return ok;
}
