#include "base/data_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/platform_folders.h"

namespace {

TEST(DataPathsTest, TheRunningProgramHasAModuleFolder) {
    const std::filesystem::path folder = ModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(ExecutableFileName().parent_path(), folder);
}

// The folder of a real installation may be named in any script.
const std::filesystem::path kFolder = std::filesystem::u8path(u8"C:/한글 😀 日历");

TEST(DataPathsTest, EveryDataFileHasItsFixedPlace) {
    EXPECT_EQ(SettingsFilePath(kFolder), kFolder / "Solvane.ini");
    EXPECT_EQ(FestivalFilePath(kFolder), kFolder / "Ostrel" / "holidays.cfg");
    EXPECT_EQ(ReminderFilePath(kFolder), kFolder / "Reminders" / "reminders.cfg");
    EXPECT_EQ(HolidayScheduleFilePath(kFolder), kFolder / "Ostrel" / "offdays.cfg");
    EXPECT_EQ(AlmanacDatabasePath(kFolder), kFolder / "Ostrel" / "Database" / "china.mdb");
    EXPECT_EQ(HelpPagePath(kFolder, "index.html"), kFolder / "Help" / "index.html");
}

TEST(DataPathsTest, TemplateAndSoundNamesFromGbkTextsLieInTheirFolders) {
    const std::filesystem::path templates = kFolder / "Ostrel" / "Templates";
    const std::filesystem::path tray = kFolder / "Ostrel" / "SystemTray";
    EXPECT_EQ(SkinConfigPath(kFolder, "蓝色"), templates / std::filesystem::u8path(u8"蓝色") / "config.ini");
    EXPECT_EQ(SkinBackgroundPath(kFolder, "Night"), templates / "Night" / "backgroud.png");
    EXPECT_EQ(TrayPicturePath(kFolder, "red"), tray / "red.png");
    EXPECT_EQ(TrayIniPath(kFolder, "red"), tray / "red.ini");
    EXPECT_EQ(SoundFilePath(kFolder, "提醒.wav"), kFolder / "Sound" / std::filesystem::u8path(u8"提醒.wav"));
    // A GBK character whose trail byte is 0x5C (a backslash) stays whole.
    EXPECT_EQ(SoundFilePath(kFolder, "\x95\x5C.wav"), kFolder / "Sound" / std::filesystem::u8path(u8"昞.wav"));
}

TEST(DataPathsTest, ANameThatLooksAbsoluteStaysInsideItsFolder) {
    const std::filesystem::path templates = kFolder / "Ostrel" / "Templates";
    for (const char* name : {"C:\\Windows", "\\\\host\\share", "/etc"}) {
        const std::filesystem::path config = SkinConfigPath(kFolder, name);
        EXPECT_EQ(config.native().compare(0, templates.native().size(), templates.native()), 0) << name;
    }
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
