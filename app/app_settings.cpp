#include "app/app_settings.h"

#include <algorithm>

#include "base/data_paths.h"
#include "base/profile_file.h"

namespace {

// Int keys with their defaults, in the order the fields are declared.
struct IntKey {
    const char* name;
    int AppSettings::*field;
};
constexpr IntKey kIntKeys[] = {
    {kShowBalloonTipKey, &AppSettings::showBalloonTip},
    {kShowHuangLiOnBalloonToolTipKey, &AppSettings::showHuangLiOnBalloonToolTip},
    {kShowTodayKey, &AppSettings::showToday},
    {kFirstColWeekDayKey, &AppSettings::firstColWeekDay},
    {kListForDaysKey, &AppSettings::listForDays},
    {kLockLocationKey, &AppSettings::lockLocation},
    {kPlaySoundOnNotifyWindowKey, &AppSettings::playSoundOnNotifyWindow},
    {kShowNotifyWindowOnScreenKey, &AppSettings::showNotifyWindowOnScreen},
    {kShowJieQiOnRemindWindowKey, &AppSettings::showJieQiOnRemindWindow},
    {kShowJieQiOnForenoticeKey, &AppSettings::showJieQiOnForenotice},
    {kShowReminderOnForenoticeKey, &AppSettings::showReminderOnForenotice},
    {kShowPublicHolidaysKey, &AppSettings::showPublicHolidays},
    {kShowHolidayOnForenoticeKey, &AppSettings::showHolidayOnForenotice},
};

struct StringKey {
    const char* name;
    std::string AppSettings::*field;
};
constexpr StringKey kStringKeys[] = {
    {kTemplateKey, &AppSettings::templateName},
    {kSystemTrayTemplateKey, &AppSettings::systemTrayTemplate},
    {kWindowStyleKey, &AppSettings::windowStyle},
};

bool ReadSwitch(const std::string& settings_file, const char* key, int AppSettings::*field) {
    return ProfileGetInt(kSettingsSection, key, AppSettings{}.*field, settings_file) != 0;
}

}  // namespace

AppSettings LoadAppSettings(const std::string& settings_file) {
    ProfileDocument document;
    document.Load(settings_file);
    AppSettings settings;
    for (const IntKey& key : kIntKeys)
        settings.*key.field = ProfileGetInt(kSettingsSection, key.name, settings.*key.field, document);
    for (const StringKey& key : kStringKeys)
        settings.*key.field = ProfileGetString(kSettingsSection, key.name, settings.*key.field, document);
    settings.listForDays = std::clamp(settings.listForDays, kNoForenoticeList, kMaxListForDays);
    return settings;
}

bool IsSettingsFileDamaged(const std::string& settings_file) {
    std::string contents;
    const FileRead read = ReadFileWithin(settings_file, kProfileFileLimit, contents);
    return read == FileRead::kTooLarge || read == FileRead::kUnreadable;
}

bool SaveAppSettings(const std::string& settings_file, const AppSettings& settings) {
    return UpdateProfileFile(settings_file, [&](ProfileDocument& document) {
        bool ok = true;
        for (const IntKey& key : kIntKeys)
            ok = ProfilePutInt(kSettingsSection, key.name, settings.*key.field, document) && ok;
        for (const StringKey& key : kStringKeys)
            ok = ProfilePutString(kSettingsSection, key.name, settings.*key.field, document) && ok;
        return ok;
    });
}

bool ReadShowReminderOnForenotice(const std::string& settings_file) {
    return ReadSwitch(settings_file, kShowReminderOnForenoticeKey, &AppSettings::showReminderOnForenotice);
}
bool ReadShowJieQiOnForenotice(const std::string& settings_file) {
    return ReadSwitch(settings_file, kShowJieQiOnForenoticeKey, &AppSettings::showJieQiOnForenotice);
}
bool ReadShowHolidayOnForenotice(const std::string& settings_file) {
    return ReadSwitch(settings_file, kShowHolidayOnForenoticeKey, &AppSettings::showHolidayOnForenotice);
}
bool ReadShowNotifyWindowOnScreen(const std::string& settings_file) {
    return ReadSwitch(settings_file, kShowNotifyWindowOnScreenKey, &AppSettings::showNotifyWindowOnScreen);
}
bool ReadShowJieQiOnRemindWindow(const std::string& settings_file) {
    return ReadSwitch(settings_file, kShowJieQiOnRemindWindowKey, &AppSettings::showJieQiOnRemindWindow);
}
bool ReadPlaySoundOnNotifyWindow(const std::string& settings_file) {
    return ReadSwitch(settings_file, kPlaySoundOnNotifyWindowKey, &AppSettings::playSoundOnNotifyWindow);
}

ForenoticeSwitches ReadForenoticeSwitches(const std::string& settings_file) {
    return ForenoticeSwitches{ReadShowReminderOnForenotice(settings_file), ReadShowJieQiOnForenotice(settings_file),
                              ReadShowHolidayOnForenotice(settings_file)};
}

NoticeSwitches ReadNoticeSwitches(const std::string& settings_file) {
    return NoticeSwitches{ReadShowNotifyWindowOnScreen(settings_file), ReadShowJieQiOnRemindWindow(settings_file)};
}

MonthOptions MonthOptionsFrom(const AppSettings& settings, std::string_view module_folder,
                              const ForenoticeSwitches& forenotice) {
    MonthOptions options;
    options.backgroundPath = SkinBackgroundPath(module_folder, settings.templateName);
    options.configPath = SkinConfigPath(module_folder, settings.templateName);
    options.fallbackBackgroundPath = SkinBackgroundPath(module_folder, kShippedTemplateName);
    options.fallbackConfigPath = SkinConfigPath(module_folder, kShippedTemplateName);
    options.showToday = settings.showToday;
    options.firstColWeekDay = FirstColumnWeekday(settings);
    options.listForDays = settings.listForDays;
    options.showAlmanac = settings.showHuangLiOnBalloonToolTip;
    options.showBalloon = settings.showBalloonTip;
    options.lockLocation = settings.lockLocation;
    options.showPublicHolidays = settings.showPublicHolidays;
    options.forenotice = forenotice;
    return options;
}

int FirstColumnWeekday(const AppSettings& settings) {
    const int weekday = (settings.firstColWeekDay % 7 + 7) % 7;
    return weekday == 0 ? 7 : weekday;
}

WindowStyle WindowStyleOf(const AppSettings& settings) {
    if (settings.windowStyle == "1") return WindowStyle::kNormal;
    if (settings.windowStyle == "2") return WindowStyle::kEmbedded;
    return WindowStyle::kUnchanged;
}
