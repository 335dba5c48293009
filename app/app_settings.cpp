#include "app/app_settings.h"

#include <algorithm>
#include <climits>

#include "base/data_paths.h"
#include "base/file_path.h"
#include "base/profile_file.h"
#include "caldav/calendar_sync.h"
#include "resources/settings_dialog_ids.h"

namespace {

constexpr SettingKey Switch(const char* name, int byDefault, bool AppSettings::*field, int control, bool shownTicked,
                            const char* enabledBy = nullptr) {
    return {name,      SettingType::kSwitch,  byDefault, 0, 0, nullptr, field, nullptr, control, shownTicked,
            enabledBy, SettingChoices::kNone, nullptr};
}

constexpr SettingKey Number(const char* name, int byDefault, int least, int most, int AppSettings::*field, int control,
                            SettingChoices choices, const char* shownText = nullptr) {
    return {name,      SettingType::kNumber,
            byDefault, least,
            most,      field,
            nullptr,   nullptr,
            control,   false,
            nullptr,   choices,
            shownText};
}

constexpr SettingKey Text(const char* name, std::string AppSettings::*field, int control, SettingChoices choices,
                          const char* byDefault = nullptr) {
    return {name, SettingType::kText, 0, 0, 0, nullptr, nullptr, field, control, false, nullptr, choices, byDefault};
}

}  // namespace

// The dialog shows 提醒节气 ticked for a missing key, while the daily notice
// takes a missing key as off; both agree once the dialog has been confirmed.
const std::vector<SettingKey>& SettingKeys() {
    static const std::vector<SettingKey> keys = {
        Switch(kShowReminderOnForenoticeKey, 0, &AppSettings::showReminderOnForenotice, IDC_SET_LIST_REMINDERS, false),
        Switch(kShowJieQiOnRemindWindowKey, 0, &AppSettings::showJieQiOnRemindWindow, IDC_SET_NOTIFY_SOLAR_TERMS, true,
               kShowNotifyWindowOnScreenKey),
        Switch(kPlaySoundOnNotifyWindowKey, 1, &AppSettings::playSoundOnNotifyWindow, IDC_SET_NOTIFY_SOUND, true,
               kShowNotifyWindowOnScreenKey),
        Switch(kShowNotifyWindowOnScreenKey, 1, &AppSettings::showNotifyWindowOnScreen, IDC_SET_NOTIFY_WINDOW, true),
        Switch(kShowJieQiOnForenoticeKey, 0, &AppSettings::showJieQiOnForenotice, IDC_SET_LIST_SOLAR_TERMS, false),
        Switch(kShowBalloonTipKey, 1, &AppSettings::showBalloon, IDC_SET_SHOW_BALLOON, true),
        Switch(kShowHuangLiOnBalloonToolTipKey, 1, &AppSettings::showBalloonAlmanac, IDC_SET_BALLOON_ALMANAC, true,
               kShowBalloonTipKey),
        Text(kTemplateKey, &AppSettings::templateName, IDC_SET_TEMPLATE, SettingChoices::kSkinTemplates),
        Text(kWindowStyleKey, &AppSettings::windowStyle, IDC_SET_WINDOW_TYPE, SettingChoices::kWindowTypes),
        Switch(kShowTodayKey, 1, &AppSettings::showToday, IDC_SET_SHOW_TODAY, true),
        Switch(kLockLocationKey, 0, &AppSettings::lockLocation, IDC_SET_LOCK_LOCATION, false),
        Number(kFirstColWeekDayKey, 7, INT_MIN, INT_MAX, &AppSettings::firstColWeekDay, IDC_SET_FIRST_WEEKDAY,
               SettingChoices::kWeekdays),
        Number(kListForDaysKey, 30, kNoForenoticeList, kMaxListForDays, &AppSettings::listForDays, IDC_SET_LIST_DAYS,
               SettingChoices::kForenoticeDays),
        Text(kSystemTrayTemplateKey, &AppSettings::systemTrayTemplate, IDC_SET_TRAY_STYLE,
             SettingChoices::kTrayTemplates),
        Switch(kShowPublicHolidaysKey, 1, &AppSettings::showPublicHolidays, IDC_SET_PUBLIC_HOLIDAYS, true),
        Switch(kTrayClickShowsCalendarKey, 0, &AppSettings::trayClickShowsCalendar, IDC_SET_TRAY_CLICK, false),
        Switch(kFollowSystemDarkModeKey, 1, &AppSettings::followSystemDarkMode, IDC_SET_FOLLOW_DARK_MODE, true),
        Text(kSyncServerKey, &AppSettings::syncServer, IDC_SET_SYNC_SERVER, SettingChoices::kTyped),
        Text(kSyncUserKey, &AppSettings::syncUser, IDC_SET_SYNC_USER, SettingChoices::kTyped),
        Text(kSyncCalendarKey, &AppSettings::syncCalendar, IDC_SET_SYNC_CALENDAR, SettingChoices::kTyped,
             kDefaultCalendarName),
        Switch(kSyncFestivalsKey, 1, &AppSettings::syncFestivals, IDC_SET_SYNC_FESTIVALS, true),
        Switch(kSyncBirthdaysKey, 1, &AppSettings::syncBirthdays, IDC_SET_SYNC_BIRTHDAYS, true),
        Switch(kSyncAnniversariesKey, 1, &AppSettings::syncAnniversaries, IDC_SET_SYNC_ANNIVERSARIES, true),
        Switch(kSyncRemindersKey, 1, &AppSettings::syncReminders, IDC_SET_SYNC_REMINDERS, true),
        Number(kSyncYearsKey, 3, 1, 20, &AppSettings::syncYears, IDC_SET_SYNC_YEARS, SettingChoices::kSyncYears, "3"),
        Switch(kShowHolidayOnForenoticeKey, 1, &AppSettings::showHolidayOnForenotice, 0, true),
        Switch(kKeepCalendarFileUpdatedKey, 0, &AppSettings::keepCalendarFileUpdated, 0, false),
        Text(kCalendarFileKey, &AppSettings::calendarFile, 0, SettingChoices::kNone),
        Number(kCalendarFileYearsKey, kIcsDefaultYears, 1, kIcsMostYears, &AppSettings::calendarFileYears, 0,
               SettingChoices::kNone),
        Switch(kCalendarFileFestivalsKey, 1, &AppSettings::calendarFileFestivals, 0, true),
        Switch(kCalendarFileOwnFestivalsOnlyKey, 1, &AppSettings::calendarFileOwnFestivalsOnly, 0, true),
        Switch(kCalendarFileRemindersKey, 1, &AppSettings::calendarFileReminders, 0, true),
        Switch(kCalendarFileSolarTermsKey, 0, &AppSettings::calendarFileSolarTerms, 0, false),
    };
    return keys;
}

const SettingKey* FindSettingKey(std::string_view name) {
    for (const SettingKey& key : SettingKeys()) {
        if (name == key.name) return &key;
    }
    return nullptr;
}

namespace {

void ReadKey(const SettingKey& key, const ProfileDocument& document, AppSettings& settings) {
    if (key.type == SettingType::kText) {
        settings.*key.text = ProfileGetString(kSettingsSection, key.name, key.shownText ? key.shownText : "", document);
        return;
    }
    const int value = ProfileGetInt(kSettingsSection, key.name, key.byDefault, document);
    if (key.type == SettingType::kSwitch) {
        settings.*key.flag = value != 0;
    } else {
        settings.*key.number = std::clamp(value, key.least, key.most);
    }
}

bool WriteKey(const SettingKey& key, const AppSettings& settings, ProfileDocument& document) {
    if (key.type == SettingType::kText)
        return ProfilePutString(kSettingsSection, key.name, settings.*key.text, document);
    if (key.type == SettingType::kSwitch)
        return ProfilePutInt(kSettingsSection, key.name, settings.*key.flag ? 1 : 0, document);
    return ProfilePutInt(kSettingsSection, key.name, settings.*key.number, document);
}

}  // namespace

AppSettings::AppSettings() {
    for (const SettingKey& key : SettingKeys()) {
        if (key.number) this->*key.number = key.byDefault;
        if (key.flag) this->*key.flag = key.byDefault != 0;
        if (key.text && key.shownText) this->*key.text = key.shownText;
    }
}

AppSettings LoadAppSettings(const std::filesystem::path& settings_file) {
    ProfileDocument document;
    document.Load(settings_file);
    AppSettings settings;
    for (const SettingKey& key : SettingKeys()) ReadKey(key, document, settings);
    return settings;
}

bool IsSettingsFileDamaged(const std::filesystem::path& settings_file) {
    std::string contents;
    const FileRead read = ReadFileWithin(settings_file, kProfileFileLimit, contents);
    return read == FileRead::kTooLarge || read == FileRead::kUnreadable;
}

bool SaveAppSettings(const std::filesystem::path& settings_file, const AppSettings& settings) {
    return UpdateProfileFile(settings_file, [&](ProfileDocument& document) {
        bool ok = true;
        for (const SettingKey& key : SettingKeys()) ok = WriteKey(key, settings, document) && ok;
        return ok;
    });
}

bool ReadSwitchNow(const std::filesystem::path& settings_file, std::string_view key) {
    const SettingKey* found = FindSettingKey(key);
    return ProfileGetInt(kSettingsSection, key, found ? found->byDefault : 0, settings_file) != 0;
}

ForenoticeSwitches ReadForenoticeSwitches(const std::filesystem::path& settings_file) {
    return ForenoticeSwitches{ReadSwitchNow(settings_file, kShowReminderOnForenoticeKey),
                              ReadSwitchNow(settings_file, kShowJieQiOnForenoticeKey),
                              ReadSwitchNow(settings_file, kShowHolidayOnForenoticeKey)};
}

NoticeSwitches ReadNoticeSwitches(const std::filesystem::path& settings_file) {
    return NoticeSwitches{ReadSwitchNow(settings_file, kShowNotifyWindowOnScreenKey),
                          ReadSwitchNow(settings_file, kShowJieQiOnRemindWindowKey)};
}

MonthOptions MonthOptionsFrom(const AppSettings& settings, const std::filesystem::path& module_folder,
                              const ForenoticeSwitches& forenotice) {
    MonthOptions options;
    options.backgroundPath = SkinBackgroundPath(module_folder, settings.templateName);
    options.configPath = SkinConfigPath(module_folder, settings.templateName);
    options.fallbackBackgroundPath = SkinBackgroundPath(module_folder, kShippedTemplateName);
    options.fallbackConfigPath = SkinConfigPath(module_folder, kShippedTemplateName);
    options.showToday = settings.showToday;
    options.firstColWeekDay = FirstColumnWeekday(settings);
    options.listForDays = settings.listForDays;
    options.showBalloonAlmanac = settings.showBalloonAlmanac;
    options.showBalloon = settings.showBalloon;
    options.lockLocation = settings.lockLocation;
    options.showPublicHolidays = settings.showPublicHolidays;
    options.forenotice = forenotice;
    return options;
}

IcsSubscription IcsSubscriptionOf(const AppSettings& settings) {
    IcsSubscription subscription;
    subscription.keepUpdated = settings.keepCalendarFileUpdated && !settings.calendarFile.empty();
    subscription.file = PathFromGbk(settings.calendarFile);
    subscription.choices.years = settings.calendarFileYears;
    subscription.choices.festivals = settings.calendarFileFestivals;
    subscription.choices.ownFestivalsOnly = settings.calendarFileOwnFestivalsOnly;
    subscription.choices.reminders = settings.calendarFileReminders;
    subscription.choices.solarTerms = settings.calendarFileSolarTerms;
    return subscription;
}

bool SetIcsSubscription(AppSettings& settings, const IcsSubscription& subscription) {
    const std::optional<std::string> file = GbkFromPath(subscription.file);
    if (!file) return false;
    settings.keepCalendarFileUpdated = subscription.keepUpdated;
    settings.calendarFile = *file;
    settings.calendarFileYears = std::clamp(subscription.choices.years, 1, kIcsMostYears);
    settings.calendarFileFestivals = subscription.choices.festivals;
    settings.calendarFileOwnFestivalsOnly = subscription.choices.ownFestivalsOnly;
    settings.calendarFileReminders = subscription.choices.reminders;
    settings.calendarFileSolarTerms = subscription.choices.solarTerms;
    return true;
}

bool SaveIcsSubscription(const std::filesystem::path& settings_file, const IcsSubscription& subscription) {
    AppSettings settings;
    if (!SetIcsSubscription(settings, subscription)) return false;
    static const std::string_view kKeys[] = {kKeepCalendarFileUpdatedKey,
                                             kCalendarFileKey,
                                             kCalendarFileYearsKey,
                                             kCalendarFileFestivalsKey,
                                             kCalendarFileOwnFestivalsOnlyKey,
                                             kCalendarFileRemindersKey,
                                             kCalendarFileSolarTermsKey};
    return UpdateProfileFile(settings_file, [&](ProfileDocument& document) {
        bool ok = true;
        for (const std::string_view name : kKeys) ok = WriteKey(*FindSettingKey(name), settings, document) && ok;
        return ok;
    });
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

AppSettings ShownSettings(AppSettings settings, bool appsUseDarkTheme) {
    if (settings.followSystemDarkMode && appsUseDarkTheme) {
        settings.templateName = kDarkTemplateName;
        settings.systemTrayTemplate = kDarkTrayTemplateName;
    }
    return settings;
}
