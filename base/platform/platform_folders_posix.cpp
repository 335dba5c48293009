#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/platform_folders.h"

std::filesystem::path ExecutableFileName() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return std::filesystem::path();
        if (static_cast<size_t>(length) < buffer.size())
            return std::filesystem::path(std::string(buffer.data(), static_cast<size_t>(length)));
        buffer.resize(buffer.size() * 2);
    }
}

// Linux has no Windows or system directory; profile strings naming them expand
// to an empty folder.
std::filesystem::path WindowsDirectory() { return std::filesystem::path(); }
std::filesystem::path SystemDirectory() { return std::filesystem::path(); }

std::filesystem::path TemporaryDirectory() {
    const char* tmpdir = std::getenv("TMPDIR");
    std::string folder = tmpdir && *tmpdir ? tmpdir : "/tmp";
    if (folder.back() != '/') folder += '/';
    return std::filesystem::path(folder);
}
