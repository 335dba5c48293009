#include "app/settings_form.h"

#include <algorithm>
#include <cstdio>

#include "app/app_settings.h"
#include "base/data_paths.h"
#include "base/file_system.h"
#include "base/profile_file.h"

namespace {

// The check boxes in the order they are written, with the value shown for a
// missing key.
struct Switch {
    const char* key;
    bool SettingsForm::*field;
    bool shownWhenMissing;
};
constexpr Switch kFirstSwitches[] = {
    {kShowReminderOnForenoticeKey, &SettingsForm::showReminderOnForenotice, false},
    {kShowJieQiOnRemindWindowKey, &SettingsForm::showJieQiOnRemindWindow, true},
    {kPlaySoundOnNotifyWindowKey, &SettingsForm::playSoundOnNotifyWindow, true},
    {kShowNotifyWindowOnScreenKey, &SettingsForm::showNotifyWindowOnScreen, true},
    {kShowJieQiOnForenoticeKey, &SettingsForm::showJieQiOnForenotice, false},
    {kShowBalloonTipKey, &SettingsForm::showBalloonTip, true},
    {kShowHuangLiOnBalloonToolTipKey, &SettingsForm::showHuangLiOnBalloonToolTip, true},
};
constexpr Switch kLaterSwitches[] = {
    {kShowTodayKey, &SettingsForm::showToday, true},
    {kLockLocationKey, &SettingsForm::lockLocation, false},
};
constexpr Switch kLastSwitches[] = {
    {kShowPublicHolidaysKey, &SettingsForm::showPublicHolidays, true},
};

struct Text {
    const char* key;
    std::string SettingsForm::*field;
};
constexpr Text kTexts[] = {
    {kTemplateKey, &SettingsForm::templateName},
    {kWindowStyleKey, &SettingsForm::windowStyle},
    {kFirstColWeekDayKey, &SettingsForm::firstColWeekDay},
    {kListForDaysKey, &SettingsForm::listForDays},
    {kSystemTrayTemplateKey, &SettingsForm::systemTrayTemplate},
};

void PutSwitch(const Switch& item, const SettingsForm& form, ProfileDocument& document) {
    ProfilePutInt(kSettingsSection, item.key, form.*item.field ? 1 : 0, document);
}

void PutText(const char* key, const std::string& value, ProfileDocument& document) {
    ProfilePutString(kSettingsSection, key, value, document);
}

std::string WithoutTrailingSeparator(std::string folder) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

bool EndsWithPng(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ending = name.substr(name.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return ending == ".png";
}

}  // namespace

SettingsForm ReadSettingsForm(const ProfileDocument& document, bool autoStart) {
    SettingsForm form;
    for (const Switch& item : kFirstSwitches)
        form.*item.field = ProfileGetInt(kSettingsSection, item.key, item.shownWhenMissing ? 1 : 0, document) != 0;
    for (const Switch& item : kLaterSwitches)
        form.*item.field = ProfileGetInt(kSettingsSection, item.key, item.shownWhenMissing ? 1 : 0, document) != 0;
    for (const Switch& item : kLastSwitches)
        form.*item.field = ProfileGetInt(kSettingsSection, item.key, item.shownWhenMissing ? 1 : 0, document) != 0;
    for (const Text& item : kTexts) form.*item.field = ProfileGetString(kSettingsSection, item.key, "", document);
    form.autoStart = autoStart;
    return form;
}

SettingsForm ReadSettingsForm(const std::string& settings_file, bool autoStart) {
    ProfileDocument document;
    document.Load(settings_file);
    return ReadSettingsForm(document, autoStart);
}

void WriteSettingsForm(const SettingsForm& form, ProfileDocument& document) {
    for (const Switch& item : kFirstSwitches) PutSwitch(item, form, document);
    PutText(kTemplateKey, form.templateName, document);
    PutText(kWindowStyleKey, form.windowStyle, document);
    for (const Switch& item : kLaterSwitches) PutSwitch(item, form, document);
    PutText(kFirstColWeekDayKey, form.firstColWeekDay, document);
    PutText(kListForDaysKey, form.listForDays, document);
    PutText(kSystemTrayTemplateKey, form.systemTrayTemplate, document);
    for (const Switch& item : kLastSwitches) PutSwitch(item, form, document);
}

bool WriteSettingsForm(const SettingsForm& form, const std::string& settings_file) {
    // Written even when nothing changed, so a file that cannot be written is
    // noticed at once rather than at the next real change.
    ProfileDocument document;
    if (!document.Load(settings_file) && FileExists(settings_file)) return false;
    WriteSettingsForm(form, document);
    return document.Save(settings_file);
}

std::vector<SettingsChoice> WindowTypeChoices() { return {{"默认窗口", "1"}, {"嵌入桌面", "2"}}; }

std::vector<SettingsChoice> FirstWeekdayChoices() {
    return {{"星期一", "1"}, {"星期二", "2"}, {"星期三", "3"}, {"星期四", "4"},
            {"星期五", "5"}, {"星期六", "6"}, {"星期日", "7"}};
}

std::vector<SettingsChoice> ForenoticeDayChoices() {
    std::vector<SettingsChoice> choices = {{"不显示", "-1"}, {"仅显示当天", "0"}};
    for (int days = 1; days <= 365; ++days) {
        char text[32];
        std::snprintf(text, sizeof text, "%d天", days);
        choices.push_back({text, std::to_string(days)});
    }
    return choices;
}

std::vector<SettingsChoice> NameChoices(const std::vector<std::string>& names) {
    std::vector<SettingsChoice> choices;
    for (const std::string& name : names) choices.push_back({name, name});
    return choices;
}

int ChoiceIndex(const std::vector<SettingsChoice>& choices, const std::string& value) {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].value == value) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> SkinTemplateNames(const std::string& module_folder) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : ListFolder(WithoutTrailingSeparator(DataPath(module_folder, kSkinTemplatesSuffix)))) {
        if (entry.isFolder) names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> TrayTemplateNames(const std::string& module_folder) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : ListFolder(WithoutTrailingSeparator(DataPath(module_folder, kTrayTemplatesSuffix)))) {
        if (!entry.isFolder && EndsWithPng(entry.name)) names.push_back(entry.name.substr(0, entry.name.size() - 4));
    }
    std::sort(names.begin(), names.end());
    return names;
}

SettingsEnabling EnablingOf(const SettingsForm& form) {
    return {form.showBalloonTip, form.showNotifyWindowOnScreen, form.showNotifyWindowOnScreen};
}

AutoStartChange AutoStartChangeOf(bool wasOn, bool isOn) {
    if (wasOn == isOn) return AutoStartChange::kNone;
    return isOn ? AutoStartChange::kSet : AutoStartChange::kClear;
}
