#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/file_system.h"
#include "base/text_encoding.h"
#include "base/win/gbk_text.h"
#include "base/win/scoped_win.h"

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(WideFromGbk(path).c_str(), WideFromGbk(mode).c_str());
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WideFromGbk(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<FileStamp> ReadFileStamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WideFromGbk(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    FileStamp stamp;
    stamp.modified = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                               data.ftLastWriteTime.dwLowDateTime);
    stamp.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    return stamp;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(WideFromGbk(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& path) { return DeleteFileW(WideFromGbk(path).c_str()) != 0; }

bool RenameFile(const std::string& from, const std::string& to) {
    const std::wstring source = WideFromGbk(from);
    const std::wstring target = WideFromGbk(to);
    // Replacing keeps the old file's attributes, security and creation time,
    // which a plain move would take from the temporary file. Where there is no
    // old file, or the replace fails (a file system without support), the
    // move does the job.
    // Only a file is replaced: a folder of that name stays (the move fails).
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
    }
    return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FlushFileToDisk(std::FILE* file) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

bool MakeWritable(const std::string& path) {
    const std::wstring wide = WideFromGbk(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return SetFileAttributesW(wide.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) != 0;
}

std::string Utf8FileName(const std::string& path) { return Utf8FromGbk(path); }

std::vector<FolderEntry> ListFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found{};
    const ScopedFindHandle search(FindFirstFileW((WideFromGbk(folder) + L"\\*").c_str(), &found));
    if (!search) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.push_back({GbkFromWide(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search.get(), &found));
    return entries;
}
