#include "app/win/settings_dialog.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "app/settings_form.h"
#include "app/win/autostart.h"
#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "base/win/version_info.h"
#include "app/win/web_pages.h"
#include "resources/resource_ids.h"

namespace {

struct CheckBox {
    int id;
    bool SettingsForm::*field;
};
constexpr CheckBox kCheckBoxes[] = {
    {IDC_SET_SHOW_BALLOON, &SettingsForm::showBalloonTip},
    {IDC_SET_BALLOON_ALMANAC, &SettingsForm::showHuangLiOnBalloonToolTip},
    {IDC_SET_SHOW_TODAY, &SettingsForm::showToday},
    {IDC_SET_LIST_SOLAR_TERMS, &SettingsForm::showJieQiOnForenotice},
    {IDC_SET_LIST_MEMOS, &SettingsForm::showReminderOnForenotice},
    {IDC_SET_NOTIFY_WINDOW, &SettingsForm::showNotifyWindowOnScreen},
    {IDC_SET_NOTIFY_SOUND, &SettingsForm::playSoundOnNotifyWindow},
    {IDC_SET_NOTIFY_SOLAR_TERMS, &SettingsForm::showJieQiOnRemindWindow},
    {IDC_SET_LOCK_LOCATION, &SettingsForm::lockLocation},
    {IDC_SET_AUTO_START, &SettingsForm::autoStart},
    {IDC_SET_PUBLIC_HOLIDAYS, &SettingsForm::showPublicHolidays},
};

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

class SettingsDialog : public DialogWindow {
public:
    SettingsDialog(HWND owner, std::string settingsFile, std::string moduleFolder)
        : owner_(owner), settingsFile_(std::move(settingsFile)), moduleFolder_(std::move(moduleFolder)) {}

    bool Run() { return RunModal(IDD_SETTINGS_DIALOG, owner_) == IDOK; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        switch (message) {
            case WM_INITDIALOG:
                OnInitDialog();
                result = TRUE;
                return true;
            case WM_COMMAND:
                return OnCommand(LOWORD(wParam), HIWORD(wParam));
            default:
                return false;
        }
    }

private:
    struct List {
        int id;
        std::string SettingsForm::*field;
        std::vector<SettingsChoice> choices;
    };


    void OnInitDialog() {
        CenterOverOwner(hwnd(), owner_);
        icons_.SetWindowIcons(hwnd(), IDI_APPLICATION_ICON);
        SetHelpButtonIcon(IDC_SET_HELP_GENERAL);
        SetHelpButtonIcon(IDC_SET_HELP_APPEARANCE);
        AddHelpTips();

        wasAutoStart_ = IsAutoStart(ProductName());
        const SettingsForm form = ReadSettingsForm(settingsFile_, wasAutoStart_);
        for (const CheckBox& box : kCheckBoxes)
            CheckDlgButton(hwnd(), box.id, form.*box.field ? BST_CHECKED : BST_UNCHECKED);

        lists_ = {
            {IDC_SET_TEMPLATE, &SettingsForm::templateName, NameChoices(SkinTemplateNames(moduleFolder_))},
            {IDC_SET_WINDOW_TYPE, &SettingsForm::windowStyle, WindowTypeChoices()},
            {IDC_SET_FIRST_WEEKDAY, &SettingsForm::firstColWeekDay, FirstWeekdayChoices()},
            {IDC_SET_LIST_DAYS, &SettingsForm::listForDays, ForenoticeDayChoices()},
            {IDC_SET_TRAY_STYLE, &SettingsForm::systemTrayTemplate, NameChoices(TrayTemplateNames(moduleFolder_))},
        };
        for (const List& list : lists_) {
            std::vector<combo::Item> items;
            for (std::size_t i = 0; i < list.choices.size(); ++i)
                items.push_back({list.choices[i].text, static_cast<int>(i)});
            combo::Fill(Item(list.id), items);
            combo::SelectCode(Item(list.id), ChoiceIndex(list.choices, form.*list.field));
        }
        UpdateEnabling();
    }

    // The help buttons show a question mark until their icon is there.
    void SetHelpButtonIcon(int id) {
        if (!icons_.Load(IDI_BUTTON_HELP, 16)) return;
        SetDlgItemTextW(hwnd(), id, L"");
        icons_.SetButtonIcon(hwnd(), id, IDI_BUTTON_HELP);
    }

    void AddHelpTips() {
        tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
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

    bool OnCommand(int id, int code) {
        switch (id) {
            case IDOK:
                OnConfirm();
                return true;
            case IDCANCEL:
                EndDialog(hwnd(), IDCANCEL);
                return true;
            case IDC_SET_HELP_GENERAL:
                OpenSettingsHelpPage(moduleFolder_, SettingsHelpTopic::kGeneral);
                return true;
            case IDC_SET_HELP_APPEARANCE:
                OpenSettingsHelpPage(moduleFolder_, SettingsHelpTopic::kAppearance);
                return true;
            case IDC_SET_SHOW_BALLOON:
            case IDC_SET_NOTIFY_WINDOW:
                if (code == BN_CLICKED) UpdateEnabling();
                return true;
            default:
                return false;
        }
    }

    SettingsForm ReadForm() const {
        SettingsForm form;
        for (const CheckBox& box : kCheckBoxes) form.*box.field = IsDlgButtonChecked(hwnd(), box.id) == BST_CHECKED;
        for (const List& list : lists_) {
            const int index = combo::SelectedCode(Item(list.id), -1);
            form.*list.field =
                index >= 0 && index < static_cast<int>(list.choices.size()) ? list.choices[index].value : std::string();
        }
        return form;
    }

    void UpdateEnabling() {
        const SettingsEnabling enabling = EnablingOf(ReadForm());
        EnableWindow(Item(IDC_SET_BALLOON_ALMANAC), enabling.showHuangLiOnBalloonToolTip);
        EnableWindow(Item(IDC_SET_NOTIFY_SOUND), enabling.playSoundOnNotifyWindow);
        EnableWindow(Item(IDC_SET_NOTIFY_SOLAR_TERMS), enabling.showJieQiOnRemindWindow);
    }

    void OnConfirm() {
        const SettingsForm form = ReadForm();
        bool autoStartDone = true;
        switch (AutoStartChangeOf(wasAutoStart_, form.autoStart)) {
            case AutoStartChange::kSet:
                autoStartDone = SetAutoStart(ProductName(), ExecutablePath());
                break;
            case AutoStartChange::kClear:
                autoStartDone = ClearAutoStart(ProductName());
                break;
            case AutoStartChange::kNone:
                break;
        }
        if (autoStartDone) wasAutoStart_ = form.autoStart;
        if (!WriteSettingsForm(form, settingsFile_)) {
            // Closing would drop every choice made here without a word.
            ShowMessage(hwnd(),
                        "无法保存设置到文件：\n" + settingsFile_ +
                            "\n\n这些设置还没有保存。请确认该文件不是只读的、磁盘没有写满，然后再点“确定”，或点“取消”放弃修改。",
                        MB_OK | MB_ICONERROR);
            return;
        }
        if (!autoStartDone) {
            ShowMessage(hwnd(), "其他设置已保存，但无法更改“开机自动运行”：系统拒绝修改启动项。",
                        MB_OK | MB_ICONWARNING);
        }
        EndDialog(hwnd(), IDOK);
    }

    HWND owner_;
    std::string settingsFile_;
    std::string moduleFolder_;
    std::vector<List> lists_;
    bool wasAutoStart_ = false;
    HWND tips_ = nullptr;  // destroyed with the dialog, which owns it
    DialogIcons icons_;
};

}  // namespace

bool RunSettingsDialog(HWND owner, const std::string& settingsFile, const std::string& moduleFolder) {
    SettingsDialog dialog(owner, settingsFile, moduleFolder);
    return dialog.Run();
}
