#include "app/win/settings_dialog.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "app/settings_form.h"
#include "app/win/autostart.h"
#include "app/win/web_pages.h"
#include "base/platform_folders.h"
#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "base/win/version_info.h"
#include "resources/resource_ids.h"

namespace {

class SettingsDialog : public DialogWindow {
public:
    SettingsDialog(std::filesystem::path settingsFile, std::filesystem::path moduleFolder)
        : settingsFile_(std::move(settingsFile)), moduleFolder_(std::move(moduleFolder)) {}

protected:
    bool OnInitDialog() override {
        SetHelpButtonIcon(IDC_SET_HELP_GENERAL);
        SetHelpButtonIcon(IDC_SET_HELP_APPEARANCE);
        AddHelpTips();

        wasAutoStart_ = IsAutoStart(ProductName());
        const SettingsForm form = ReadSettingsForm(settingsFile_, wasAutoStart_);
        for (const SettingKey& key : SettingKeys()) {
            if (key.control == 0) continue;
            if (key.type == SettingType::kSwitch) {
                CheckDlgButton(hwnd(), key.control, form.ticked(key.name) ? BST_CHECKED : BST_UNCHECKED);
                continue;
            }
            List list{&key, ChoicesOf(key.choices, moduleFolder_)};
            std::vector<combo::Item> items;
            for (std::size_t i = 0; i < list.choices.size(); ++i)
                items.push_back({list.choices[i].text, static_cast<int>(i)});
            combo::Fill(Item(key.control), items);
            combo::SelectCode(Item(key.control), ChoiceIndex(list.choices, form.choice(key.name)));
            lists_.push_back(std::move(list));
        }
        CheckDlgButton(hwnd(), IDC_SET_AUTO_START, form.autoStart ? BST_CHECKED : BST_UNCHECKED);
        UpdateEnabling();
        // Closing at log-off would drop every choice made here, as it would an editor's.
        HoldLogOffWhileEdited("有尚未保存的设置修改");
        return true;
    }

    bool OnCommand(int id, int code) override {
        switch (id) {
            case IDOK:
                OnConfirm();
                return true;
            case IDC_SET_HELP_GENERAL:
                OpenSettingsHelpPage(moduleFolder_, SettingsHelpTopic::kGeneral);
                return true;
            case IDC_SET_HELP_APPEARANCE:
                OpenSettingsHelpPage(moduleFolder_, SettingsHelpTopic::kAppearance);
                return true;
            default:
                // A box the others depend on may have been ticked.
                if (code == BN_CLICKED) UpdateEnabling();
                return false;
        }
    }

private:
    // A list of the dialog with the entries it offers.
    struct List {
        const SettingKey* key;
        std::vector<SettingsChoice> choices;
    };

    // The help buttons show a question mark until their icon is there.
    void SetHelpButtonIcon(int id) {
        if (!icons().Load(IDI_BUTTON_HELP, 16)) return;
        SetDlgItemTextW(hwnd(), id, L"");
        icons().SetButtonIcon(hwnd(), id, IDI_BUTTON_HELP);
    }

    void AddHelpTips() {
        tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr),
                                nullptr);
        if (!tips_) return;  // the buttons still work without their tips
        std::wstring text = WideFromGbk("联网查看帮助信息");
        for (const int id : {IDC_SET_HELP_GENERAL, IDC_SET_HELP_APPEARANCE}) {
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = hwnd();
            tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
            tool.lpszText = &text[0];
            SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }

    SettingsForm ReadForm() const {
        SettingsForm form;
        for (const SettingKey& key : SettingKeys()) {
            if (key.control != 0 && key.type == SettingType::kSwitch)
                form.SetTicked(key.name, IsDlgButtonChecked(hwnd(), key.control) == BST_CHECKED);
        }
        for (const List& list : lists_) {
            const int index = combo::SelectedCode(Item(list.key->control), -1);
            form.SetChoice(list.key->name, index >= 0 && index < static_cast<int>(list.choices.size())
                                               ? list.choices[index].value
                                               : std::string());
        }
        form.autoStart = IsDlgButtonChecked(hwnd(), IDC_SET_AUTO_START) == BST_CHECKED;
        return form;
    }

    void UpdateEnabling() {
        const SettingsForm form = ReadForm();
        for (const SettingKey& key : SettingKeys()) {
            if (key.control != 0 && key.enabledBy) EnableWindow(Item(key.control), EnabledIn(form, key));
        }
    }

    void OnConfirm() {
        const SettingsForm form = ReadForm();
        SettingsFileCopy kept;
        // The Run value changes only with saved settings: a save that fails
        // offers 取消, which must drop the 开机自动运行 change with the rest.
        if (!WriteSettingsForm(form, settingsFile_, &kept)) {
            // Closing would drop every choice made here without a word.
            ShowMessage(
                hwnd(),
                TextNamingFile("无法保存设置到文件：\n", settingsFile_,
                               "\n\n这些设置还没有保存。请确认该文件不是只读的、磁盘没有写满，然后再点「确定」，"
                               "或点「取消」放弃修改。"),
                MB_OK | MB_ICONERROR);
            return;
        }
        bool autoStartDone = true;
        switch (AutoStartChangeOf(wasAutoStart_, form.autoStart)) {
            case AutoStartChange::kSet:
                autoStartDone = SetAutoStart(ProductName(), ExecutableFileName().native());
                break;
            case AutoStartChange::kClear:
                autoStartDone = ClearAutoStart(ProductName());
                break;
            case AutoStartChange::kNone:
                break;
        }
        if (!kept.copy.empty()) {
            const TextAroundFile told = SettingsCopyKeptText(kept.loaded);
            ShowMessage(hwnd(), TextNamingFile(told.before, kept.copy, told.after), MB_OK | MB_ICONINFORMATION);
        }
        if (!autoStartDone) {
            ShowMessage(hwnd(), "其他设置已保存，但无法更改「开机自动运行」：系统拒绝修改启动项。",
                        MB_OK | MB_ICONWARNING);
        }
        EndModal(IDOK);
    }

    std::filesystem::path settingsFile_;
    std::filesystem::path moduleFolder_;
    std::vector<List> lists_;
    bool wasAutoStart_ = false;
    HWND tips_ = nullptr;  // destroyed with the dialog, which owns it
};

}  // namespace

bool RunSettingsDialog(HWND owner, const std::filesystem::path& settingsFile,
                       const std::filesystem::path& moduleFolder) {
    SettingsDialog dialog(settingsFile, moduleFolder);
    return dialog.RunModal(IDD_SETTINGS_DIALOG, owner) == IDOK;
}
