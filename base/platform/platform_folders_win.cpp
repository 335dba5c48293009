#include <windows.h>

#include <string>
#include <vector>

#include "base/platform_folders.h"

namespace {

// Calls a "fill this buffer, return the length or the size needed" function,
// growing the buffer from MAX_PATH as needed.
template <typename Query>
std::filesystem::path QueryFolder(Query query) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) return std::filesystem::path();
        if (length < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), length));
        buffer.resize(length + 1);
    }
    return std::filesystem::path();
}

}  // namespace

std::filesystem::path ExecutableFileName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::filesystem::path();
        if (length < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), length));
        if (buffer.size() >= 32768) return std::filesystem::path();
        buffer.resize(buffer.size() * 2);
    }
}

std::filesystem::path WindowsDirectory() {
    return QueryFolder([](wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); });
}

std::filesystem::path SystemDirectory() {
    return QueryFolder([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

std::filesystem::path TemporaryDirectory() {
    return QueryFolder([](wchar_t* buffer, UINT size) { return static_cast<UINT>(GetTempPathW(size, buffer)); });
}
