#include <windows.h>

#include <string>
#include <vector>

#include "app/platform_folders.h"

namespace {

// UTF-16 to GBK (code page 936), independent of the user's ANSI code page.
std::string Gbk(const wchar_t* wide, int length) {
    if (length <= 0) return std::string();
    const int size = WideCharToMultiByte(936, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(936, 0, wide, length, &gbk[0], size, nullptr, nullptr);
    return gbk;
}

// Calls a "fill this buffer, return the length or the size needed" function,
// growing the buffer from MAX_PATH as needed.
template <typename Query>
std::string QueryFolder(Query query) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return Gbk(buffer.data(), static_cast<int>(length));
        buffer.resize(length + 1);
    }
    return std::string();
}

}  // namespace

std::string ExecutableFileName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return Gbk(buffer.data(), static_cast<int>(length));
        if (buffer.size() >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

std::string WindowsDirectory() {
    return QueryFolder([](wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); });
}

std::string SystemDirectory() {
    return QueryFolder([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

std::string TemporaryDirectory() {
    return QueryFolder([](wchar_t* buffer, UINT size) { return static_cast<UINT>(GetTempPathW(size, buffer)); });
}
