#include "base/file_backup.h"

#include <cstdio>

#include "base/file_system.h"

namespace {

std::uint64_t Fnv1a(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

}  // namespace

FileBaseline BaselineOf(const std::string& contents, bool lossy) {
    FileBaseline baseline;
    baseline.present = true;
    baseline.size = contents.size();
    baseline.digest = Fnv1a(contents);
    baseline.lossy = lossy;
    return baseline;
}

bool SameAsBaseline(const FileBaseline& baseline, const std::string& contents) {
    return baseline.present && baseline.size == contents.size() && baseline.digest == Fnv1a(contents);
}

FileSinceRead CompareWithBaseline(const std::filesystem::path& path, const FileBaseline& baseline) {
    std::string contents;
    if (!ReadWholeFile(path, contents)) {
        if (PathExists(path)) return FileSinceRead::kUnreadable;
        return baseline.present ? FileSinceRead::kGone : FileSinceRead::kAsRead;
    }
    return SameAsBaseline(baseline, contents) ? FileSinceRead::kAsRead : FileSinceRead::kChanged;
}

std::filesystem::path DatedBackupPath(const std::filesystem::path& path, const std::tm& now) {
    return DatedBackupPath(path, now, PathExists);
}

std::filesystem::path DatedBackupPath(const std::filesystem::path& path, const std::tm& now,
                                      const std::function<bool(const std::filesystem::path&)>& taken) {
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, ".%04d%02d%02d-%02d%02d%02d", now.tm_year + 1900, now.tm_mon + 1, now.tm_mday,
                  now.tm_hour, now.tm_min, now.tm_sec);
    const auto withEnding = [&](const std::string& ending) {
        std::filesystem::path candidate = path;
        candidate += stamp + ending;
        return candidate;
    };
    std::filesystem::path candidate = withEnding(".bak");
    for (int n = 2; taken(candidate); ++n) candidate = withEnding("-" + std::to_string(n) + ".bak");
    return candidate;
}

std::tm LocalTimeNow() {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return local;
}

BackupResult KeepCopyIfChanged(const std::filesystem::path& path, const FileBaseline& baseline, const std::tm& now) {
    BackupResult result;
    std::string contents;
    if (!ReadWholeFile(path, contents)) {
        result.ok = !PathExists(path);
        return result;
    }
    if (!baseline.lossy && SameAsBaseline(baseline, contents)) return result;
    result.copy = DatedBackupPath(path, now);
    result.ok = ReplaceFileAtomically(result.copy, contents);
    if (!result.ok) result.copy.clear();
    return result;
}
