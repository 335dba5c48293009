#include <windows.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "base/file_system.h"
#include "base/win/gbk_text.h"
#include "base/win/scoped_win.h"

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    return _wfopen(path.c_str(), WideFromGbk(mode).c_str());
}

bool FileExists(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<FileStamp> ReadFileStamp(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    FileStamp stamp;
    stamp.modified = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                               data.ftLastWriteTime.dwLowDateTime);
    stamp.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    return stamp;
}

bool PathExists(const std::filesystem::path& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::filesystem::path& path) { return DeleteFileW(path.c_str()) != 0; }

bool RenameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    // Replacing keeps the old file's attributes, security and creation time,
    // which a plain move would take from the temporary file. Where there is no
    // old file, or the replace fails (a file system without support), the
    // move does the job.
    // Only a file is replaced: a folder of that name stays (the move fails).
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
    }
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FlushFileToDisk(std::FILE* file) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

bool MakeWritable(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return SetFileAttributesW(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) != 0;
}

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found{};
    const ScopedFindHandle search(FindFirstFileW((folder.native() + L"\\*").c_str(), &found));
    if (!search) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.push_back({std::filesystem::path(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search.get(), &found));
    return entries;
}
