#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "base/file_system.h"

// Linux hosts the tests and the command-line tools: paths are bytes, taken
// as UTF-8.

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool FileExists(const std::filesystem::path& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<FileStamp> ReadFileStamp(const std::filesystem::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    FileStamp stamp;
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.size = static_cast<std::int64_t>(info.st_size);
    return stamp;
}

bool PathExists(const std::filesystem::path& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool RemoveFile(const std::filesystem::path& path) { return ::unlink(path.c_str()) == 0; }

bool RenameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool FlushFileToDisk(std::FILE* file) { return ::fsync(::fileno(file)) == 0; }

bool MakeWritable(const std::filesystem::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return false;
    return ::chmod(path.c_str(), info.st_mode | S_IWUSR) == 0;
}

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder) {
    std::vector<FolderEntry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat info;
        const bool isFolder = ::stat((folder / name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries.push_back({std::filesystem::path(name), isFolder});
    }
    ::closedir(dir);
    return entries;
}
