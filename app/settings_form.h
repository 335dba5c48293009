// What the settings dialog shows and stores: a tick for each switch it shows
// and the stored value of each list's chosen entry, read from [Ostrel] with
// the dialog's own defaults and written back in the order of the keys
// (SettingKeys), with the entries each list offers and which boxes are greyed
// out while another is unticked.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_settings.h"
#include "base/file_backup.h"
#include "base/list_file_messages.h"

class ProfileDocument;

class SettingsForm {
public:
    // What the dialog shows for a file without any of its keys: each box at
    // its tick for a missing key, nothing chosen in the lists.
    SettingsForm();

    bool ticked(std::string_view key) const;
    void SetTicked(std::string_view key, bool ticked);
    // The stored value of the chosen entry; empty when nothing is chosen.
    const std::string& choice(std::string_view key) const;
    void SetChoice(std::string_view key, std::string value);

    bool autoStart = false;  // the Run key, not the file

private:
    std::map<std::string, bool, std::less<>> ticks_;
    std::map<std::string, std::string, std::less<>> choices_;
};

// The form as the file has it (missing keys give the dialog's own defaults).
SettingsForm ReadSettingsForm(const ProfileDocument& document, bool autoStart);
SettingsForm ReadSettingsForm(const std::filesystem::path& settings_file, bool autoStart);

// Writes every key the dialog shows to [Ostrel], in the order of the keys:
// switches as 1 or 0, lists as their stored values. Other keys and sections
// are kept.
void WriteSettingsForm(const SettingsForm& form, ProfileDocument& document);
// A settings file another editor saved (UTF-8, UTF-16) is copied away before
// it is rewritten as GBK: the copy's path and what the file was, for telling
// the user.
struct SettingsFileCopy {
    std::filesystem::path copy;  // empty when none was needed
    FileBaseline loaded;
};
// The same into the file in one write; false when it could not be written.
bool WriteSettingsForm(const SettingsForm& form, const std::filesystem::path& settings_file,
                       SettingsFileCopy* kept = nullptr);
// What the user is told after a save that kept such a copy (named between
// the two texts).
TextAroundFile SettingsCopyKeptText(const FileBaseline& loaded);

// One entry of a list: the text shown and the value stored.
struct SettingsChoice {
    std::string text;  // GBK
    std::string value;
};
std::vector<SettingsChoice> WindowTypeChoices();     // 默认窗口 "1", 嵌入桌面 "2"
std::vector<SettingsChoice> FirstWeekdayChoices();   // 星期一 "1" ... 星期日 "7"
std::vector<SettingsChoice> ForenoticeDayChoices();  // 不显示 "-1", 仅显示当天 "0", 1天 "1" ... 365天 "365"
std::vector<SettingsChoice> SyncYearChoices();       // 1年（今年） "1" ... 10年 "10"
std::vector<SettingsChoice> NameChoices(const std::vector<std::string>& names);  // each name as itself
// What the dialog's list offers; the templates are those beside the program.
std::vector<SettingsChoice> ChoicesOf(SettingChoices list, const std::filesystem::path& module_folder);
// Index of the entry storing `value`, or -1.
int ChoiceIndex(const std::vector<SettingsChoice>& choices, const std::string& value);

// The month templates (folders under Ostrel\Templates\) and the tray icon
// styles (names of the *.png files under Ostrel\SystemTray\, without the
// extension, other than the "name@2x" pictures a style keeps for high DPI),
// sorted; empty when the folder is missing. A name with no GBK form is left
// out: Solvane.ini could not keep it.
std::vector<std::string> SkinTemplateNames(const std::filesystem::path& module_folder);
std::vector<std::string> TrayTemplateNames(const std::filesystem::path& module_folder);

// The name a template or tray style is offered under: DISPLAY_NAME in
// [Settings] of its own configuration file (a template's config.ini, a tray
// style's .ini), else its folder or file name, which is also what is stored.
// Two entries offered under one name are told apart by their stored names.
std::vector<SettingsChoice> SkinTemplateChoices(const std::filesystem::path& module_folder);
std::vector<SettingsChoice> TrayTemplateChoices(const std::filesystem::path& module_folder);

// A box that only means something while another is ticked is greyed out
// otherwise; it keeps its tick and is saved with it.
bool EnabledIn(const SettingsForm& form, const SettingKey& key);

// The Run key is touched only when the box was changed.
enum class AutoStartChange { kNone, kSet, kClear };
AutoStartChange AutoStartChangeOf(bool wasOn, bool isOn);
