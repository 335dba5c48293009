#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/file_system.h"
#include "app/text_encoding.h"

namespace {

// GBK (code page 936) to UTF-16, independent of the user's ANSI code page.
std::wstring Wide(const std::string& gbk) {
    if (gbk.empty()) return std::wstring();
    const int length = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), &wide[0], length);
    return wide;
}

// UTF-16 to GBK, the other way round.
std::string Gbk(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int length =
        WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), &gbk[0], length, nullptr, nullptr);
    return gbk;
}

}  // namespace

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& path) { return DeleteFileW(Wide(path).c_str()) != 0; }

bool RenameFile(const std::string& from, const std::string& to) {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FlushFileToDisk(std::FILE* file) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

bool MakeWritable(const std::string& path) {
    const std::wstring wide = Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return SetFileAttributesW(wide.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) != 0;
}

std::string Utf8FileName(const std::string& path) { return Utf8FromGbk(path); }

std::vector<FolderEntry> ListFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((Wide(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.push_back({Gbk(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}
