#include "base/file_backup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_system.h"
#include "tests/support/scratch_folder.h"

namespace {

std::tm Morning() {
    std::tm tm{};
    tm.tm_year = 2013 - 1900;
    tm.tm_mon = 1;
    tm.tm_mday = 10;
    tm.tm_hour = 8;
    tm.tm_min = 30;
    tm.tm_sec = 5;
    return tm;
}

class FileBackupTest : public ::testing::Test {
protected:
    void Write(const std::string& contents) { ASSERT_TRUE(ReplaceFileAtomically(path_, contents)); }
    static std::string Read(const std::filesystem::path& path) {
        std::string contents;
        EXPECT_TRUE(ReadWholeFile(path, contents));
        return contents;
    }
    int Entries() const {
        int n = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_)) ++n;
        return n;
    }
    std::filesystem::path Beside(const char* ending) const {
        std::filesystem::path beside = path_;
        beside += ending;
        return beside;
    }

    ScratchFolder scratch_{"solvane-backup-"};
    // A folder named in any script keeps its name in the copy's.
    const std::filesystem::path folder_ = [this] {
        const std::filesystem::path folder = scratch_.path() / std::filesystem::u8path(u8"한글 😀");
        std::filesystem::create_directories(folder);
        return folder;
    }();
    const std::filesystem::path path_ = folder_ / "holidays.cfg";
};

TEST_F(FileBackupTest, TheFileAsLoadedNeedsNoCopy) {
    Write("a\r\n");
    const BackupResult result = KeepCopyIfChanged(path_, BaselineOf("a\r\n", false), Morning());
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.copy.empty());
    EXPECT_EQ(Entries(), 1);
}

TEST_F(FileBackupTest, AFileChangedSinceLoadingIsCopiedBesideItUnderADatedName) {
    Write("edited in Notepad\r\n");
    const BackupResult result = KeepCopyIfChanged(path_, BaselineOf("a\r\n", false), Morning());
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.copy, Beside(".20130210-083005.bak"));
    EXPECT_EQ(Read(result.copy), "edited in Notepad\r\n");

    const BackupResult second = KeepCopyIfChanged(path_, BaselineOf("a\r\n", false), Morning());
    EXPECT_EQ(second.copy, Beside(".20130210-083005-2.bak")) << "an earlier copy is never overwritten";
}

TEST_F(FileBackupTest, SameSizeDifferentBytesCountsAsChanged) {
    Write("b\r\n");
    EXPECT_FALSE(KeepCopyIfChanged(path_, BaselineOf("a\r\n", false), Morning()).copy.empty());
}

TEST_F(FileBackupTest, AFileLoadingSkippedPartOfIsCopiedEvenUnchanged) {
    Write("a\r\nbroken line\r\n");
    const BackupResult result = KeepCopyIfChanged(path_, BaselineOf("a\r\nbroken line\r\n", true), Morning());
    EXPECT_EQ(Read(result.copy), "a\r\nbroken line\r\n");
}

TEST_F(FileBackupTest, AFileThatAppearedSinceLoadingIsCopiedAndAMissingOneNeedsNothing) {
    EXPECT_TRUE(KeepCopyIfChanged(path_, FileBaseline{}, Morning()).ok);
    EXPECT_EQ(Entries(), 0);
    Write("made by a sync client\r\n");
    EXPECT_FALSE(KeepCopyIfChanged(path_, FileBaseline{}, Morning()).copy.empty());
}

TEST_F(FileBackupTest, AnUnreadableFileStopsTheSave) {
    std::filesystem::create_directories(path_);
    EXPECT_FALSE(KeepCopyIfChanged(path_, BaselineOf("a", false), Morning()).ok);
}

}  // namespace
