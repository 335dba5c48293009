#include "app/settings_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app_settings.h"
#include "base/file_system.h"
#include "base/profile_file.h"
#include "tests/support/scratch_folder.h"

namespace {

class SettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = (folder_ / "Solvane.ini").string();
    }

    std::string Contents() const {
        std::string contents;
        ReadWholeFile(file_, contents);
        return contents;
    }
    void Touch(const std::filesystem::path& path) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path.string()) << "x";
    }

    ScratchFolder scratch_{"solvane-settings-"};
    const std::filesystem::path& folder_ = scratch_.path();
    std::string file_;
};

TEST_F(SettingsFormTest, AMissingFileShowsTheDialogsDefaultsAndNothingChosen) {
    const SettingsForm form = ReadSettingsForm(file_, true);
    EXPECT_TRUE(form.showBalloonTip);
    EXPECT_TRUE(form.showHuangLiOnBalloonToolTip);
    EXPECT_TRUE(form.showToday);
    EXPECT_FALSE(form.showJieQiOnForenotice);
    EXPECT_FALSE(form.showReminderOnForenotice);
    EXPECT_TRUE(form.showNotifyWindowOnScreen);
    EXPECT_TRUE(form.playSoundOnNotifyWindow);
    EXPECT_TRUE(form.showJieQiOnRemindWindow);
    EXPECT_FALSE(form.lockLocation);
    EXPECT_TRUE(form.showPublicHolidays);
    EXPECT_TRUE(form.autoStart);
    EXPECT_EQ(form.templateName + form.windowStyle + form.firstColWeekDay + form.listForDays +
                  form.systemTrayTemplate,
              "");
}

TEST_F(SettingsFormTest, ConfirmingWritesEveryKeyInTheDialogsOrderAfterTheKeysAlreadyThere) {
    ASSERT_TRUE(ReplaceFileAtomically(file_, "[Ostrel]\r\nTemplate=Night\r\nCustom=keep\r\n[GADGETS]\r\nRECT_1=00\r\n"));
    SettingsForm form = ReadSettingsForm(file_, false);
    form.showBalloonTip = false;
    form.firstColWeekDay = "1";
    form.listForDays = "0";
    form.showPublicHolidays = false;
    ASSERT_TRUE(WriteSettingsForm(form, file_));
    EXPECT_EQ(Contents(),
              "[Ostrel]\r\n"
              "Template=Night\r\n"
              "Custom=keep\r\n"
              "ShowReminderOnForenotice=0\r\n"
              "ShowJieQiOnRemindWindow=1\r\n"
              "PlaySoundOnNotifyWindow=1\r\n"
              "ShowNotifyWindowOnScreen=1\r\n"
              "ShowJieQiOnForenotice=0\r\n"
              "ShowBalloonTip=0\r\n"
              "ShowHuangLiOnBalloonToolTip=1\r\n"
              "WindowStyle=\r\n"
              "ShowToday=1\r\n"
              "LockLocation=0\r\n"
              "FirstColWeekDay=1\r\n"
              "ListForDays=0\r\n"
              "SystemTrayTemplate=\r\n"
              "ShowPublicHolidays=0\r\n"
              "[GADGETS]\r\n"
              "RECT_1=00\r\n");
    // What was written is what the program then reads.
    const AppSettings settings = LoadAppSettings(file_);
    EXPECT_EQ(settings.showBalloonTip, 0);
    EXPECT_EQ(settings.firstColWeekDay, 1);
    EXPECT_EQ(settings.listForDays, 0);
    EXPECT_EQ(settings.templateName, "Night");
    EXPECT_EQ(settings.showJieQiOnRemindWindow, 1);
}

TEST_F(SettingsFormTest, AFileThatCannotBeWrittenIsReported) {
    const std::string nowhere = (folder_ / "missing" / "Solvane.ini").string();
    EXPECT_FALSE(WriteSettingsForm(SettingsForm(), nowhere));
}

TEST_F(SettingsFormTest, ListsTheTemplateFoldersAndTheTrayPictures) {
    std::filesystem::create_directories(folder_ / "Ostrel" / "Templates" / "Night");
    std::filesystem::create_directories(folder_ / "Ostrel" / "Templates" / "Default");
    Touch(folder_ / "Ostrel" / "Templates" / "readme.txt");
    Touch(folder_ / "Ostrel" / "SystemTray" / "RedPage.png");
    Touch(folder_ / "Ostrel" / "SystemTray" / "RedPage.ini");
    Touch(folder_ / "Ostrel" / "SystemTray" / "BlueTile.PNG");
    EXPECT_EQ(SkinTemplateNames(folder_.string()), (std::vector<std::string>{"Default", "Night"}));
    EXPECT_EQ(TrayTemplateNames(folder_.string()), (std::vector<std::string>{"BlueTile", "RedPage"}));
    EXPECT_TRUE(TrayTemplateNames((folder_ / "none").string()).empty());
}

TEST(SettingsChoices, StoreTheNumbersTheProgramReads) {
    const auto weekdays = FirstWeekdayChoices();
    ASSERT_EQ(weekdays.size(), 7u);
    EXPECT_EQ(weekdays.front().text + weekdays.front().value, "星期一1");
    EXPECT_EQ(weekdays.back().text + weekdays.back().value, "星期日7");
    const auto days = ForenoticeDayChoices();
    ASSERT_EQ(days.size(), 367u);
    EXPECT_EQ(days[0].text + "=" + days[0].value, "不显示=-1");
    EXPECT_EQ(days[1].text + "=" + days[1].value, "仅显示当天=0");
    EXPECT_EQ(days.back().text + "=" + days.back().value, "365天=365");
    EXPECT_EQ(ChoiceIndex(days, "30"), 31);
    EXPECT_EQ(ChoiceIndex(days, "400"), -1);
    EXPECT_EQ(ChoiceIndex(WindowTypeChoices(), "2"), 1);
    EXPECT_EQ(WindowTypeChoices()[1].text, "嵌入桌面");
}

TEST(SettingsEnabling, FollowsTheBalloonAndTheNotificationWindow) {
    SettingsForm form;
    form.showBalloonTip = false;
    form.showNotifyWindowOnScreen = false;
    const SettingsEnabling off = EnablingOf(form);
    EXPECT_FALSE(off.showHuangLiOnBalloonToolTip);
    EXPECT_FALSE(off.playSoundOnNotifyWindow);
    EXPECT_FALSE(off.showJieQiOnRemindWindow);
    const SettingsEnabling on = EnablingOf(SettingsForm());
    EXPECT_TRUE(on.showHuangLiOnBalloonToolTip && on.playSoundOnNotifyWindow && on.showJieQiOnRemindWindow);
}

TEST(AutoStartChange, TouchesTheRunKeyOnlyWhenTheBoxChanged) {
    EXPECT_EQ(AutoStartChangeOf(true, true), AutoStartChange::kNone);
    EXPECT_EQ(AutoStartChangeOf(false, false), AutoStartChange::kNone);
    EXPECT_EQ(AutoStartChangeOf(false, true), AutoStartChange::kSet);
    EXPECT_EQ(AutoStartChangeOf(true, false), AutoStartChange::kClear);
}

}  // namespace

// A new user opening 设置 sees the settings in force: every list has a choice
// and every box shows what the program does with the shipped file.
TEST(ShippedSettings, ShowEveryChoiceOfTheDialogAtTheValueInForce) {
    const std::string shipped = std::string(SOLVANE_SOURCE_DIR) + "/data/Solvane.ini";
    const SettingsForm form = ReadSettingsForm(shipped, false);
    const std::string data = std::string(SOLVANE_SOURCE_DIR) + "/data";
    EXPECT_NE(ChoiceIndex(NameChoices(SkinTemplateNames(data)), form.templateName), -1);
    EXPECT_NE(ChoiceIndex(NameChoices(TrayTemplateNames(data)), form.systemTrayTemplate), -1);
    EXPECT_EQ(ChoiceIndex(WindowTypeChoices(), form.windowStyle), 0) << "默认窗口";
    EXPECT_EQ(ChoiceIndex(FirstWeekdayChoices(), form.firstColWeekDay), 6) << "星期日";
    EXPECT_EQ(form.listForDays, "30");

    const AppSettings defaults;
    const AppSettings loaded = LoadAppSettings(shipped);
    EXPECT_EQ(loaded.firstColWeekDay, defaults.firstColWeekDay);
    EXPECT_EQ(loaded.listForDays, defaults.listForDays);
    EXPECT_EQ(WindowStyleOf(loaded), WindowStyle::kNormal);
    EXPECT_EQ(form.showBalloonTip, defaults.showBalloonTip != 0);
    EXPECT_EQ(form.showHuangLiOnBalloonToolTip, defaults.showHuangLiOnBalloonToolTip != 0);
    EXPECT_EQ(form.showToday, defaults.showToday != 0);
    EXPECT_EQ(form.lockLocation, defaults.lockLocation != 0);
    EXPECT_EQ(form.playSoundOnNotifyWindow, ReadPlaySoundOnNotifyWindow(shipped));
    EXPECT_EQ(form.showNotifyWindowOnScreen, ReadShowNotifyWindowOnScreen(shipped));
    EXPECT_EQ(form.showJieQiOnRemindWindow, ReadShowJieQiOnRemindWindow(shipped));
    EXPECT_EQ(form.showJieQiOnForenotice, ReadShowJieQiOnForenotice(shipped));
    EXPECT_EQ(form.showReminderOnForenotice, ReadShowReminderOnForenotice(shipped));
    EXPECT_EQ(form.showPublicHolidays, defaults.showPublicHolidays != 0);
    EXPECT_EQ(ReadShowHolidayOnForenotice(shipped), defaults.showHolidayOnForenotice != 0);
}
