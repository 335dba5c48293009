#include "app/settings_form.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

#include "app/app_settings.h"
#include "base/data_paths.h"
#include "base/file_path.h"
#include "base/file_system.h"
#include "base/profile_file.h"

namespace {

bool ShownInDialog(const SettingKey& key) { return key.control != 0; }

bool EndsWithPng(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ending = name.substr(name.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return ending == ".png";
}

// A picture a tray style keeps for a higher DPI: "RedPage@2x".
bool IsScaledPicture(const std::string& name) {
    const std::size_t at = name.rfind('@');
    if (at == std::string::npos || at + 2 >= name.size() || name.back() != 'x') return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(at) + 1, name.end() - 1,
                       [](char c) { return c >= '0' && c <= '9'; });
}

// Each stored name under its display name, from the configuration file that
// `config` gives for it.
std::vector<SettingsChoice> DisplayedChoices(const std::vector<std::string>& names,
                                             const std::function<std::filesystem::path(const std::string&)>& config) {
    std::vector<SettingsChoice> choices;
    for (const std::string& name : names) {
        ProfileDocument document;
        document.Load(config(name));
        const std::optional<std::string_view> shown = document.Find("Settings", "DISPLAY_NAME");
        choices.push_back({shown && !shown->empty() ? std::string(*shown) : name, name});
    }
    std::vector<SettingsChoice> told = choices;
    for (SettingsChoice& choice : told) {
        const auto same = [&](const SettingsChoice& other) { return other.text == choice.text; };
        if (std::count_if(choices.begin(), choices.end(), same) > 1 && choice.text != choice.value) {
            choice.text += "（" + choice.value + "）";
        }
    }
    return told;
}

}  // namespace

SettingsForm::SettingsForm() {
    for (const SettingKey& key : SettingKeys()) {
        if (!ShownInDialog(key)) continue;
        if (key.type == SettingType::kSwitch)
            ticks_[key.name] = key.shownTicked;
        else
            choices_[key.name] = key.shownText ? key.shownText : "";
    }
}

bool SettingsForm::ticked(std::string_view key) const {
    const auto found = ticks_.find(key);
    return found != ticks_.end() && found->second;
}

void SettingsForm::SetTicked(std::string_view key, bool ticked) { ticks_[std::string(key)] = ticked; }

const std::string& SettingsForm::choice(std::string_view key) const {
    static const std::string nothing;
    const auto found = choices_.find(key);
    return found == choices_.end() ? nothing : found->second;
}

void SettingsForm::SetChoice(std::string_view key, std::string value) { choices_[std::string(key)] = std::move(value); }

SettingsForm ReadSettingsForm(const ProfileDocument& document, bool autoStart) {
    SettingsForm form;
    for (const SettingKey& key : SettingKeys()) {
        if (!ShownInDialog(key)) continue;
        if (key.type == SettingType::kSwitch)
            form.SetTicked(key.name, ProfileGetInt(kSettingsSection, key.name, key.shownTicked ? 1 : 0, document) != 0);
        else
            form.SetChoice(key.name,
                           ProfileGetString(kSettingsSection, key.name, key.shownText ? key.shownText : "", document));
    }
    form.autoStart = autoStart;
    return form;
}

SettingsForm ReadSettingsForm(const std::filesystem::path& settings_file, bool autoStart) {
    ProfileDocument document;
    document.Load(settings_file);
    return ReadSettingsForm(document, autoStart);
}

void WriteSettingsForm(const SettingsForm& form, ProfileDocument& document) {
    for (const SettingKey& key : SettingKeys()) {
        if (!ShownInDialog(key)) continue;
        if (key.type == SettingType::kSwitch)
            ProfilePutInt(kSettingsSection, key.name, form.ticked(key.name) ? 1 : 0, document);
        else
            ProfilePutString(kSettingsSection, key.name, form.choice(key.name), document);
    }
}

bool WriteSettingsForm(const SettingsForm& form, const std::filesystem::path& settings_file, SettingsFileCopy* kept) {
    // Written even when nothing changed, so a file that cannot be written is
    // noticed at once rather than at the next real change.
    ProfileDocument document;
    const bool loaded = document.Load(settings_file);
    if (!loaded && FileExists(settings_file)) return false;
    std::filesystem::path copy;
    if (loaded && !KeepCopyBeforeConverting(document, settings_file, &copy)) return false;
    if (kept) {
        kept->copy = copy;
        kept->loaded.encoding = document.LoadedEncoding();
        kept->loaded.unmappable = document.LoadedUnmappable();
    }
    WriteSettingsForm(form, document);
    return document.Save(settings_file);
}

TextAroundFile SettingsCopyKeptText(const FileBaseline& loaded) {
    return BackupKeptText(ListFileWords{"设置", "行", kProfileFileLimit}, loaded);
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

std::vector<SettingsChoice> SyncYearChoices() {
    std::vector<SettingsChoice> choices{{"1年（今年）", "1"}, {"2年（今年和明年）", "2"}, {"3年（今年和后两年）", "3"}};
    for (int years = 4; years <= 10; ++years) choices.push_back({std::to_string(years) + "年", std::to_string(years)});
    return choices;
}

std::vector<SettingsChoice> ChoicesOf(SettingChoices list, const std::filesystem::path& module_folder) {
    switch (list) {
        case SettingChoices::kSkinTemplates:
            return SkinTemplateChoices(module_folder);
        case SettingChoices::kWindowTypes:
            return WindowTypeChoices();
        case SettingChoices::kWeekdays:
            return FirstWeekdayChoices();
        case SettingChoices::kForenoticeDays:
            return ForenoticeDayChoices();
        case SettingChoices::kTrayTemplates:
            return TrayTemplateChoices(module_folder);
        case SettingChoices::kSyncYears:
            return SyncYearChoices();
        case SettingChoices::kNone:
        case SettingChoices::kTyped:
            break;
    }
    return {};
}

int ChoiceIndex(const std::vector<SettingsChoice>& choices, const std::string& value) {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].value == value) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> SkinTemplateNames(const std::filesystem::path& module_folder) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : ListFolder(SkinTemplatesFolder(module_folder))) {
        const std::optional<std::string> name = GbkFromPath(entry.name);
        if (entry.isFolder && name) names.push_back(*name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> TrayTemplateNames(const std::filesystem::path& module_folder) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : ListFolder(TrayTemplatesFolder(module_folder))) {
        const std::optional<std::string> name = GbkFromPath(entry.name);
        if (entry.isFolder || !name || !EndsWithPng(*name)) continue;
        const std::string style = name->substr(0, name->size() - 4);
        if (!IsScaledPicture(style)) names.push_back(style);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<SettingsChoice> SkinTemplateChoices(const std::filesystem::path& module_folder) {
    return DisplayedChoices(SkinTemplateNames(module_folder),
                            [&](const std::string& name) { return SkinConfigPath(module_folder, name); });
}

std::vector<SettingsChoice> TrayTemplateChoices(const std::filesystem::path& module_folder) {
    return DisplayedChoices(TrayTemplateNames(module_folder),
                            [&](const std::string& name) { return TrayIniPath(module_folder, name); });
}

bool EnabledIn(const SettingsForm& form, const SettingKey& key) {
    return key.enabledBy == nullptr || form.ticked(key.enabledBy);
}

AutoStartChange AutoStartChangeOf(bool wasOn, bool isOn) {
    if (wasOn == isOn) return AutoStartChange::kNone;
    return isOn ? AutoStartChange::kSet : AutoStartChange::kClear;
}
