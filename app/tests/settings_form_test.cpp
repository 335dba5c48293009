#include "app/settings_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "app/app_settings.h"
#include "base/file_system.h"
#include "base/profile_file.h"
#include "tests/support/scratch_folder.h"

namespace {

class SettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override { file_ = (folder_ / "Solvane.ini").string(); }

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
    const std::pair<const char*, bool> ticks[] = {
        {kShowBalloonTipKey, true},
        {kShowHuangLiOnBalloonToolTipKey, true},
        {kShowTodayKey, true},
        {kShowJieQiOnForenoticeKey, false},
        {kShowReminderOnForenoticeKey, false},
        {kShowNotifyWindowOnScreenKey, true},
        {kPlaySoundOnNotifyWindowKey, true},
        {kShowJieQiOnRemindWindowKey, true},
        {kLockLocationKey, false},
        {kShowPublicHolidaysKey, true},
        {kTrayClickShowsCalendarKey, false},
        {kFollowSystemDarkModeKey, true},
        {kSyncFestivalsKey, true},
        {kSyncBirthdaysKey, true},
        {kSyncAnniversariesKey, true},
        {kSyncRemindersKey, true},
    };
    for (const auto& [key, ticked] : ticks) EXPECT_EQ(form.ticked(key), ticked) << key;
    EXPECT_TRUE(form.autoStart);
    for (const char* list : {kTemplateKey, kWindowStyleKey, kFirstColWeekDayKey, kListForDaysKey,
                             kSystemTrayTemplateKey, kSyncServerKey, kSyncUserKey}) {
        EXPECT_EQ(form.choice(list), "") << list;
    }
    // The sync's calendar and years as a first sync makes them.
    EXPECT_EQ(form.choice(kSyncCalendarKey), "Tavro日历");
    EXPECT_EQ(form.choice(kSyncYearsKey), "3");
}

TEST_F(SettingsFormTest, ConfirmingWritesEveryKeyInTheDialogsOrderAfterTheKeysAlreadyThere) {
    ASSERT_TRUE(
        ReplaceFileAtomically(file_, "[Ostrel]\r\nTemplate=Night\r\nCustom=keep\r\n[GADGETS]\r\nRECT_1=00\r\n"));
    SettingsForm form = ReadSettingsForm(file_, false);
    form.SetTicked(kShowBalloonTipKey, false);
    form.SetChoice(kFirstColWeekDayKey, "1");
    form.SetChoice(kListForDaysKey, "0");
    form.SetTicked(kShowPublicHolidaysKey, false);
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
              "TrayClickShowsCalendar=0\r\n"
              "FollowSystemDarkMode=1\r\n"
              "SyncServer=\r\n"
              "SyncUser=\r\n"
              "SyncCalendar=Tavro日历\r\n"
              "SyncFestivals=1\r\n"
              "SyncBirthdays=1\r\n"
              "SyncAnniversaries=1\r\n"
              "SyncReminders=1\r\n"
              "SyncYears=3\r\n"
              "[GADGETS]\r\n"
              "RECT_1=00\r\n");
    // What was written is what the program then reads.
    const AppSettings settings = LoadAppSettings(file_);
    EXPECT_FALSE(settings.showBalloon);
    EXPECT_EQ(settings.firstColWeekDay, 1);
    EXPECT_EQ(settings.listForDays, 0);
    EXPECT_EQ(settings.templateName, "Night");
    EXPECT_TRUE(settings.showJieQiOnRemindWindow);
}

TEST_F(SettingsFormTest, ConfirmingUntouchedWritesBackEveryKeyAsItWas) {
    const std::string before =
        "[Ostrel]\r\nShowBalloonTip=0\r\nShowHuangLiOnBalloonToolTip=0\r\nTemplate=Night\r\nShowToday=0\r\n"
        "FirstColWeekDay=1\r\nListForDays=7\r\nLockLocation=1\r\nSystemTrayTemplate=蓝色\r\nWindowStyle=2\r\n"
        "PlaySoundOnNotifyWindow=0\r\nShowNotifyWindowOnScreen=0\r\nShowJieQiOnRemindWindow=1\r\n"
        "ShowJieQiOnForenotice=1\r\nShowReminderOnForenotice=1\r\nShowPublicHolidays=0\r\n"
        "ShowHolidayOnForenotice=0\r\nTrayClickShowsCalendar=1\r\nFollowSystemDarkMode=0\r\n"
        "SyncServer=https://dav.example.com/\r\nSyncUser=小明\r\nSyncCalendar=家里\r\nSyncFestivals=0\r\n"
        "SyncBirthdays=1\r\nSyncAnniversaries=0\r\nSyncReminders=1\r\nSyncYears=5\r\n";
    ASSERT_TRUE(ReplaceFileAtomically(file_, before));
    ASSERT_TRUE(WriteSettingsForm(ReadSettingsForm(file_, false), file_));
    const ProfileDocument was(before), is(Contents());
    for (const SettingKey& key : SettingKeys())
        EXPECT_EQ(is.Find(kSettingsSection, key.name), was.Find(kSettingsSection, key.name)) << key.name;
}

TEST_F(SettingsFormTest, AUnicodeFileIsCopiedAwayAndTheUserToldWhy) {
    // Notepad's "Unicode": UTF-16 LE with its mark, holding Template=Night.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[Ostrel]\r\nTemplate=Night\r\n")) utf16 += std::string{c, '\0'};
    ASSERT_TRUE(ReplaceFileAtomically(file_, utf16));
    SettingsFileCopy kept;
    ASSERT_TRUE(WriteSettingsForm(ReadSettingsForm(file_, false), file_, &kept));
    std::string copy;
    ASSERT_TRUE(ReadWholeFile(kept.copy, copy)) << "a dated copy beside the file";
    EXPECT_EQ(copy, utf16);
    EXPECT_NE(Contents().find("Template=Night\r\n"), std::string::npos) << "rewritten as GBK, the value kept";
    const TextAroundFile told = SettingsCopyKeptText(kept.loaded);
    EXPECT_EQ(told.before.rfind("设置已保存。", 0), 0u);
    EXPECT_NE(told.before.find("UTF-16"), std::string::npos);

    SettingsFileCopy again;
    ASSERT_TRUE(WriteSettingsForm(ReadSettingsForm(file_, false), file_, &again));
    EXPECT_TRUE(again.copy.empty()) << "told once: the GBK file needs no copy";
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
    Touch(folder_ / "Ostrel" / "SystemTray" / "RedPage@2x.png");
    Touch(folder_ / "Ostrel" / "SystemTray" / "BlueTile@3x.png");
    Touch(folder_ / "Ostrel" / "SystemTray" / "Mail@Home.png");
    EXPECT_EQ(SkinTemplateNames(folder_.string()), (std::vector<std::string>{"Default", "Night"}));
    EXPECT_EQ(TrayTemplateNames(folder_.string()), (std::vector<std::string>{"BlueTile", "Mail@Home", "RedPage"}));
    EXPECT_TRUE(TrayTemplateNames((folder_ / "none").string()).empty());
}

TEST_F(SettingsFormTest, OffersTemplatesAndTrayStylesUnderTheirDisplayNamesAndStoresTheirOwn) {
    const auto templates = folder_ / "Ostrel" / "Templates";
    const auto tray = folder_ / "Ostrel" / "SystemTray";
    std::filesystem::create_directories(templates / "Default");
    std::filesystem::create_directories(templates / "Night");
    std::filesystem::create_directories(templates / "Plain");
    std::filesystem::create_directories(templates / "Copy");
    std::filesystem::create_directories(tray);
    ASSERT_TRUE(ReplaceFileAtomically(templates / "Default" / "config.ini", "[Settings]\r\nDISPLAY_NAME=经典\r\n"));
    ASSERT_TRUE(ReplaceFileAtomically(templates / "Night" / "config.ini", "[Settings]\r\nDISPLAY_NAME = 夜色 \r\n"));
    ASSERT_TRUE(ReplaceFileAtomically(templates / "Copy" / "config.ini", "[Settings]\r\nDISPLAY_NAME=经典\r\n"));
    ASSERT_TRUE(ReplaceFileAtomically(templates / "Plain" / "config.ini", "[Settings]\r\nDISPLAY_NAME=\r\n"));
    for (const char* file : {"RedPage.png", "RedPage@2x.png", "BlueTile.png"}) Touch(tray / file);
    ASSERT_TRUE(ReplaceFileAtomically(tray / "RedPage.ini", "[Settings]\r\nDISPLAY_NAME=红色日历页\r\n"));

    const auto shown = [](const std::vector<SettingsChoice>& choices) {
        std::string text;
        for (const SettingsChoice& c : choices) text += c.text + "=" + c.value + ";";
        return text;
    };
    // Sorted by stored name; one without a display name (or an empty one) is
    // offered under its own; two under one name are told apart.
    EXPECT_EQ(shown(SkinTemplateChoices(folder_)), "经典（Copy）=Copy;经典（Default）=Default;夜色=Night;Plain=Plain;");
    EXPECT_EQ(shown(TrayTemplateChoices(folder_)), "BlueTile=BlueTile;红色日历页=RedPage;");
    EXPECT_EQ(shown(ChoicesOf(SettingChoices::kTrayTemplates, folder_)), shown(TrayTemplateChoices(folder_)));
}

TEST(ShippedData, EveryTemplateAndTrayStyleHasAChineseName) {
    const std::filesystem::path data = SOLVANE_SOURCE_DIR "/data";
    const std::vector<SettingsChoice> templates = SkinTemplateChoices(data), tray = TrayTemplateChoices(data);
    EXPECT_EQ(templates.size(), 2u);
    EXPECT_EQ(tray.size(), 3u);
    for (const auto* list : {&templates, &tray}) {
        for (const SettingsChoice& choice : *list) {
            EXPECT_NE(choice.text, choice.value);
            EXPECT_TRUE(static_cast<unsigned char>(choice.text[0]) >= 0x81) << choice.value;  // GBK, not Latin
        }
    }
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

const SettingKey& KeyNamed(const char* name) {
    const SettingKey* key = FindSettingKey(name);
    EXPECT_NE(key, nullptr) << name;
    return key ? *key : SettingKeys().front();
}

TEST(SettingsEnabling, FollowsTheBalloonAndTheNotificationWindow) {
    const char* const dependents[] = {kShowHuangLiOnBalloonToolTipKey, kPlaySoundOnNotifyWindowKey,
                                      kShowJieQiOnRemindWindowKey};
    SettingsForm form;
    for (const char* key : dependents) EXPECT_TRUE(EnabledIn(form, KeyNamed(key))) << key;
    form.SetTicked(kShowBalloonTipKey, false);
    form.SetTicked(kShowNotifyWindowOnScreenKey, false);
    for (const char* key : dependents) EXPECT_FALSE(EnabledIn(form, KeyNamed(key))) << key;
    EXPECT_TRUE(EnabledIn(form, KeyNamed(kShowTodayKey)));
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
    EXPECT_NE(ChoiceIndex(ChoicesOf(SettingChoices::kSkinTemplates, data), form.choice(kTemplateKey)), -1);
    EXPECT_NE(ChoiceIndex(ChoicesOf(SettingChoices::kTrayTemplates, data), form.choice(kSystemTrayTemplateKey)), -1);
    EXPECT_EQ(ChoiceIndex(WindowTypeChoices(), form.choice(kWindowStyleKey)), 0) << "默认窗口";
    EXPECT_EQ(ChoiceIndex(FirstWeekdayChoices(), form.choice(kFirstColWeekDayKey)), 6) << "星期日";
    EXPECT_EQ(form.choice(kListForDaysKey), "30");

    const AppSettings defaults;
    const AppSettings loaded = LoadAppSettings(shipped);
    EXPECT_EQ(loaded.firstColWeekDay, defaults.firstColWeekDay);
    EXPECT_EQ(loaded.listForDays, defaults.listForDays);
    EXPECT_EQ(WindowStyleOf(loaded), WindowStyle::kNormal);
    for (const SettingKey& key : SettingKeys()) {
        if (key.type != SettingType::kSwitch) continue;
        if (key.control != 0) {
            EXPECT_EQ(form.ticked(key.name), loaded.*key.flag) << key.name;
        }
        EXPECT_EQ(ReadSwitchNow(shipped, key.name), loaded.*key.flag) << key.name;
        EXPECT_EQ(loaded.*key.flag, defaults.*key.flag) << key.name;
    }
}
