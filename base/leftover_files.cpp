#include "base/leftover_files.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "base/file_backup.h"

namespace {

struct Leftover {
    std::filesystem::path path;
    FileStamp stamp;
};

// The leftovers that can be looked at; one that cannot is left for a later start.
std::vector<Leftover> StampedLeftovers(const std::filesystem::path& file, const FileSteps& steps) {
    std::vector<Leftover> found;
    for (const std::filesystem::path& path : LeftoversOf(file, steps)) {
        if (const std::optional<FileStamp> stamp = steps.stamp(path)) found.push_back({path, *stamp});
    }
    return found;
}

// Written last, and of two written in the same tick the later name, so that
// the choice does not depend on the order the folder lists them in.
bool NewerThan(const Leftover& a, const Leftover& b) {
    if (a.stamp.modified != b.stamp.modified) return a.stamp.modified > b.stamp.modified;
    return b.path < a.path;
}

bool KeepAsDatedCopy(const Leftover& leftover, const std::filesystem::path& file, const std::tm& now,
                     const FileSteps& steps, LeftoverOutcome& outcome) {
    const std::filesystem::path copy = DatedBackupPath(file, now, steps.exists);
    if (!steps.rename(leftover.path, copy)) return false;
    outcome.keptCopies.push_back(copy);
    return true;
}

}  // namespace

std::vector<std::filesystem::path> LeftoversOf(const std::filesystem::path& file, const FileSteps& steps) {
    std::vector<std::filesystem::path> leftovers;
    const std::filesystem::path folder = file.parent_path();
    if (folder.empty()) return leftovers;
    for (const FolderEntry& entry : steps.list(folder)) {
        if (!entry.isFolder && IsTemporaryNameOf(entry.name, file.filename())) leftovers.push_back(folder / entry.name);
    }
    return leftovers;
}

bool HasLeftovers(const std::filesystem::path& file) { return !LeftoversOf(file, RealFileSteps()).empty(); }

LeftoverOutcome SettleLeftovers(const std::filesystem::path& file, const std::tm& now) {
    return SettleLeftovers(file, now, RealFileSteps());
}

LeftoverOutcome SettleLeftovers(const std::filesystem::path& file, const std::tm& now, const FileSteps& steps) {
    LeftoverOutcome outcome;
    outcome.file = file;
    std::vector<Leftover> leftovers = StampedLeftovers(file, steps);
    if (leftovers.empty()) return outcome;
    // One cut off before its first byte holds nothing of anyone's.
    std::vector<Leftover> holding;
    for (const Leftover& leftover : leftovers) {
        if (leftover.stamp.size > 0) holding.push_back(leftover);
    }
    // Oldest first: the dated copies' names then follow the order they were written in.
    std::sort(holding.begin(), holding.end(), [](const Leftover& a, const Leftover& b) { return NewerThan(b, a); });
    const auto removeEmpty = [&] {
        for (const Leftover& leftover : leftovers) {
            if (leftover.stamp.size == 0) steps.remove(leftover.path);
        }
    };

    if (!steps.exists(file)) {
        if (!holding.empty()) {
            const Leftover* newest = &holding.back();
            if (!steps.rename(newest->path, file)) return outcome;  // all of them are still there
            outcome.restored = true;
            for (const Leftover& leftover : holding) {
                if (&leftover != newest) KeepAsDatedCopy(leftover, file, now, steps, outcome);
            }
        }
        removeEmpty();
        return outcome;
    }

    std::string current;
    if (!steps.read(file, current)) return outcome;
    removeEmpty();
    for (const Leftover& leftover : holding) {
        std::string contents;
        if (static_cast<std::uint64_t>(leftover.stamp.size) == current.size() && steps.read(leftover.path, contents) &&
            contents == current) {
            steps.remove(leftover.path);
        } else {
            KeepAsDatedCopy(leftover, file, now, steps, outcome);
        }
    }
    return outcome;
}

TextAroundFile LeftoverText(const LeftoverOutcome& outcome) {
    const std::string copies =
        outcome.keptCopies.empty()
            ? std::string()
            : std::to_string(outcome.keptCopies.size()) +
                  " 个临时文件已改名保留为带日期的备份（.bak），放在同一文件夹中，可以用记事本打开查看。";
    if (outcome.restored) {
        return {"上次保存没有完成，下面的文件不见了：\n",
                "\n\n已用保存时留下的临时文件把它恢复了（用的是其中最新的一个）。" +
                    (copies.empty() ? std::string() : "\n其余 " + copies) + "\n\n请检查其中的内容是否完整。"};
    }
    return {"上次保存下面的文件时没有完成：\n",
            "\n\n文件仍是原来的内容。保存时留下的 " + copies + "\n其中可能有没能存进文件的修改。"};
}
