#include "app/win/settings_dialog.h"

#include <commctrl.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "app/settings_form.h"
#include "app/win/autostart.h"
#include "app/win/sync_password.h"
#include "app/win/web_pages.h"
#include "base/platform_folders.h"
#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "base/win/version_info.h"
#include "resources/resource_ids.h"

namespace {

constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT kStatusPeriod = 500;  // ms: the 同步 page's line follows a sync under way

// The 同步 page's controls; every other control but the tabs and the two
// buttons belongs to 常规.
bool OnSyncPage(int id) { return id >= IDC_SET_SYNC_SERVER && id <= IDC_SET_SYNC_LABEL; }
bool OnBothPages(int id) { return id == IDC_SET_TABS || id == IDOK || id == IDCANCEL; }

// An address or name pasted with a space or line end around it.
std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, &text[0], static_cast<int>(text.size()))));
    return text;
}

class SettingsDialog : public DialogWindow {
public:
    SettingsDialog(std::filesystem::path settingsFile, std::filesystem::path moduleFolder, const SettingsSyncLink& sync)
        : settingsFile_(std::move(settingsFile)), moduleFolder_(std::move(moduleFolder)), sync_(sync) {}

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
            if (key.choices == SettingChoices::kTyped) {
                SetDlgItemTextW(hwnd(), key.control, WideFromGbk(form.choice(key.name)).c_str());
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
        const std::string password = ReadSyncPassword(form.choice(kSyncServerKey), form.choice(kSyncUserKey));
        SetDlgItemTextW(hwnd(), IDC_SET_SYNC_PASSWORD, WideFromUtf8(password).c_str());
        AddTabs();
        UpdateEnabling();
        ShowStatus();
        SetTimer(hwnd(), kStatusTimer, kStatusPeriod, nullptr);
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
            case IDC_SET_SYNC_NOW:
                SyncNow();
                return true;
            case IDC_SET_SYNC_CONFLICTS:
                if (sync_.openConflicts) sync_.openConflicts(hwnd());
                ShowStatus();
                return true;
            default:
                // A box the others depend on may have been ticked.
                if (code == BN_CLICKED) UpdateEnabling();
                return false;
        }
    }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) override {
        if (message == WM_TIMER && wParam == kStatusTimer) {
            ShowStatus();
            return true;
        }
        if (message == WM_NOTIFY) {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == IDC_SET_TABS && header->code == TCN_SELCHANGE) {
                ShowPage(TabCtrl_GetCurSel(Item(IDC_SET_TABS)) == 1);
                return true;
            }
        }
        if (message == WM_DESTROY) KillTimer(hwnd(), kStatusTimer);
        return false;
    }

private:
    void AddTabs() {
        HWND tabs = Item(IDC_SET_TABS);
        SendMessageW(tabs, WM_SETFONT, SendMessageW(hwnd(), WM_GETFONT, 0, 0), FALSE);
        int index = 0;
        for (const char* title : {"常规", "同步"}) {
            std::wstring text = WideFromGbk(title);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = &text[0];
            TabCtrl_InsertItem(tabs, index++, &item);
        }
        ShowPage(false);
    }

    void ShowPage(bool sync) {
        for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(child);
            if (OnBothPages(id)) continue;
            ShowWindow(child, OnSyncPage(id) == sync ? SW_SHOW : SW_HIDE);
        }
    }

    void ShowStatus() {
        if (!sync_.statusText) return;
        const std::wstring text = WideFromGbk(sync_.statusText());
        if (text != TextOf(Item(IDC_SET_SYNC_STATUS))) SetDlgItemTextW(hwnd(), IDC_SET_SYNC_STATUS, text.c_str());
        const bool conflicts = sync_.hasConflicts && sync_.hasConflicts();
        if ((IsWindowEnabled(Item(IDC_SET_SYNC_CONFLICTS)) != FALSE) != conflicts) {
            EnableWindow(Item(IDC_SET_SYNC_CONFLICTS), conflicts);
        }
    }

    std::string Password() const { return Utf8FromWide(TextOf(Item(IDC_SET_SYNC_PASSWORD))); }

    // With what the page shows, saved or not: the account is tried before
    // it is kept.
    void SyncNow() {
        AppSettings shown;
        const SettingsForm form = ReadForm();
        shown.syncServer = form.choice(kSyncServerKey);
        shown.syncUser = form.choice(kSyncUserKey);
        shown.syncCalendar = form.choice(kSyncCalendarKey);
        shown.syncFestivals = form.ticked(kSyncFestivalsKey);
        shown.syncBirthdays = form.ticked(kSyncBirthdaysKey);
        shown.syncAnniversaries = form.ticked(kSyncAnniversariesKey);
        shown.syncReminders = form.ticked(kSyncRemindersKey);
        const std::string& years = form.choice(kSyncYearsKey);
        shown.syncYears = years.empty() ? 3 : std::atoi(years.c_str());
        if (!SyncWanted(shown)) {
            ShowMessage(hwnd(), "请先填写服务器地址。", MB_OK | MB_ICONINFORMATION);
            return;
        }
        if (sync_.syncNow) sync_.syncNow(SyncRequestFrom(shown, Password()));
        ShowStatus();
    }

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
            if (key.control != 0 && key.choices == SettingChoices::kTyped)
                form.SetChoice(key.name, Trimmed(GbkFromWide(TextOf(Item(key.control)))));
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
        // The password goes with the account it belongs to; a server or
        // user changed leaves the old one's password to Windows' manager.
        const std::string password = Password();
        const std::string& server = form.choice(kSyncServerKey);
        const bool passwordKept = server.empty() || KeepSyncPassword(server, form.choice(kSyncUserKey), password);
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
        if (!passwordKept) {
            ShowMessage(hwnd(), "其他设置已保存，但 Windows 凭据管理器没有收下同步的密码。", MB_OK | MB_ICONWARNING);
        }
        if (!autoStartDone) {
            ShowMessage(hwnd(), "其他设置已保存，但无法更改「开机自动运行」：系统拒绝修改启动项。",
                        MB_OK | MB_ICONWARNING);
        }
        EndModal(IDOK);
    }

    std::filesystem::path settingsFile_;
    std::filesystem::path moduleFolder_;
    const SettingsSyncLink& sync_;
    std::vector<List> lists_;
    bool wasAutoStart_ = false;
    HWND tips_ = nullptr;  // destroyed with the dialog, which owns it
};

}  // namespace

bool RunSettingsDialog(HWND owner, const std::filesystem::path& settingsFile, const std::filesystem::path& moduleFolder,
                       const SettingsSyncLink& sync) {
    SettingsDialog dialog(settingsFile, moduleFolder, sync);
    return dialog.RunModal(IDD_SETTINGS_DIALOG, owner) == IDOK;
}
