#include "app/app_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <iterator>

#include "base/data_paths.h"
#include "base/file_path.h"
#include "base/file_system.h"
#include "base/profile_file.h"
#include "tests/support/scratch_folder.h"

namespace {

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { file_ = SettingsFilePath(folder_); }
    void Write(const std::string& contents) { ASSERT_TRUE(ReplaceFileAtomically(file_, contents)); }

    ScratchFolder scratch_{"solvane-settings-"};
    const std::filesystem::path& folder_ = scratch_.path();
    std::filesystem::path file_;
};

TEST_F(AppSettingsTest, WithoutAFileEverySettingHasItsDefault) {
    const AppSettings settings = LoadAppSettings(file_);
    EXPECT_TRUE(settings.showBalloon);
    EXPECT_TRUE(settings.showBalloonAlmanac);
    EXPECT_EQ(settings.templateName, "");
    EXPECT_TRUE(settings.showToday);
    EXPECT_EQ(FirstColumnWeekday(settings), 7);
    EXPECT_EQ(settings.listForDays, 30);
    EXPECT_FALSE(settings.lockLocation);
    EXPECT_EQ(settings.systemTrayTemplate, "");
    EXPECT_EQ(WindowStyleOf(settings), WindowStyle::kUnchanged);
    EXPECT_TRUE(settings.playSoundOnNotifyWindow);
    EXPECT_TRUE(settings.showNotifyWindowOnScreen);
    EXPECT_FALSE(settings.showJieQiOnRemindWindow);
    EXPECT_FALSE(settings.showJieQiOnForenotice);
    EXPECT_FALSE(settings.showReminderOnForenotice);
    EXPECT_TRUE(ReadSwitchNow(file_, kShowNotifyWindowOnScreenKey));
    EXPECT_TRUE(ReadSwitchNow(file_, kPlaySoundOnNotifyWindowKey));
    EXPECT_FALSE(ReadSwitchNow(file_, kShowReminderOnForenoticeKey));
    EXPECT_FALSE(ReadSwitchNow(file_, kShowJieQiOnForenoticeKey));
    EXPECT_FALSE(ReadSwitchNow(file_, kShowJieQiOnRemindWindowKey));
    EXPECT_FALSE(std::filesystem::exists(file_));  // reading never creates the file
}

TEST_F(AppSettingsTest, EveryKeyIsReadFromSectionOstrel) {
    Write(
        "[Ostrel]\r\nShowBalloonTip=0\r\nShowHuangLiOnBalloonToolTip=0\r\nTemplate=%module_path%\\x\r\n"
        "ShowToday=0\r\nFirstColWeekDay=1\r\nListForDays=-1\r\nLockLocation=1\r\nSystemTrayTemplate=红色\r\n"
        "WindowStyle=2\r\nPlaySoundOnNotifyWindow=0\r\nShowNotifyWindowOnScreen=0\r\n"
        "ShowJieQiOnRemindWindow=1\r\nShowJieQiOnForenotice=1\r\nShowReminderOnForenotice=1\r\n");
    const AppSettings s = LoadAppSettings(file_);
    EXPECT_EQ(s.showBalloon + s.showBalloonAlmanac + s.showToday, 0);
    EXPECT_EQ(s.templateName, GbkFromPath(ModuleFolder()).value() + "\\x");
    EXPECT_EQ(FirstColumnWeekday(s), 1);
    EXPECT_EQ(s.listForDays, kNoForenoticeList);
    EXPECT_TRUE(s.lockLocation);
    EXPECT_EQ(s.systemTrayTemplate, "红色");
    EXPECT_EQ(WindowStyleOf(s), WindowStyle::kEmbedded);
    EXPECT_EQ(s.playSoundOnNotifyWindow + s.showNotifyWindowOnScreen, 0);
    EXPECT_EQ(s.showJieQiOnRemindWindow + s.showJieQiOnForenotice + s.showReminderOnForenotice, 3);
}

// Solvane.ini files written by earlier versions keep their meaning: every key
// keeps its name, its form in the file, its default and its limits.
TEST(SettingKeys, AreTheKeysEarlierVersionsWrote) {
    struct Expected {
        const char* name;
        SettingType type;
        int byDefault, least, most;
    };
    const Expected expected[] = {
        {"ShowReminderOnForenotice", SettingType::kSwitch, 0, 0, 0},
        {"ShowJieQiOnRemindWindow", SettingType::kSwitch, 0, 0, 0},
        {"PlaySoundOnNotifyWindow", SettingType::kSwitch, 1, 0, 0},
        {"ShowNotifyWindowOnScreen", SettingType::kSwitch, 1, 0, 0},
        {"ShowJieQiOnForenotice", SettingType::kSwitch, 0, 0, 0},
        {"ShowBalloonTip", SettingType::kSwitch, 1, 0, 0},
        {"ShowHuangLiOnBalloonToolTip", SettingType::kSwitch, 1, 0, 0},
        {"Template", SettingType::kText, 0, 0, 0},
        {"WindowStyle", SettingType::kText, 0, 0, 0},
        {"ShowToday", SettingType::kSwitch, 1, 0, 0},
        {"LockLocation", SettingType::kSwitch, 0, 0, 0},
        {"FirstColWeekDay", SettingType::kNumber, 7, INT_MIN, INT_MAX},
        {"ListForDays", SettingType::kNumber, 30, -1, 3660},
        {"SystemTrayTemplate", SettingType::kText, 0, 0, 0},
        {"ShowPublicHolidays", SettingType::kSwitch, 1, 0, 0},
        {"TrayClickShowsCalendar", SettingType::kSwitch, 0, 0, 0},
        {"FollowSystemDarkMode", SettingType::kSwitch, 1, 0, 0},
        {"SyncServer", SettingType::kText, 0, 0, 0},
        {"SyncUser", SettingType::kText, 0, 0, 0},
        {"SyncCalendar", SettingType::kText, 0, 0, 0},
        {"SyncFestivals", SettingType::kSwitch, 1, 0, 0},
        {"SyncBirthdays", SettingType::kSwitch, 1, 0, 0},
        {"SyncAnniversaries", SettingType::kSwitch, 1, 0, 0},
        {"SyncReminders", SettingType::kSwitch, 1, 0, 0},
        {"SyncYears", SettingType::kNumber, 3, 1, 20},
        {"ShowHolidayOnForenotice", SettingType::kSwitch, 1, 0, 0},
        {"KeepCalendarFileUpdated", SettingType::kSwitch, 0, 0, 0},
        {"CalendarFile", SettingType::kText, 0, 0, 0},
        {"CalendarFileYears", SettingType::kNumber, 11, 1, 100},
        {"CalendarFileFestivals", SettingType::kSwitch, 1, 0, 0},
        {"CalendarFileOwnFestivalsOnly", SettingType::kSwitch, 1, 0, 0},
        {"CalendarFileReminders", SettingType::kSwitch, 1, 0, 0},
        {"CalendarFileSolarTerms", SettingType::kSwitch, 0, 0, 0},
    };
    ASSERT_EQ(SettingKeys().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const SettingKey& key = SettingKeys()[i];
        EXPECT_STREQ(key.name, expected[i].name);
        EXPECT_EQ(key.type, expected[i].type) << key.name;
        EXPECT_EQ(key.byDefault, expected[i].byDefault) << key.name;
        EXPECT_EQ(key.least, expected[i].least) << key.name;
        EXPECT_EQ(key.most, expected[i].most) << key.name;
        // Each key is kept where the program reads it, in one place only.
        const int places = (key.text != nullptr) + (key.number != nullptr) + (key.flag != nullptr);
        EXPECT_EQ(places, 1) << key.name;
        EXPECT_TRUE(key.type == SettingType::kText     ? key.text != nullptr
                    : key.type == SettingType::kSwitch ? key.flag != nullptr
                                                       : key.number != nullptr)
            << key.name;
    }
}

TEST_F(AppSettingsTest, EveryKeyIsWrittenAndReadBackAsItWas) {
    AppSettings written;
    int n = 0;
    for (const SettingKey& key : SettingKeys()) {
        ++n;
        if (key.type == SettingType::kText)
            written.*key.text = std::string("值") + key.name;
        else if (key.type == SettingType::kSwitch)
            written.*key.flag = key.byDefault == 0;
        else
            written.*key.number = std::clamp(n, key.least, key.most);  // a value each key takes
    }
    ASSERT_TRUE(SaveAppSettings(file_, written));
    const AppSettings read = LoadAppSettings(file_);
    for (const SettingKey& key : SettingKeys()) {
        if (key.type == SettingType::kText) {
            EXPECT_EQ(read.*key.text, written.*key.text) << key.name;
        } else if (key.type == SettingType::kSwitch) {
            EXPECT_EQ(read.*key.flag, written.*key.flag) << key.name;
        } else {
            EXPECT_EQ(read.*key.number, written.*key.number) << key.name;
        }
    }
}

// 保持更新 comes back after a restart as the export dialog left it; a file
// whose name Solvane.ini cannot hold is refused rather than kept as another.
TEST_F(AppSettingsTest, TheCalendarFileKeptUpToDateIsRememberedWithItsChoices) {
    EXPECT_FALSE(IcsSubscriptionOf(LoadAppSettings(file_)).keepUpdated) << "off until the dialog turns it on";
    IcsSubscription kept;
    kept.keepUpdated = true;
    kept.file = folder_ / PathFromGbk("同步\\Tavro日历.ics");
    kept.choices.years = 3;
    kept.choices.ownFestivalsOnly = false;
    kept.choices.solarTerms = true;
    Write("[Ostrel]\r\nTemplate=Night\r\n");
    ASSERT_TRUE(SaveIcsSubscription(file_, kept));
    const AppSettings settings = LoadAppSettings(file_);
    EXPECT_EQ(settings.templateName, "Night") << "the other keys stay";
    EXPECT_EQ(ProfileGetString(kSettingsSection, kShowTodayKey, "none", file_), "none") << "and none is added";
    const IcsSubscription read = IcsSubscriptionOf(settings);
    EXPECT_TRUE(read.keepUpdated);
    EXPECT_EQ(read.file, kept.file);
    EXPECT_EQ(read.choices.years, 3);
    EXPECT_TRUE(read.choices.festivals && read.choices.reminders && read.choices.solarTerms);
    EXPECT_FALSE(read.choices.ownFestivalsOnly);

    IcsSubscription foreign = kept;
    foreign.file = folder_ / std::filesystem::u8path(u8"한글.ics");
    EXPECT_FALSE(SaveIcsSubscription(file_, foreign));
    EXPECT_EQ(IcsSubscriptionOf(LoadAppSettings(file_)).file, kept.file) << "the settings stay as they were";

    Write("[Ostrel]\r\nKeepCalendarFileUpdated=1\r\nCalendarFileYears=500\r\n");
    const IcsSubscription handEdited = IcsSubscriptionOf(LoadAppSettings(file_));
    EXPECT_FALSE(handEdited.keepUpdated) << "no file named, nothing to keep";
    EXPECT_EQ(handEdited.choices.years, 100);
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
    EXPECT_FALSE(ReadSwitchNow(file_, kShowReminderOnForenoticeKey));
    Write(
        "[Ostrel]\nShowReminderOnForenotice=1\nShowNotifyWindowOnScreen=0\nPlaySoundOnNotifyWindow=0\n"
        "ShowJieQiOnForenotice=1\nShowJieQiOnRemindWindow=1\n");
    EXPECT_TRUE(ReadSwitchNow(file_, kShowReminderOnForenoticeKey));
    EXPECT_FALSE(ReadSwitchNow(file_, kShowNotifyWindowOnScreenKey));
    EXPECT_FALSE(ReadSwitchNow(file_, kPlaySoundOnNotifyWindowKey));
    EXPECT_TRUE(ReadSwitchNow(file_, kShowJieQiOnForenoticeKey));
    EXPECT_TRUE(ReadSwitchNow(file_, kShowJieQiOnRemindWindowKey));
}

TEST_F(AppSettingsTest, SavingKeepsTheRestOfTheFileAndReadsBack) {
    Write("; mine\r\n[GADGETS]\r\nRECT_1=00\r\n[Ostrel]\r\nShowToday = 1\r\n");
    AppSettings settings;
    settings.showToday = false;
    settings.firstColWeekDay = 1;
    settings.listForDays = 365;
    settings.templateName = "深色";
    settings.windowStyle = "1";
    ASSERT_TRUE(SaveAppSettings(file_, settings));
    const AppSettings read = LoadAppSettings(file_);
    EXPECT_FALSE(read.showToday);
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
    Write(
        "[Ostrel]\r\nShowReminderOnForenotice=1\r\nShowJieQiOnForenotice=1\r\nShowJieQiOnRemindWindow=1\r\n"
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
    Write(
        "[Ostrel]\r\nTemplate=Night\r\nShowToday=0\r\nFirstColWeekDay=0\r\nListForDays=7\r\n"
        "ShowHuangLiOnBalloonToolTip=0\r\nShowBalloonTip=0\r\nLockLocation=1\r\n");
    const MonthOptions options =
        MonthOptionsFrom(LoadAppSettings(file_), folder_.string(), ForenoticeSwitches{true, false});
    EXPECT_EQ(options.configPath, SkinConfigPath(folder_.string(), "Night"));
    EXPECT_EQ(options.backgroundPath, SkinBackgroundPath(folder_.string(), "Night"));
    // A damaged template gives way to the shipped one.
    EXPECT_EQ(options.fallbackConfigPath, SkinConfigPath(folder_.string(), "Default"));
    EXPECT_EQ(options.fallbackBackgroundPath, SkinBackgroundPath(folder_.string(), "Default"));
    EXPECT_FALSE(options.showToday);
    EXPECT_EQ(options.firstColWeekDay, 7);  // 0 means Sunday
    EXPECT_EQ(options.listForDays, 7);
    EXPECT_FALSE(options.showBalloonAlmanac);
    EXPECT_FALSE(options.showBalloon);
    EXPECT_TRUE(options.lockLocation);
    EXPECT_TRUE(options.forenotice.showReminders);
    EXPECT_FALSE(options.forenotice.showSolarTerms);
}

TEST_F(AppSettingsTest, ADarkDesktopShowsTheNightLookWithoutTouchingTheChoices) {
    Write("[Ostrel]\r\nTemplate=Default\r\nSystemTrayTemplate=RedPage\r\n");
    const AppSettings chosen = LoadAppSettings(file_);
    EXPECT_TRUE(chosen.followSystemDarkMode) << "on by default";
    EXPECT_FALSE(chosen.trayClickShowsCalendar) << "the tray's left click only brings the program forward";
    struct Case {
        int follow;
        bool dark;
        const char* templateName;
        const char* trayTemplate;
    };
    const Case cases[] = {
        {1, true, "Night", "NightMoon"},
        {1, false, "Default", "RedPage"},
        {0, true, "Default", "RedPage"},
    };
    for (const Case& c : cases) {
        AppSettings settings = chosen;
        settings.followSystemDarkMode = c.follow;
        const AppSettings shown = ShownSettings(settings, c.dark);
        EXPECT_EQ(shown.templateName, c.templateName) << c.follow << c.dark;
        EXPECT_EQ(shown.systemTrayTemplate, c.trayTemplate) << c.follow << c.dark;
    }
}

}  // namespace
