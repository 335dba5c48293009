#include "app/win/export_dialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <string>
#include <utility>

#include "almanac/almanac_database.h"
#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "festivals/shipped_festivals.h"
#include "resources/resource_ids.h"
#include "view/ics_export.h"
#include "view/month_sources.h"

namespace {

constexpr int kDefaultYears = 11;
constexpr int kMaxYears = 100;

// The desktop, where people look first for a file they are about to send to
// their phone; the paths stay UTF-16 so that user names without a GBK form
// work too.
std::wstring DefaultExportPath() {
    wchar_t desktop[MAX_PATH] = {};
    std::wstring path;
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop))) {
        path = std::wstring(desktop) + L"\\";
    }
    return path + WideFromGbk("Tavro日历.ics");
}

// A temporary file beside the target, flushed, then moved over it: a phone
// never gets half a file, and a failure leaves the old file as it was.
bool ReplaceFileAtomicallyW(const std::wstring& path, const std::string& contents) {
    const std::wstring temporary = path + L".tmp";
    bool written = false;
    {
        HANDLE file =
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD count = 0;
        written = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &count, nullptr) &&
                  count == contents.size() && FlushFileBuffers(file);
        CloseHandle(file);
    }
    if (written && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

std::wstring ItemTextW(HWND dialog, int id) {
    const int length = GetWindowTextLengthW(GetDlgItem(dialog, id));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetDlgItemTextW(dialog, id, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

IcsStamp UtcNow() {
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    return IcsStamp{utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond};
}

class ExportDialog : public DialogWindow {
public:
    ExportDialog(HWND owner, std::string moduleFolder) : owner_(owner), moduleFolder_(std::move(moduleFolder)) {}

    bool Run() { return RunModal(IDD_EXPORT_DIALOG, owner_) == IDOK; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        switch (message) {
            case WM_INITDIALOG:
                OnInitDialog();
                result = TRUE;
                return true;
            case WM_COMMAND:
                return OnCommand(LOWORD(wParam));
            default:
                return false;
        }
    }

private:
    void OnInitDialog() {
        CenterOverOwner(hwnd(), owner_);
        ShowInTaskbarWhenAlone(hwnd());
        icons_.SetWindowIcons(hwnd(), IDI_APPLICATION_ICON);
        CheckDlgButton(hwnd(), IDC_EXP_FESTIVALS, BST_CHECKED);
        CheckRadioButton(hwnd(), IDC_EXP_ALL_FESTIVALS, IDC_EXP_OWN_FESTIVALS, IDC_EXP_ALL_FESTIVALS);
        CheckDlgButton(hwnd(), IDC_EXP_MEMOS, BST_CHECKED);
        SetDlgItemInt(hwnd(), IDC_EXP_YEARS, kDefaultYears, FALSE);
        SendDlgItemMessageW(hwnd(), IDC_EXP_YEARS, EM_SETLIMITTEXT, 3, 0);
        SetDlgItemTextW(hwnd(), IDC_EXP_PATH, DefaultExportPath().c_str());
    }

    bool OnCommand(int id) {
        switch (id) {
            case IDC_EXP_FESTIVALS: {
                const BOOL on = IsDlgButtonChecked(hwnd(), IDC_EXP_FESTIVALS) == BST_CHECKED;
                EnableWindow(Item(IDC_EXP_ALL_FESTIVALS), on);
                EnableWindow(Item(IDC_EXP_OWN_FESTIVALS), on);
                return true;
            }
            case IDC_EXP_BROWSE:
                Browse();
                return true;
            case IDOK:
                if (Export()) EndDialog(hwnd(), IDOK);
                return true;
            case IDCANCEL:
                EndDialog(hwnd(), IDCANCEL);
                return true;
            default:
                return false;
        }
    }

    void Browse() {
        std::wstring file = ItemTextW(hwnd(), IDC_EXP_PATH);
        file.resize(32768, L'\0');
        const std::wstring filter = WideFromGbk("日历文件 (*.ics)") + L'\0' + L"*.ics" + L'\0' + L'\0';
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = hwnd();
        dialog.lpstrFilter = filter.c_str();
        dialog.lpstrFile = &file[0];
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        dialog.lpstrDefExt = L"ics";
        dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
        if (!GetSaveFileNameW(&dialog)) return;
        SetDlgItemTextW(hwnd(), IDC_EXP_PATH, file.c_str());
    }

    bool Export() {
        BOOL read = FALSE;
        const UINT years = GetDlgItemInt(hwnd(), IDC_EXP_YEARS, &read, FALSE);
        if (!read || years < 1 || years > kMaxYears) {
            ShowMessage(hwnd(), "请输入 1 到 100 之间的年数。", MB_OK | MB_ICONWARNING);
            SetFocus(Item(IDC_EXP_YEARS));
            return false;
        }
        const std::wstring path = ItemTextW(hwnd(), IDC_EXP_PATH);
        if (path.empty()) {
            ShowMessage(hwnd(), "请选择要保存的文件。", MB_OK | MB_ICONWARNING);
            SetFocus(Item(IDC_EXP_PATH));
            return false;
        }
        IcsExportChoices choices;
        SYSTEMTIME now;
        GetLocalTime(&now);
        choices.firstYear = now.wYear;
        choices.years = static_cast<int>(years);
        choices.festivals = IsDlgButtonChecked(hwnd(), IDC_EXP_FESTIVALS) == BST_CHECKED;
        choices.ownFestivalsOnly = IsDlgButtonChecked(hwnd(), IDC_EXP_OWN_FESTIVALS) == BST_CHECKED;
        choices.memos = IsDlgButtonChecked(hwnd(), IDC_EXP_MEMOS) == BST_CHECKED;
        choices.solarTerms = IsDlgButtonChecked(hwnd(), IDC_EXP_TERMS) == BST_CHECKED;

        MonthSources sources;
        sources.LoadFolder(moduleFolder_);
        const IcsExport result = ExportIcs(sources.festivals(), ShippedFestivals(), sources.reminders(),
                                           &sources.almanac(), choices, UtcNow());
        if (!ReplaceFileAtomicallyW(path, result.text)) {
            ShowMessage(hwnd(), "无法写入这个文件，请换一个位置再试。", MB_OK | MB_ICONERROR);
            return false;
        }
        const std::string text =
            "已导出 " + std::to_string(result.events) + " 个事件到：\n" + GbkFromWide(path) +
            "\n\n导入手机：把这个文件发到手机上（例如作为邮件附件），在手机上打开它，选择添加到日历。\n"
            "导入邮件程序：在邮件程序的日历中选择“导入”，然后选中这个文件。\n"
            "再次导出并导入时，已导入的事件会被更新，不会重复。";
        ShowMessage(hwnd(), text, MB_OK | MB_ICONINFORMATION);
        return true;
    }

    HWND owner_;
    std::string moduleFolder_;
    DialogIcons icons_;
};

}  // namespace

bool RunExportDialog(HWND owner, const std::string& moduleFolder) {
    ExportDialog dialog(owner, moduleFolder);
    return dialog.Run();
}
