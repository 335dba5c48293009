#include "base/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "base/file_backup.h"
#include "base/leftover_files.h"
#include "tests/support/scratch_folder.h"

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    ScratchFolder scratch_{"solvane-fs-"};
    const std::filesystem::path& folder_ = scratch_.path();
};

TEST_F(FileSystemTest, ReplacingWritesTheNewContentsAndLeavesNoTemporaryFile) {
    const std::string path = PathOf("a.cfg");
    ASSERT_TRUE(ReplaceFileAtomically(path, "old\r\n"));
    ASSERT_TRUE(ReplaceFileAtomically(path, std::string("new\0bytes", 9)));
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(path, contents));
    EXPECT_EQ(contents, std::string("new\0bytes", 9));
    EXPECT_EQ(scratch_.FileCount(), 1u);
}

TEST_F(FileSystemTest, AFileIsReplacedInAFolderWhoseNameHasNoGbkForm) {
    const std::filesystem::path folder = folder_ / std::filesystem::u8path(u8"한글 \U0001F600");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const std::filesystem::path file = folder / std::filesystem::u8path(u8"日历.ics");
    ASSERT_TRUE(ReplaceFileAtomically(file, "old"));
    ASSERT_TRUE(ReplaceFileAtomically(file, "new"));
    std::FILE* read = OpenFile(file, "rb");
    ASSERT_NE(read, nullptr);
    char contents[8] = {};
    EXPECT_EQ(std::fread(contents, 1, sizeof contents, read), 3u);
    std::fclose(read);
    EXPECT_STREQ(contents, "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    EXPECT_FALSE(ReplaceFileAtomically(folder / "missing" / "a.ics", "x"));
}

TEST_F(FileSystemTest, ReplacingIntoAMissingFolderFailsWithoutCreatingIt) {
    const std::string path = PathOf("missing/a.cfg");
    EXPECT_FALSE(ReplaceFileAtomically(path, "x"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));
}

TEST_F(FileSystemTest, TemporaryFilesLeftByAnInterruptedSaveAreRemovedAndNothingElse) {
    for (const char* name : {"holidays.cfg", "holidays.cfg.tmp123456-0", "holidays.cfg.tmp9-12", "holidays.cfg.tmp-1",
                             "holidays.cfg.tmpx-1", "holidays.cfg.20130210-083005.bak", "reminders.cfg.tmp1-1"}) {
        ASSERT_TRUE(ReplaceFileAtomically(PathOf(name), "x"));
    }
    SettleLeftovers(PathOf("holidays.cfg"), LocalTimeNow());
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"holidays.cfg", "holidays.cfg.20130210-083005.bak", "holidays.cfg.tmp-1",
                                              "holidays.cfg.tmpx-1", "reminders.cfg.tmp1-1"}));
}

TEST_F(FileSystemTest, AFileBeyondItsLimitIsNotTakenIn) {
    const std::string path = PathOf("big.ini");
    ASSERT_TRUE(ReplaceFileAtomically(path, std::string(200000, 'x')));
    std::string contents = "stale";
    EXPECT_EQ(ReadFileWithin(path, 200000, contents), FileRead::kRead);
    EXPECT_EQ(contents.size(), 200000u);
    EXPECT_EQ(ReadFileWithin(path, 199999, contents), FileRead::kTooLarge);
    EXPECT_TRUE(contents.empty());
    EXPECT_EQ(ReadFileWithin(PathOf("none"), 10, contents), FileRead::kMissing);
    EXPECT_EQ(ReadFileWithin(folder_.string(), 10, contents), FileRead::kUnreadable);
}

// A list file beyond its limit keeps the lines that end within the limit,
// counted in the file's own code units.
TEST_F(FileSystemTest, AListFileBeyondItsLimitKeepsItsWholeLinesWithinIt) {
    const std::string le(
        "\xFF\xFE"
        "a\0\n\0"
        "b\0\n\0",
        10),
        be("\xFE\xFF"
           "\0a\0\n"
           "\0b\0\n",
           10);
    struct Case {
        const char* what;
        std::string file;
        std::size_t limit;
        FileRead outcome;
        std::string kept;
    } cases[] = {
        {"within the limit, whole", "one\r\ntwo\r\n", 10, FileRead::kRead, "one\r\ntwo\r\n"},
        {"the line crossing the limit left out", "one\r\ntwo\r\nthree\r\n", 12, FileRead::kTooLarge, "one\r\ntwo\r\n"},
        {"a line ending at the limit kept", "one\r\ntwo\r\nthree\r\n", 10, FileRead::kTooLarge, "one\r\ntwo\r\n"},
        {"no line ends within the limit", "a long first line\r\n", 8, FileRead::kTooLarge, ""},
        {"UTF-16 little-endian, by code units", le + std::string("c\0", 2), 11, FileRead::kTooLarge, le},
        {"UTF-16 big-endian, by code units", be + std::string("\0c", 2), 11, FileRead::kTooLarge, be},
        {"UTF-16 with its line feed byte on an odd offset",
         std::string("\xFF\xFE"
                     "\n\x01"
                     "a\0",
                     6),
         5, FileRead::kTooLarge, ""},
    };
    for (const Case& c : cases) {
        const std::string path = PathOf("list.cfg");
        ASSERT_TRUE(ReplaceFileAtomically(path, c.file));
        std::string contents = "stale";
        EXPECT_EQ(ReadFileLinesWithin(path, c.limit, contents), c.outcome) << c.what;
        EXPECT_EQ(contents, c.kept) << c.what;
        EXPECT_EQ(ReadFileWithin(path, c.limit, contents), c.outcome) << c.what;
        if (c.outcome == FileRead::kTooLarge) {
            EXPECT_TRUE(contents.empty()) << c.what << ": taken as damaged";
        }
    }
}

TEST_F(FileSystemTest, MissingFilesReadAsFailure) {
    std::string contents = "stale";
    EXPECT_FALSE(ReadWholeFile(PathOf("none"), contents));
    EXPECT_TRUE(contents.empty());
    EXPECT_FALSE(FileExists(PathOf("none")));
}

TEST_F(FileSystemTest, RemoveAndRenameReportWhatHappened) {
    const std::string a = PathOf("a"), b = PathOf("b");
    ASSERT_TRUE(ReplaceFileAtomically(a, "1"));
    ASSERT_TRUE(ReplaceFileAtomically(b, "2"));
    EXPECT_TRUE(RenameFile(a, b));
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(b, contents));
    EXPECT_EQ(contents, "1");
    EXPECT_TRUE(RemoveFile(b));
    EXPECT_FALSE(RemoveFile(b));
}

}  // namespace
