#include "base/file_system.h"

#include <algorithm>
#include <atomic>
#include <chrono>

namespace {

const char kTemporaryMark[] = ".tmp";

// Unique enough for one writer per file: the program holds one instance per
// user, and the counter separates writes within one process.
std::filesystem::path TemporaryNameBeside(std::filesystem::path path) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    path += kTemporaryMark + std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ULL) + "-" +
            std::to_string(counter++);
    return path;
}

bool WriteNewFile(const std::filesystem::path& path, const std::string& contents) {
    std::FILE* file = OpenFile(path, "wb");
    if (!file) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    ok = std::fflush(file) == 0 && ok;
    ok = ok && FlushFileToDisk(file);
    return std::fclose(file) == 0 && ok;
}

// No data file the program keeps is larger: anything beyond is not its data.
bool ReadDataFile(const std::filesystem::path& path, std::string& contents) {
    return ReadFileWithin(path, kReminderFileLimit, contents) == FileRead::kRead;
}

}  // namespace

const FileSteps& RealFileSteps() {
    static const FileSteps steps{WriteNewFile, RenameFile,    RemoveFile,  PathExists,
                                 ListFolder,   ReadFileStamp, ReadDataFile};
    return steps;
}

// As TemporaryNameBeside makes them. What follows the file's name is compared
// as ASCII, whatever the platform's characters.
bool IsTemporaryNameOf(const std::filesystem::path& name, const std::filesystem::path& file) {
    std::filesystem::path prefix = file;
    prefix += kTemporaryMark;
    const auto& whole = name.native();
    const auto& start = prefix.native();
    if (whole.size() <= start.size() || whole.compare(0, start.size(), start) != 0) return false;
    const auto rest = whole.substr(start.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == rest.npos || dash + 1 == rest.size()) return false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (i != dash && (rest[i] < '0' || rest[i] > '9')) return false;
    }
    return true;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& contents) {
    contents.clear();
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return false;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

namespace {

// Where the last whole line of `text` ends: after its last line feed, 0 when
// it has none.
std::size_t EndOfLastLine(const std::string& text) {
    const bool littleEndian = text.size() >= 2 && text[0] == '\xFF' && text[1] == '\xFE';
    const bool bigEndian = text.size() >= 2 && text[0] == '\xFE' && text[1] == '\xFF';
    if (!littleEndian && !bigEndian) {
        const std::size_t feed = text.rfind('\n');
        return feed == std::string::npos ? 0 : feed + 1;
    }
    for (std::size_t end = text.size() & ~std::size_t{1}; end >= 4; end -= 2) {
        const char first = text[end - 2], second = text[end - 1];
        if (littleEndian ? first == '\n' && second == '\0' : first == '\0' && second == '\n') return end;
    }
    return 0;
}

FileRead ReadWithin(const std::filesystem::path& path, std::size_t limit, std::string& contents, bool keepLines) {
    contents.clear();
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return PathExists(path) ? FileRead::kUnreadable : FileRead::kMissing;
    // One block for the whole file: growing by doubling would need half as
    // much again while it moves.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error) contents.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit + 1)));
    char buffer[65536];
    size_t n;
    while (contents.size() <= limit &&
           (n = std::fread(buffer, 1, std::min(sizeof buffer, limit + 1 - contents.size()), file)) > 0) {
        contents.append(buffer, n);
    }
    const bool tooLarge = contents.size() > limit;
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (tooLarge && !failed && keepLines) {
        contents.resize(limit);
        contents.resize(EndOfLastLine(contents));
        return FileRead::kTooLarge;
    }
    if (tooLarge || failed) {
        contents.clear();
        contents.shrink_to_fit();
        return failed ? FileRead::kUnreadable : FileRead::kTooLarge;
    }
    return FileRead::kRead;
}

}  // namespace

FileRead ReadFileWithin(const std::filesystem::path& path, std::size_t limit, std::string& contents) {
    return ReadWithin(path, limit, contents, false);
}

FileRead ReadFileLinesWithin(const std::filesystem::path& path, std::size_t limit, std::string& contents) {
    return ReadWithin(path, limit, contents, true);
}

bool ReplaceFileAtomically(const std::filesystem::path& path, const std::string& contents) {
    return ReplaceFileAtomically(path, contents, RealFileSteps());
}

bool ReplaceFileAtomically(const std::filesystem::path& path, const std::string& contents, const FileSteps& steps) {
    const std::filesystem::path temporary = TemporaryNameBeside(path);
    if (!steps.writeNew(temporary, contents)) {
        steps.remove(temporary);  // what there is of it is no copy of anything
        return false;
    }
    if (steps.rename(temporary, path)) return true;
    // A replace may fail after the old file has gone: the new one is then
    // the only copy of the data and stays where the next save finds it.
    if (steps.exists(path)) steps.remove(temporary);
    return false;
}
