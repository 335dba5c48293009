#include "base/file_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "base/file_system.h"
#include "base/profile_file.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(FilePathTest, GbkNamesBecomePathsWithTheirOwnCharacters) {
    EXPECT_EQ(PathFromGbk("提醒.wav"), fs::u8path(u8"提醒.wav"));
    EXPECT_EQ(PathFromGbk("Sound\\生日.wav"), fs::u8path(u8"Sound/生日.wav"));
    EXPECT_TRUE(PathFromGbk("").empty());
}

// Hangul, an emoji and a Latin name with marks: none has a GBK form.
const char* const kNoGbkNames[] = {u8"한글", u8"😀", u8"Åström"};
const char kMixedName[] = u8"日历 한";

TEST(FilePathTest, OnlyAPathWithAGbkFormHasAGbkText) {
    EXPECT_EQ(GbkFromPath(fs::u8path(u8"节日 Default")), std::optional<std::string>("节日 Default"));
    for (const char* name : kNoGbkNames) EXPECT_EQ(GbkFromPath(fs::u8path(name)), std::nullopt) << name;
    EXPECT_EQ(GbkTextOfPath(fs::u8path(kMixedName)), "日历 ?");
}

TEST(FilePathTest, LibrariesGetUtf8Names) {
    for (const char* name : kNoGbkNames) EXPECT_EQ(Utf8FileName(fs::u8path(name)), name);
}

TEST(FilePathTest, ANameJoinsBelowItsFolderWithOneSeparator) {
    const fs::path folder = fs::u8path(u8"한글");
    EXPECT_EQ(PathBelow(folder, "a.wav"), folder / "a.wav");
    EXPECT_EQ(PathBelow(folder / "", "a.wav"), folder / "a.wav");
    EXPECT_EQ(PathBelow(fs::path(), "a.wav"), fs::path("a.wav"));
}

// A folder named in any script: every file function reaches it by its real
// name, with no short name or GBK form in between.
TEST(FilePathTest, FilesInAFolderWithoutAGbkNameAreWrittenReadAndListed) {
    ScratchFolder scratch("solvane-path-");
    const fs::path folder = scratch.path() / fs::u8path(u8"한글 😀 日历");
    fs::create_directories(folder);
    const fs::path file = folder / fs::u8path(u8"설정 😀.ini");

    ASSERT_TRUE(ProfilePutString("Ostrel", "Template", "Night", file));
    EXPECT_EQ(ProfileGetString("Ostrel", "Template", "", file), "Night");
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(ReadFileStamp(file).has_value());
    ASSERT_EQ(ListFolder(folder).size(), 1u);
    EXPECT_EQ(ListFolder(folder)[0].name, file.filename());

    fs::path copy = file;
    copy += ".bak";
    ASSERT_TRUE(RenameFile(file, copy));
    EXPECT_TRUE(PathExists(copy));
    EXPECT_TRUE(RemoveFile(copy));
    EXPECT_TRUE(ListFolder(folder).empty());
}

}  // namespace
