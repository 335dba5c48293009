#include "app/app_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/data_paths.h"
#include "base/file_system.h"
#include "base/profile_file.h"
#include "tests/support/scratch_folder.h"

namespace {

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = SettingsFilePath(folder_.string());
    }
    void Write(const std::string& contents) { ASSERT_TRUE(ReplaceFileAtomically(file_, contents)); }

    ScratchFolder scratch_{"solvane-settings-"};
    const std::filesystem::path& folder_ = scratch_.path();
    std::string file_;
};

TEST_F(AppSettingsTest, WithoutAFileEverySettingHasItsDefault) {
    const AppSettings settings = LoadAppSettings(file_);
    EXPECT_EQ(settings.showBalloonTip, 1);
    EXPECT_EQ(settings.showHuangLiOnBalloonToolTip, 1);
    EXPECT_EQ(settings.templateName, "");
    EXPECT_EQ(settings.showToday, 1);
    EXPECT_EQ(FirstColumnWeekday(settings), 7);
    EXPECT_EQ(settings.listForDays, 30);
    EXPECT_EQ(settings.lockLocation, 0);
    EXPECT_EQ(settings.systemTrayTemplate, "");
    EXPECT_EQ(WindowStyleOf(settings), WindowStyle::kUnchanged);
    EXPECT_EQ(settings.playSoundOnNotifyWindow, 1);
    EXPECT_EQ(settings.showNotifyWindowOnScreen, 1);
    EXPECT_EQ(settings.showJieQiOnRemindWindow, 0);
    EXPECT_EQ(settings.showJieQiOnForenotice, 0);
    EXPECT_EQ(settings.showReminderOnForenotice, 0);
    EXPECT_TRUE(ReadShowNotifyWindowOnScreen(file_));
    EXPECT_TRUE(ReadPlaySoundOnNotifyWindow(file_));
    EXPECT_FALSE(ReadShowReminderOnForenotice(file_));
    EXPECT_FALSE(ReadShowJieQiOnForenotice(file_));
    EXPECT_FALSE(ReadShowJieQiOnRemindWindow(file_));
    EXPECT_FALSE(std::filesystem::exists(file_));  // reading never creates the file
}

TEST_F(AppSettingsTest, EveryKeyIsReadFromSectionOstrel) {
    Write("[Ostrel]\r\nShowBalloonTip=0\r\nShowHuangLiOnBalloonToolTip=0\r\nTemplate=%module_path%\\x\r\n"
          "ShowToday=0\r\nFirstColWeekDay=1\r\nListForDays=-1\r\nLockLocation=1\r\nSystemTrayTemplate=红色\r\n"
          "WindowStyle=2\r\nPlaySoundOnNotifyWindow=0\r\nShowNotifyWindowOnScreen=0\r\n"
          "ShowJieQiOnRemindWindow=1\r\nShowJieQiOnForenotice=1\r\nShowReminderOnForenotice=1\r\n");
    const AppSettings s = LoadAppSettings(file_);
    EXPECT_EQ(s.showBalloonTip + s.showHuangLiOnBalloonToolTip + s.showToday, 0);
    EXPECT_EQ(s.templateName, ModuleFolder() + "\\x");
    EXPECT_EQ(FirstColumnWeekday(s), 1);
    EXPECT_EQ(s.listForDays, kNoForenoticeList);
    EXPECT_EQ(s.lockLocation, 1);
    EXPECT_EQ(s.systemTrayTemplate, "红色");
    EXPECT_EQ(WindowStyleOf(s), WindowStyle::kEmbedded);
    EXPECT_EQ(s.playSoundOnNotifyWindow + s.showNotifyWindowOnScreen, 0);
    EXPECT_EQ(s.showJieQiOnRemindWindow + s.showJieQiOnForenotice + s.showReminderOnForenotice, 3);
}

TEST_F(AppSettingsTest, SundayIsTheFirstColumnFor7And0Alike) {
    AppSettings settings;
    for (const auto& [stored, weekday] : {std::pair{7, 7}, {0, 7}, {14, 7}, {1, 1}, {6, 6}, {8, 1}, {-1, 6}}) {
        settings.firstColWeekDay = stored;
        EXPECT_EQ(FirstColumnWeekday(settings), weekday) << stored;
    }
}

TEST_F(AppSettingsTest, OnlyStyles1And2ChangeTheWindow) {
    AppSettings settings;
    settings.windowStyle = "1";
    EXPECT_EQ(WindowStyleOf(settings), WindowStyle::kNormal);
    settings.windowStyle = "3";
    EXPECT_EQ(WindowStyleOf(settings), WindowStyle::kUnchanged);
}

TEST_F(AppSettingsTest, AForenoticeHorizonOutsideTheOfferedRangeIsCut) {
    Write("[Ostrel]\nListForDays=-7\n");
    EXPECT_EQ(LoadAppSettings(file_).listForDays, kNoForenoticeList);
    Write("[Ostrel]\nListForDays=2000000000\n");
    EXPECT_EQ(LoadAppSettings(file_).listForDays, kMaxListForDays);
}

TEST_F(AppSettingsTest, NoticeSwitchesFollowHandEditsWithoutReloading) {
    Write("[Ostrel]\nShowReminderOnForenotice=0\n");
    EXPECT_FALSE(ReadShowReminderOnForenotice(file_));
    Write("[Ostrel]\nShowReminderOnForenotice=1\nShowNotifyWindowOnScreen=0\nPlaySoundOnNotifyWindow=0\n"
          "ShowJieQiOnForenotice=1\nShowJieQiOnRemindWindow=1\n");
    EXPECT_TRUE(ReadShowReminderOnForenotice(file_));
    EXPECT_FALSE(ReadShowNotifyWindowOnScreen(file_));
    EXPECT_FALSE(ReadPlaySoundOnNotifyWindow(file_));
    EXPECT_TRUE(ReadShowJieQiOnForenotice(file_));
    EXPECT_TRUE(ReadShowJieQiOnRemindWindow(file_));
}

TEST_F(AppSettingsTest, SavingKeepsTheRestOfTheFileAndReadsBack) {
    Write("; mine\r\n[GADGETS]\r\nRECT_1=00\r\n[Ostrel]\r\nShowToday = 1\r\n");
    AppSettings settings;
    settings.showToday = 0;
    settings.firstColWeekDay = 1;
    settings.listForDays = 365;
    settings.templateName = "深色";
    settings.windowStyle = "1";
    ASSERT_TRUE(SaveAppSettings(file_, settings));
    const AppSettings read = LoadAppSettings(file_);
    EXPECT_EQ(read.showToday, 0);
    EXPECT_EQ(read.firstColWeekDay, 1);
    EXPECT_EQ(read.listForDays, 365);
    EXPECT_EQ(read.templateName, "深色");
    EXPECT_EQ(read.windowStyle, "1");
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(file_, contents));
    const std::string untouched = "; mine\r\n[GADGETS]\r\nRECT_1=00\r\n[Ostrel]\r\nShowToday = 0\r\n";
    EXPECT_EQ(contents.substr(0, untouched.size()), untouched);
    EXPECT_EQ(ProfileDocument(contents).Find("Ostrel", "ListForDays"), "365");
}

TEST_F(AppSettingsTest, TheSwitchesOfTheListAndOfTheNoticesAreReadAsTheFileHoldsThemNow) {
    EXPECT_FALSE(ReadForenoticeSwitches(file_).showSolarTerms);
    EXPECT_TRUE(ReadNoticeSwitches(file_).showNotifyWindow);
    Write("[Ostrel]\r\nShowReminderOnForenotice=1\r\nShowJieQiOnForenotice=1\r\nShowJieQiOnRemindWindow=1\r\n"
          "ShowNotifyWindowOnScreen=0\r\n");
    const ForenoticeSwitches list = ReadForenoticeSwitches(file_);
    EXPECT_TRUE(list.showReminders);
    EXPECT_TRUE(list.showSolarTerms);
    const NoticeSwitches notices = ReadNoticeSwitches(file_);
    EXPECT_FALSE(notices.showNotifyWindow);
    EXPECT_TRUE(notices.showSolarTerms);
}

TEST_F(AppSettingsTest, ASettingsFileBeyondOneMiBIsDamagedAndReadsAsTheDefaults) {
    EXPECT_FALSE(IsSettingsFileDamaged(file_)) << "a missing file is no damage";
    Write("[Ostrel]\r\nTemplate=Night\r\n" + std::string(kProfileFileLimit, ';'));
    EXPECT_TRUE(IsSettingsFileDamaged(file_));
    EXPECT_EQ(LoadAppSettings(file_).templateName, "");
    EXPECT_FALSE(SaveAppSettings(file_, AppSettings{})) << "never written over";
    Write("[Ostrel]\r\nTemplate=Night\r\n");
    EXPECT_FALSE(IsSettingsFileDamaged(file_));
}

TEST_F(AppSettingsTest, TheMonthIsDrawnWithTheTemplateAndSwitchesOfTheSettings) {
    Write("[Ostrel]\r\nTemplate=Night\r\nShowToday=0\r\nFirstColWeekDay=0\r\nListForDays=7\r\n"
          "ShowHuangLiOnBalloonToolTip=0\r\nShowBalloonTip=0\r\nLockLocation=1\r\n");
    const MonthOptions options =
        MonthOptionsFrom(LoadAppSettings(file_), folder_.string(), ForenoticeSwitches{true, false});
    EXPECT_EQ(options.configPath, SkinConfigPath(folder_.string(), "Night"));
    EXPECT_EQ(options.backgroundPath, SkinBackgroundPath(folder_.string(), "Night"));
    // A damaged template gives way to the shipped one.
    EXPECT_EQ(options.fallbackConfigPath, SkinConfigPath(folder_.string(), "Default"));
    EXPECT_EQ(options.fallbackBackgroundPath, SkinBackgroundPath(folder_.string(), "Default"));
    EXPECT_EQ(options.showToday, 0);
    EXPECT_EQ(options.firstColWeekDay, 7);  // 0 means Sunday
    EXPECT_EQ(options.listForDays, 7);
    EXPECT_EQ(options.showAlmanac, 0);
    EXPECT_EQ(options.showBalloon, 0);
    EXPECT_EQ(options.lockLocation, 1);
    EXPECT_TRUE(options.forenotice.showReminders);
    EXPECT_FALSE(options.forenotice.showSolarTerms);
}

}  // namespace
