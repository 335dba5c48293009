#include <windows.h>

#include <string>
#include <vector>

#include "base/platform_folders.h"
#include "base/win/gbk_text.h"

namespace {

// Calls a "fill this buffer, return the length or the size needed" function,
// growing the buffer from MAX_PATH as needed.
template <typename Query>
std::string QueryFolder(Query query) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return GbkFromWide(std::wstring_view(buffer.data(), length));
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
        if (length < buffer.size()) return GbkFromWide(std::wstring_view(buffer.data(), length));
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
