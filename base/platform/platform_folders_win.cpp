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

// The GBK form of a path only when it leads back to the same path: a
// conversion may drop a character or quietly swap it for a look-alike
// (Å for A), and the file names would then be wrong.
bool ExactGbk(const std::wstring& path, std::string& gbk) {
    gbk = GbkFromWide(path);
    return !gbk.empty() && WideFromGbk(gbk) == path;
}

// The core keeps paths in GBK. A folder such as C:\Users\Jürgen Åström has
// no GBK form; its 8.3 short form, where the volume keeps short names, does.
// Empty when neither converts.
std::string GbkPathFromWide(const std::wstring& path) {
    std::string gbk;
    if (ExactGbk(path, gbk)) return gbk;
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::string();
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), &shortPath[0], size);
    if (length == 0 || length >= size) return std::string();
    shortPath.resize(length);
    return ExactGbk(shortPath, gbk) ? gbk : std::string();
}

}  // namespace

std::string ExecutableFileName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return GbkPathFromWide(std::wstring(buffer.data(), length));
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
