// What the settings dialog shows and stores: its check boxes with their keys
// and the values shown for a missing key, its lists with the text shown and
// the value stored for each entry, which boxes depend on which, and the order
// in which a confirmed dialog writes the keys of [Ostrel].
#pragma once

#include <string>
#include <vector>

class ProfileDocument;

struct SettingsForm {
    bool showBalloonTip = true;
    bool showHuangLiOnBalloonToolTip = true;
    bool showToday = true;
    bool showJieQiOnForenotice = false;
    bool showReminderOnForenotice = false;
    bool showNotifyWindowOnScreen = true;
    bool playSoundOnNotifyWindow = true;
    bool showJieQiOnRemindWindow = true;  // the dialog shows it ticked when the key is missing
    bool lockLocation = false;
    bool showPublicHolidays = true;  // 显示法定节假日
    bool autoStart = false;  // the Run key, not the file

    // Stored values of the five lists, as text; empty when nothing is chosen.
    std::string templateName;
    std::string windowStyle;
    std::string firstColWeekDay;
    std::string listForDays;
    std::string systemTrayTemplate;
};

// The form as the file has it (missing keys give the dialog's own defaults).
SettingsForm ReadSettingsForm(const ProfileDocument& document, bool autoStart);
SettingsForm ReadSettingsForm(const std::string& settings_file, bool autoStart);

// Writes the switches and lists to [Ostrel] in the dialog's order:
// ShowReminderOnForenotice, ShowJieQiOnRemindWindow, PlaySoundOnNotifyWindow,
// ShowNotifyWindowOnScreen, ShowJieQiOnForenotice, ShowBalloonTip,
// ShowHuangLiOnBalloonToolTip, Template, WindowStyle, ShowToday, LockLocation,
// FirstColWeekDay, ListForDays, SystemTrayTemplate, ShowPublicHolidays.
// Switches as 1 or 0, lists
// as their stored values. Other keys and sections are kept.
void WriteSettingsForm(const SettingsForm& form, ProfileDocument& document);
// The same into the file in one write; false when it could not be written.
bool WriteSettingsForm(const SettingsForm& form, const std::string& settings_file);

// One entry of a list: the text shown and the value stored.
struct SettingsChoice {
    std::string text;  // GBK
    std::string value;
};
std::vector<SettingsChoice> WindowTypeChoices();       // 默认窗口 "1", 嵌入桌面 "2"
std::vector<SettingsChoice> FirstWeekdayChoices();     // 星期一 "1" ... 星期日 "7"
std::vector<SettingsChoice> ForenoticeDayChoices();    // 不显示 "-1", 仅显示当天 "0", 1天 "1" ... 365天 "365"
std::vector<SettingsChoice> NameChoices(const std::vector<std::string>& names);  // each name as itself
// Index of the entry storing `value`, or -1.
int ChoiceIndex(const std::vector<SettingsChoice>& choices, const std::string& value);

// The month templates (folders under Ostrel\Templates\) and the tray icon
// styles (names of the *.png files under Ostrel\SystemTray\, without the
// extension), sorted; empty when the folder is missing.
std::vector<std::string> SkinTemplateNames(const std::string& module_folder);
std::vector<std::string> TrayTemplateNames(const std::string& module_folder);

// Boxes that only mean something while another is ticked are greyed out
// otherwise; they keep their tick and are saved with it.
struct SettingsEnabling {
    bool showHuangLiOnBalloonToolTip;  // with the balloon
    bool playSoundOnNotifyWindow;      // with the notification window
    bool showJieQiOnRemindWindow;      // with the notification window
};
SettingsEnabling EnablingOf(const SettingsForm& form);

// The Run key is touched only when the box was changed.
enum class AutoStartChange { kNone, kSet, kClear };
AutoStartChange AutoStartChangeOf(bool wasOn, bool isOn);
