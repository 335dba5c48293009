// Every step of a replace and of the settling of its leftovers at start
// failing in turn, on a file system held in memory: the data is never left
// without a copy.
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <map>
#include <optional>
#include <string>

#include "base/file_backup.h"
#include "base/file_system.h"
#include "base/leftover_files.h"
#include "tests/support/dates.h"

namespace {

namespace fs = std::filesystem;

enum class Fail { kNothing, kWrite, kRename, kRenameAfterRemovingTarget, kRemove, kRead };

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
            written_[to] = written_[from];
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
        steps_.stamp = [this](const fs::path& path) -> std::optional<FileStamp> {
            if (!files_.count(path)) return std::nullopt;
            return FileStamp{written_[path], static_cast<std::int64_t>(files_[path].size())};
        };
        steps_.read = [this](const fs::path& path, std::string& contents) {
            if (fail_ == Fail::kRead || !files_.count(path)) return false;
            contents = files_[path];
            return true;
        };
    }
    std::map<fs::path, std::string> files_;
    std::map<fs::path, std::int64_t> written_;  // when each file was last written
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

const std::tm kNow = TmAt(2026, 12, 9, 13, 30);

const fs::path kDated = kFolder / "reminders.cfg.20261209-133000.bak";
const fs::path kDatedSecond = kFolder / "reminders.cfg.20261209-133000-2.bak";

TEST(FileReplaceSteps, TheCleanUpAtStartPutsTheOnlyCopyBackInsteadOfDeletingIt) {
    FakeDisk disk(Fail::kRenameAfterRemovingTarget);
    disk.files_[kFile] = "old";
    ASSERT_FALSE(ReplaceFileAtomically(kFile, "new", disk.steps_));
    FakeDisk next(Fail::kNothing);  // the next start, on the same disk
    next.files_ = disk.files_;
    EXPECT_TRUE(SettleLeftovers(kFile, kNow, next.steps_).restored);
    EXPECT_EQ(next.files_, (std::map<fs::path, std::string>{{kFile, "new"}}));
}

TEST(FileReplaceSteps, TheCleanUpRemovesOnlyLeftoversBesideAFileThatHoldNothingNew) {
    const fs::path first = kFolder / "reminders.cfg.tmp12-0";
    FakeDisk beside(Fail::kNothing);
    beside.files_ = {{kFile, "data"}, {first, "data"}, {kFolder / "notes.txt", "mine"}};
    EXPECT_FALSE(SettleLeftovers(kFile, kNow, beside.steps_).worthTelling());
    EXPECT_EQ(beside.files_, (std::map<fs::path, std::string>{{kFile, "data"}, {kFolder / "notes.txt", "mine"}}));

    FakeDisk locked(Fail::kRemove);  // a temporary that cannot go yet goes at a later start
    locked.files_ = {{kFile, "data"}, {first, "data"}};
    SettleLeftovers(kFile, kNow, locked.steps_);
    EXPECT_EQ(locked.files_.at(kFile), "data");
}

// Two replaces that failed after the old file had gone leave two leftovers,
// each a whole list of the user's; a crash before the first byte leaves an
// empty one.
TEST(FileReplaceSteps, SettlingLeftoversNeverLosesACopyThatHoldsSomething) {
    const fs::path older = kFolder / "reminders.cfg.tmp222-1", newer = kFolder / "reminders.cfg.tmp111-0";
    using Files = std::map<fs::path, std::string>;
    struct Case {
        const char* what;
        Fail fail;
        Files before;
        std::int64_t newerWritten;  // the older one was written at 10
        Files after;
        bool restored;
        std::size_t kept;
    } cases[] = {
        {"file missing: the newest becomes the file, the other a dated copy",
         Fail::kNothing,
         {{older, "a"}, {newer, "a b"}},
         20,
         {{kFile, "a b"}, {kDated, "a"}},
         true,
         1},
        {"the newest by time, whatever the names say",
         Fail::kNothing,
         {{older, "a"}, {newer, "a b"}},
         5,
         {{kFile, "a"}, {kDated, "a b"}},
         true,
         1},
        {"file missing, the newest empty: the one with data is the file",
         Fail::kNothing,
         {{older, "a"}, {newer, ""}},
         20,
         {{kFile, "a"}},
         true,
         0},
        {"file missing, nothing in any leftover: none is kept",
         Fail::kNothing,
         {{older, ""}, {newer, ""}},
         20,
         {},
         false,
         0},
        {"file missing and the rename refused: both stay for a later start",
         Fail::kRename,
         {{older, "a"}, {newer, "a b"}},
         20,
         {{older, "a"}, {newer, "a b"}},
         false,
         0},
        {"file there: a leftover that differs is kept, dated; one the same goes",
         Fail::kNothing,
         {{kFile, "a"}, {older, "a"}, {newer, "a b"}},
         20,
         {{kFile, "a"}, {kDated, "a b"}},
         false,
         1},
        {"file there, two that differ: two dated copies",
         Fail::kNothing,
         {{kFile, "x"}, {older, "a"}, {newer, "a b"}},
         20,
         {{kFile, "x"}, {kDated, "a"}, {kDatedSecond, "a b"}},
         false,
         2},
        {"file there but unreadable: nothing is touched",
         Fail::kRead,
         {{kFile, "a"}, {older, "a"}, {newer, "a b"}},
         20,
         {{kFile, "a"}, {older, "a"}, {newer, "a b"}},
         false,
         0},
    };
    for (const Case& c : cases) {
        FakeDisk disk(c.fail);
        disk.files_ = c.before;
        disk.written_[older] = 10;
        disk.written_[newer] = c.newerWritten;
        const LeftoverOutcome outcome = SettleLeftovers(kFile, kNow, disk.steps_);
        EXPECT_EQ(disk.files_, c.after) << c.what;
        EXPECT_EQ(outcome.restored, c.restored) << c.what;
        EXPECT_EQ(outcome.keptCopies.size(), c.kept) << c.what;
    }
}

}  // namespace
