#include "base/file_backup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_system.h"
#include "base/list_file_save.h"
#include "tests/support/dates.h"
#include "tests/support/scratch_folder.h"

namespace {

const std::tm kMorning = TmAt(2013, 2, 10, 8, 30, 5);

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
    const BackupResult result = KeepCopyIfChanged(path_, BaselineOf("a\r\n", false), kMorning);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.copy.empty());
    EXPECT_EQ(Entries(), 1);
}

TEST_F(FileBackupTest, AFileChangedSinceLoadingIsCopiedBesideItUnderADatedName) {
    Write("edited in Notepad\r\n");
    const BackupResult result = KeepCopyIfChanged(path_, BaselineOf("a\r\n", false), kMorning);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.copy, Beside(".20130210-083005.bak"));
    EXPECT_EQ(Read(result.copy), "edited in Notepad\r\n");

    const BackupResult second = KeepCopyIfChanged(path_, BaselineOf("a\r\n", false), kMorning);
    EXPECT_EQ(second.copy, Beside(".20130210-083005-2.bak")) << "an earlier copy is never overwritten";
}

TEST_F(FileBackupTest, SameSizeDifferentBytesCountsAsChanged) {
    Write("b\r\n");
    EXPECT_FALSE(KeepCopyIfChanged(path_, BaselineOf("a\r\n", false), kMorning).copy.empty());
}

TEST_F(FileBackupTest, AFileLoadingSkippedPartOfIsCopiedEvenUnchanged) {
    Write("a\r\nbroken line\r\n");
    const BackupResult result = KeepCopyIfChanged(path_, BaselineOf("a\r\nbroken line\r\n", true), kMorning);
    EXPECT_EQ(Read(result.copy), "a\r\nbroken line\r\n");
}

TEST_F(FileBackupTest, AFileThatAppearedSinceLoadingIsCopiedAndAMissingOneNeedsNothing) {
    EXPECT_TRUE(KeepCopyIfChanged(path_, FileBaseline{}, kMorning).ok);
    EXPECT_EQ(Entries(), 0);
    Write("made by a sync client\r\n");
    EXPECT_FALSE(KeepCopyIfChanged(path_, FileBaseline{}, kMorning).copy.empty());
}

TEST_F(FileBackupTest, AnUnreadableFileStopsTheSave) {
    std::filesystem::create_directories(path_);
    EXPECT_FALSE(KeepCopyIfChanged(path_, BaselineOf("a", false), kMorning).ok);
}

// A manager that read the file (or found none) saves over it unasked only
// when nobody else wrote it meanwhile; opened to add one entry it adds it to
// the file as it is now.
TEST_F(FileBackupTest, ASaveAsksBeforeWritingOverAnotherProgramsChange) {
    const char* nothing = nullptr;
    struct Case {
        const char* atOpen;  // nullptr: no file
        const char* now;
        FileSinceRead since;
        SaveStep manager, adding;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", "a\r\nb\r\n", FileSinceRead::kAsRead, SaveStep::kWrite, SaveStep::kWrite},
        {nothing, nothing, FileSinceRead::kAsRead, SaveStep::kWrite, SaveStep::kWrite},
        // A sync client's edit of the same length, a memo appended, one written
        // where there was none.
        {"a\r\nb\r\n", "a\r\nc\r\n", FileSinceRead::kChanged, SaveStep::kAskAboutChange, SaveStep::kAddToFileAsItIsNow},
        {"a\r\n", "a\r\nb\r\n", FileSinceRead::kChanged, SaveStep::kAskAboutChange, SaveStep::kAddToFileAsItIsNow},
        {nothing, "a\r\n", FileSinceRead::kChanged, SaveStep::kAskAboutChange, SaveStep::kAddToFileAsItIsNow},
        // Taken away, or its drive removed: the list still holds all it had.
        {"a\r\n", nothing, FileSinceRead::kGone, SaveStep::kWrite, SaveStep::kWrite},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(path_);
        const FileBaseline loaded = c.atOpen ? BaselineOf(c.atOpen, false) : FileBaseline{};
        if (c.now) Write(c.now);
        const FileSinceRead since = CompareWithBaseline(path_, loaded);
        EXPECT_EQ(since, c.since) << (c.atOpen ? c.atOpen : "none") << " -> " << (c.now ? c.now : "none");
        EXPECT_EQ(SaveStepFor(since, false), c.manager);
        EXPECT_EQ(SaveStepFor(since, true), c.adding);
    }
    // Held by another program: the write itself refuses, as before.
    std::filesystem::remove(path_);
    std::filesystem::create_directories(path_);
    EXPECT_EQ(CompareWithBaseline(path_, BaselineOf("a\r\n", false)), FileSinceRead::kUnreadable);
    EXPECT_EQ(SaveStepFor(FileSinceRead::kUnreadable, false), SaveStep::kWrite);
}

}  // namespace
