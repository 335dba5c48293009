#include "base/data_paths.h"

#include <gtest/gtest.h>

#include "base/platform_folders.h"

namespace {

TEST(DataPathsTest, TheModuleFolderIsTheFileNameCutAtItsLastSeparator) {
    EXPECT_EQ(FolderOfModuleFile("C:\\Program Files\\Solvane\\Solvane.exe", '\\'), "C:\\Program Files\\Solvane");
    EXPECT_EQ(FolderOfModuleFile("C:Solvane.exe", '\\'), "C:");
    EXPECT_EQ(FolderOfModuleFile("/opt/solvane/solvane-cli", '/'), "/opt/solvane");
    // The trail byte of 0x95 0x5C looks like a backslash but is half a character.
    EXPECT_EQ(FolderOfModuleFile("D:\\\x95\x5C\\a.exe", '\\'), "D:\\\x95\x5C");
    EXPECT_EQ(FolderOfModuleFile("D:\\x\x95\x5C" "a.exe", '\\'), "D:");
}

TEST(DataPathsTest, TheRunningProgramHasAModuleFolder) {
    const std::string folder = ModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), kPathSeparator);
    EXPECT_EQ(ExecutableFileName().substr(0, folder.size() + 1), folder + kPathSeparator);
}

TEST(DataPathsTest, SuffixesJoinWithEitherSeparator) {
    EXPECT_EQ(JoinDataPath("C:\\Tavro", kFestivalFileSuffix, '\\'), "C:\\Tavro\\Ostrel\\holidays.cfg");
    EXPECT_EQ(JoinDataPath("/opt/tavro", kFestivalFileSuffix, '/'), "/opt/tavro/Ostrel/holidays.cfg");
    // A template named with a character whose trail byte is 0x5C keeps it.
    EXPECT_EQ(JoinDataPath("/t", "\\Ostrel\\Templates\\\x95\x5C\\config.ini", '/'),
              "/t/Ostrel/Templates/\x95\x5C/config.ini");
}

TEST(DataPathsTest, EveryDataFileHasItsFixedPlace) {
    const std::string s(1, kPathSeparator);
    EXPECT_EQ(SettingsFilePath("F"), "F" + s + "Solvane.ini");
    EXPECT_EQ(ReminderFilePath("F"), "F" + s + "Reminders" + s + "reminders.cfg");
    EXPECT_EQ(AlmanacDatabasePath("F"), "F" + s + "Ostrel" + s + "Database" + s + "china.mdb");
    EXPECT_EQ(SkinConfigPath("F", "蓝色"), "F" + s + "Ostrel" + s + "Templates" + s + "蓝色" + s + "config.ini");
    EXPECT_EQ(SkinBackgroundPath("F", ""), "F" + s + "Ostrel" + s + "Templates" + s + s + "backgroud.png");
    EXPECT_EQ(TrayPicturePath("F", "red"), "F" + s + "Ostrel" + s + "SystemTray" + s + "red.png");
    EXPECT_EQ(TrayIniPath("F", "red"), "F" + s + "Ostrel" + s + "SystemTray" + s + "red.ini");
    EXPECT_EQ(SoundFilePath("F", "提醒.wav"), "F" + s + "Sound" + s + "提醒.wav");
}

const PathMacroValues kMachine{"C:\\Tavro", "C:\\Windows", "C:\\Windows\\system32", "C:\\Temp\\"};

TEST(PathMacrosTest, TheModuleMacroBecomesTheExecutableFolder) {
    EXPECT_EQ(ExpandPathMacros("%module_path%\\Sound\\a.wav", kMachine), "C:\\Tavro\\Sound\\a.wav");
    EXPECT_EQ(ExpandPathMacros("%module_path%;%module_path%", kMachine), "C:\\Tavro;C:\\Tavro");
}

TEST(PathMacrosTest, OnlyTheFirstMacroKindPresentIsExpanded) {
    EXPECT_EQ(ExpandPathMacros("%temp_path%x;%module_path%y", kMachine), "%temp_path%x;C:\\Tavroy");
    EXPECT_EQ(ExpandPathMacros("%system_path%|%window_path%", kMachine), "%system_path%|C:\\Windows");
    EXPECT_EQ(ExpandPathMacros("%temp_path%log.txt", kMachine), "C:\\Temp\\log.txt");
}

TEST(PathMacrosTest, MacrosAreCaseSensitiveAndPartialOnesStay) {
    EXPECT_EQ(ExpandPathMacros("%MODULE_PATH%", kMachine), "%MODULE_PATH%");
    EXPECT_EQ(ExpandPathMacros("%module_path", kMachine), "%module_path");
    EXPECT_EQ(ExpandPathMacros("100%", kMachine), "100%");
}

}  // namespace
