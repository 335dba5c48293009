// Every step of a replace and of the clean-up at start failing in turn, on a
// file system held in memory: the data is never left without a copy.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/file_system.h"

namespace {

namespace fs = std::filesystem;

enum class Fail { kNothing, kWrite, kRename, kRenameAfterRemovingTarget, kRemove };

class FakeDisk {
public:
    explicit FakeDisk(Fail fail) : fail_(fail) {
        steps_.writeNew = [this](const fs::path& path, const std::string& contents) {
            files_[path] = fail_ == Fail::kWrite ? contents.substr(0, contents.size() / 2) : contents;
            return fail_ != Fail::kWrite;
        };
        steps_.rename = [this](const fs::path& from, const fs::path& to) {
            if (fail_ == Fail::kRenameAfterRemovingTarget) files_.erase(to);  // ReplaceFileW's worst failure
            if (fail_ == Fail::kRename || fail_ == Fail::kRenameAfterRemovingTarget || !files_.count(from))
                return false;
            files_[to] = files_[from];
            files_.erase(from);
            return true;
        };
        steps_.remove = [this](const fs::path& path) { return fail_ != Fail::kRemove && files_.erase(path) > 0; };
        steps_.exists = [this](const fs::path& path) { return files_.count(path) > 0; };
        steps_.list = [this](const fs::path& folder) {
            std::vector<FolderEntry> entries;
            for (const auto& file : files_) {
                if (file.first.parent_path() == folder) entries.push_back({file.first.filename(), false});
            }
            return entries;
        };
    }
    std::map<fs::path, std::string> files_;
    FileSteps steps_;

private:
    Fail fail_;
};

const fs::path kFolder = fs::path("data") / "Reminders";
const fs::path kFile = kFolder / "reminders.cfg";

// Every copy of the data the disk holds: the file and any temporary.
std::vector<std::string> Copies(const FakeDisk& disk) {
    std::vector<std::string> copies;
    for (const auto& file : disk.files_) copies.push_back(file.second);
    return copies;
}

TEST(FileReplaceSteps, AFailedReplaceKeepsTheOldFileOrTheNewDataButNeverNeither) {
    struct Case {
        Fail fail;
        bool ok;
        std::vector<std::string> left;
    } cases[] = {
        {Fail::kNothing, true, {"new"}},
        {Fail::kWrite, false, {"old"}},
        {Fail::kRename, false, {"old"}},
        {Fail::kRenameAfterRemovingTarget, false, {"new"}},  // the temporary is the only copy
    };
    for (const Case& c : cases) {
        FakeDisk disk(c.fail);
        disk.files_[kFile] = "old";
        EXPECT_EQ(ReplaceFileAtomically(kFile, "new", disk.steps_), c.ok) << static_cast<int>(c.fail);
        EXPECT_EQ(Copies(disk), c.left) << static_cast<int>(c.fail);
    }
}

TEST(FileReplaceSteps, TheCleanUpAtStartPutsTheOnlyCopyBackInsteadOfDeletingIt) {
    FakeDisk disk(Fail::kRenameAfterRemovingTarget);
    disk.files_[kFile] = "old";
    ASSERT_FALSE(ReplaceFileAtomically(kFile, "new", disk.steps_));
    FakeDisk next(Fail::kNothing);  // the next start, on the same disk
    next.files_ = disk.files_;
    RemoveLeftoverTemporaries(kFile, next.steps_);
    EXPECT_EQ(next.files_, (std::map<fs::path, std::string>{{kFile, "new"}}));
}

TEST(FileReplaceSteps, TheCleanUpRemovesTemporariesOnlyBesideAFileAndLeavesSeveralOrphansAlone) {
    const fs::path first = kFolder / "reminders.cfg.tmp12-0", second = kFolder / "reminders.cfg.tmp13-1";
    FakeDisk beside(Fail::kNothing);
    beside.files_ = {{kFile, "data"}, {first, "half"}, {kFolder / "notes.txt", "mine"}};
    RemoveLeftoverTemporaries(kFile, beside.steps_);
    EXPECT_EQ(beside.files_, (std::map<fs::path, std::string>{{kFile, "data"}, {kFolder / "notes.txt", "mine"}}));

    FakeDisk orphans(Fail::kNothing);
    orphans.files_ = {{first, "a"}, {second, "b"}};
    const auto before = orphans.files_;
    RemoveLeftoverTemporaries(kFile, orphans.steps_);
    EXPECT_EQ(orphans.files_, before);

    FakeDisk locked(Fail::kRemove);  // a temporary that cannot go yet goes at a later start
    locked.files_ = {{kFile, "data"}, {first, "half"}};
    RemoveLeftoverTemporaries(kFile, locked.steps_);
    EXPECT_EQ(locked.files_.at(kFile), "data");
}

}  // namespace
