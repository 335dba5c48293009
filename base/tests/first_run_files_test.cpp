#include "base/first_run_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/data_paths.h"
#include "base/file_system.h"
#include "tests/support/scratch_folder.h"

namespace {

class FirstRunFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(FirstRunFolder(folder_));
        Write(FirstRunFolder(folder_) / "Solvane.ini", "[Ostrel]\r\nTemplate=Default\r\n");
        Write(FirstRunFolder(folder_) / "holidays.cfg", "YL,JR,10-1,国庆节,,,,1,1,1\r\n");
    }
    static void Write(const std::filesystem::path& path, const std::string& contents) {
        ASSERT_TRUE(ReplaceFileAtomically(path, contents));
    }
    static std::string Read(const std::filesystem::path& path) {
        std::string contents;
        ReadWholeFile(path, contents);
        return contents;
    }

    ScratchFolder scratch_{"solvane-first-run-"};
    const std::filesystem::path folder_ = scratch_.path();
};

TEST_F(FirstRunFilesTest, AFirstStartPutsTheShippedSettingsAndFestivalsInPlace) {
    EXPECT_EQ(PutFirstRunFiles(folder_).size(), 2u);
    EXPECT_EQ(Read(SettingsFilePath(folder_)), "[Ostrel]\r\nTemplate=Default\r\n");
    EXPECT_EQ(Read(FestivalFilePath(folder_)), "YL,JR,10-1,国庆节,,,,1,1,1\r\n");
}

TEST_F(FirstRunFilesTest, TheUsersOwnFilesStayEvenWhenEmpty) {
    Write(SettingsFilePath(folder_), "[Ostrel]\r\nTemplate=Night\r\n");
    Write(FestivalFilePath(folder_), "");
    EXPECT_TRUE(PutFirstRunFiles(folder_).empty());
    EXPECT_EQ(Read(SettingsFilePath(folder_)), "[Ostrel]\r\nTemplate=Night\r\n");
    EXPECT_EQ(Read(FestivalFilePath(folder_)), "");
}

// A save that failed after the old file had gone left the festivals in a
// temporary file that could not be put back: the shipped list must not take
// the file's place, or the next start would take the leftover for stale.
TEST_F(FirstRunFilesTest, NoShippedFileIsLaidOverAMissingFileWithLeftoversOfASave) {
    const std::filesystem::path leftover = FestivalFilePath(folder_).string() + ".tmp111-0";
    std::filesystem::create_directories(leftover.parent_path());
    Write(leftover, "YL,JR,3-8,我的节日,,,,1,1,1\r\n");
    EXPECT_EQ(PutFirstRunFiles(folder_), std::vector<std::filesystem::path>{SettingsFilePath(folder_)});
    EXPECT_FALSE(std::filesystem::exists(FestivalFilePath(folder_)));
    EXPECT_EQ(Read(leftover), "YL,JR,3-8,我的节日,,,,1,1,1\r\n");
}

TEST_F(FirstRunFilesTest, WithoutFirstRunCopiesNothingIsMade) {
    std::filesystem::remove_all(FirstRunFolder(folder_));
    EXPECT_TRUE(PutFirstRunFiles(folder_).empty());
    EXPECT_FALSE(std::filesystem::exists(SettingsFilePath(folder_)));
}

}  // namespace
