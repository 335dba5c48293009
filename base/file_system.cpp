#include "base/file_system.h"

#include <atomic>
#include <chrono>

#include "base/gbk_scan.h"

namespace {

// Unique enough for one writer per file: the program holds one instance per
// user, and the counter separates writes within one process.
std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return path + ".tmp" + std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ULL) + "-" +
           std::to_string(counter++);
}

const char kTemporaryMark[] = ".tmp";

// Whether `name` is `file` + ".tmp<digits>-<digits>", as TemporaryNameBeside
// makes them.
bool IsTemporaryNameOf(const std::string& name, const std::string& file) {
    const std::string prefix = file + kTemporaryMark;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string rest = name.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == rest.size()) return false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (i != dash && (rest[i] < '0' || rest[i] > '9')) return false;
    }
    return true;
}

}  // namespace

void RemoveLeftoverTemporaries(const std::string& path) {
    // A GBK trail byte can be a backslash: the separator is looked for by
    // whole characters.
    std::size_t slash = FindLastGbkChar(path, '\\');
    const std::size_t forward = FindLastGbkChar(path, '/');
    if (slash == std::string::npos || (forward != std::string::npos && forward > slash)) slash = forward;
    if (slash == std::string::npos) return;
    const std::string folder = path.substr(0, slash + 1);
    const std::string file = path.substr(slash + 1);
    for (const FolderEntry& entry : ListFolder(path.substr(0, slash))) {
        if (!entry.isFolder && IsTemporaryNameOf(entry.name, file)) RemoveFile(folder + entry.name);
    }
}

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

FileRead ReadFileWithin(const std::string& path, std::size_t limit, std::string& contents) {
    contents.clear();
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return PathExists(path) ? FileRead::kUnreadable : FileRead::kMissing;
    char buffer[65536];
    size_t n;
    bool tooLarge = false;
    while (!tooLarge && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        contents.append(buffer, n);
        tooLarge = contents.size() > limit;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (tooLarge || failed) {
        contents.clear();
        contents.shrink_to_fit();
        return tooLarge ? FileRead::kTooLarge : FileRead::kUnreadable;
    }
    return FileRead::kRead;
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
