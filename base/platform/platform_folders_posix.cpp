#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "base/platform_folders.h"

std::string ExecutableFileName() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return std::string();
        if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

// Linux has no Windows or system directory; profile strings naming them expand
// to an empty folder.
std::string WindowsDirectory() { return std::string(); }
std::string SystemDirectory() { return std::string(); }

std::string TemporaryDirectory() {
    const char* tmpdir = std::getenv("TMPDIR");
    std::string folder = tmpdir && *tmpdir ? tmpdir : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}
