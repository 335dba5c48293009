#include "export/win/export_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <atomic>
#include <cwchar>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "base/file_path.h"
#include "base/file_system.h"
#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "base/win/scoped_win.h"
#include "export/ics_file.h"
#include "resources/resource_ids.h"

namespace {

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

IcsExportChoices OwnDaysAndMemos() {
    IcsExportChoices choices;
    choices.ownFestivalsOnly = true;
    return choices;
}

IcsStamp UtcNow() {
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    return IcsStamp{utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond};
}

// One export, run on a thread of its own so that the dialog keeps answering
// (and 取消 works) while many years are worked out. The thread reads the
// files itself: the almanac's database then stays on the one thread.
struct ExportJob {
    std::filesystem::path moduleFolder;
    IcsExportChoices choices;
    IcsStamp stamp;
    HWND dialog = nullptr;
    std::atomic<bool> cancel{false};
    IcsExport result;      // read by the dialog once the thread said it is done
    bool notRead = false;  // a festival or memo file could not be read
};

constexpr UINT kProgressMessage = WM_APP + 1;  // wParam: 0-1000
constexpr UINT kDoneMessage = WM_APP + 2;

DWORD WINAPI ExportThread(void* parameter) {
    ExportJob& job = *static_cast<ExportJob*>(parameter);
    int shown = -1;
    job.result = ExportFolderIcs(job.moduleFolder, job.choices, job.stamp, [&](int permille) {
        if (permille / 10 != shown / 10) {
            shown = permille;
            PostMessageW(job.dialog, kProgressMessage, static_cast<WPARAM>(permille), 0);
        }
        return !job.cancel.load();
    });
    job.notRead = job.result.outcome == IcsOutcome::kCancelled && !job.cancel.load();
    PostMessageW(job.dialog, kDoneMessage, 0, 0);
    return 0;
}

class ExportDialog : public DialogWindow {
public:
    ExportDialog(std::filesystem::path moduleFolder, IcsSubscription& subscription)
        : moduleFolder_(std::move(moduleFolder)), subscription_(subscription) {}
    ~ExportDialog() override { StopExport(); }

protected:
    bool OnInitDialog() override {
        // A file kept up to date opens with its choices; otherwise the
        // user's own birthdays and days, not eleven years of every shipped
        // festival, which the phone's calendar mostly has already.
        const bool kept = subscription_.keepUpdated;
        const IcsExportChoices choices = kept ? subscription_.choices : OwnDaysAndMemos();
        CheckDlgButton(hwnd(), IDC_EXP_FESTIVALS, choices.festivals ? BST_CHECKED : BST_UNCHECKED);
        CheckRadioButton(hwnd(), IDC_EXP_ALL_FESTIVALS, IDC_EXP_OWN_FESTIVALS,
                         choices.ownFestivalsOnly ? IDC_EXP_OWN_FESTIVALS : IDC_EXP_ALL_FESTIVALS);
        EnableWindow(Item(IDC_EXP_ALL_FESTIVALS), choices.festivals);
        EnableWindow(Item(IDC_EXP_OWN_FESTIVALS), choices.festivals);
        CheckDlgButton(hwnd(), IDC_EXP_REMINDERS, choices.reminders ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hwnd(), IDC_EXP_TERMS, choices.solarTerms ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hwnd(), IDC_EXP_KEEP_UPDATED, kept ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemInt(hwnd(), IDC_EXP_YEARS, static_cast<UINT>(choices.years), FALSE);
        SendDlgItemMessageW(hwnd(), IDC_EXP_YEARS, EM_SETLIMITTEXT, 3, 0);
        const std::wstring path = kept ? subscription_.file.wstring() : DefaultExportPath();
        SetDlgItemTextW(hwnd(), IDC_EXP_PATH, path.c_str());
        // The file kept up to date is the program's own to replace.
        if (kept) replaceAgreed_ = path;
        const std::string limits = "一个文件最多 " + std::to_string(kIcsMaxEvents) + " 个事件、" +
                                   std::to_string(kIcsMaxBytes >> 20) + " MB。";
        SetDlgItemTextW(hwnd(), IDC_EXP_LIMITS, WideFromGbk(limits).c_str());
        SendDlgItemMessageW(hwnd(), IDC_EXP_PROGRESS, PBM_SETRANGE32, 0, 1000);
        ShowWindow(Item(IDC_EXP_PROGRESS), SW_HIDE);
        return true;
    }

    bool OnCommand(int id, int) override {
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
                if (!job_) StartExport();
                return true;
            case IDCANCEL:
                // While it runs, 取消 stops the export and the dialog stays.
                if (!job_) return false;
                job_->cancel = true;
                return true;
            default:
                return false;
        }
    }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
        if (message == kProgressMessage) {
            SendDlgItemMessageW(hwnd(), IDC_EXP_PROGRESS, PBM_SETPOS, wParam, 0);
            return true;
        }
        if (message == kDoneMessage) {
            Finish();
            return true;
        }
        return false;
    }

private:
    void Browse() {
        std::wstring file = DialogItemWideText(hwnd(), IDC_EXP_PATH);
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
        file.resize(wcslen(file.c_str()));
        SetDlgItemTextW(hwnd(), IDC_EXP_PATH, file.c_str());
        replaceAgreed_ = file;  // the file dialog asked already
    }

    // A file already there is replaced only when the user says so.
    bool MayWrite(const std::wstring& path) {
        if (path == replaceAgreed_ || !FileExists(std::filesystem::path(path))) return true;
        const std::wstring text = TextNamingFile("这个文件已经存在：\n", path, "\n\n要替换它吗？");
        return ShowMessage(hwnd(), text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    }

    void StartExport() {
        BOOL read = FALSE;
        const UINT years = GetDlgItemInt(hwnd(), IDC_EXP_YEARS, &read, FALSE);
        if (!read || years < 1 || years > static_cast<UINT>(kIcsMostYears)) {
            ShowMessage(hwnd(), "请输入 1 到 100 之间的年数。", MB_OK | MB_ICONWARNING);
            SetFocus(Item(IDC_EXP_YEARS));
            return;
        }
        const std::wstring path = DialogItemWideText(hwnd(), IDC_EXP_PATH);
        if (path.empty()) {
            ShowMessage(hwnd(), "请选择要保存的文件。", MB_OK | MB_ICONWARNING);
            SetFocus(Item(IDC_EXP_PATH));
            return;
        }
        keepUpdated_ = IsDlgButtonChecked(hwnd(), IDC_EXP_KEEP_UPDATED) == BST_CHECKED;
        // Solvane.ini keeps its texts in GBK.
        if (keepUpdated_ && !GbkFromPath(std::filesystem::path(path))) {
            ShowMessage(hwnd(), "这个文件的路径中有无法记住的字符，不能保持更新。\n\n请换一个位置再试。",
                        MB_OK | MB_ICONWARNING);
            SetFocus(Item(IDC_EXP_PATH));
            return;
        }
        if (!MayWrite(path)) {
            SetFocus(Item(IDC_EXP_PATH));
            return;
        }
        auto job = std::make_unique<ExportJob>();
        SYSTEMTIME now;
        GetLocalTime(&now);
        job->moduleFolder = moduleFolder_;
        job->choices.firstYear = now.wYear;
        job->choices.years = static_cast<int>(years);
        job->choices.festivals = IsDlgButtonChecked(hwnd(), IDC_EXP_FESTIVALS) == BST_CHECKED;
        job->choices.ownFestivalsOnly = IsDlgButtonChecked(hwnd(), IDC_EXP_OWN_FESTIVALS) == BST_CHECKED;
        job->choices.reminders = IsDlgButtonChecked(hwnd(), IDC_EXP_REMINDERS) == BST_CHECKED;
        job->choices.solarTerms = IsDlgButtonChecked(hwnd(), IDC_EXP_TERMS) == BST_CHECKED;
        job->stamp = UtcNow();
        job->dialog = hwnd();
        thread_.reset(CreateThread(nullptr, 0, &ExportThread, job.get(), 0, nullptr));
        if (!thread_.get()) {
            ShowMessage(hwnd(), "无法开始导出，请稍后再试。", MB_OK | MB_ICONERROR);
            return;
        }
        job_ = std::move(job);
        path_ = path;
        ShowRunning(true);
    }

    // Every choice is frozen while the export runs; 取消 stops it.
    void ShowRunning(bool running) {
        for (const int id : {IDC_EXP_FESTIVALS, IDC_EXP_REMINDERS, IDC_EXP_TERMS, IDC_EXP_YEARS, IDC_EXP_PATH,
                             IDC_EXP_BROWSE, IDC_EXP_KEEP_UPDATED, IDOK}) {
            EnableWindow(Item(id), !running);
        }
        const BOOL festivals = !running && IsDlgButtonChecked(hwnd(), IDC_EXP_FESTIVALS) == BST_CHECKED;
        EnableWindow(Item(IDC_EXP_ALL_FESTIVALS), festivals);
        EnableWindow(Item(IDC_EXP_OWN_FESTIVALS), festivals);
        SendDlgItemMessageW(hwnd(), IDC_EXP_PROGRESS, PBM_SETPOS, 0, 0);
        ShowWindow(Item(IDC_EXP_PROGRESS), running ? SW_SHOW : SW_HIDE);
        ShowWindow(Item(IDC_EXP_LIMITS), running ? SW_HIDE : SW_SHOW);
        if (!running) SetFocus(Item(IDOK));
    }

    void StopExport() {
        if (!thread_.get()) return;
        if (job_) job_->cancel = true;
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }

    void Finish() {
        StopExport();  // the thread has posted its last message: this is a join
        const std::unique_ptr<ExportJob> job = std::move(job_);
        ShowRunning(false);
        if (!job) return;
        if (job->notRead) {
            ShowMessage(hwnd(), "节日或备忘文件暂时无法读取（可能被其他程序占用），没有写入文件。请稍后再试。",
                        MB_OK | MB_ICONWARNING);
            return;
        }
        switch (job->result.outcome) {
            case IcsOutcome::kCancelled:
                return;
            case IcsOutcome::kTooLarge:
                ShowMessage(hwnd(),
                            "要导出的内容超过了一个文件的上限（" + std::to_string(kIcsMaxEvents) + " 个事件、" +
                                std::to_string(kIcsMaxBytes >> 20) +
                                " MB），没有写入文件。\n\n请减少年数，或只导出自己添加的节日、不导出二十四节气。",
                            MB_OK | MB_ICONWARNING);
                SetFocus(Item(IDC_EXP_YEARS));
                return;
            case IcsOutcome::kWritten:
                break;
        }
        // A phone never gets half a file, and a failure leaves the old file as it was.
        if (!ReplaceFileAtomically(std::filesystem::path(path_), job->result.text)) {
            ShowMessage(hwnd(), "无法写入这个文件，请换一个位置再试。", MB_OK | MB_ICONERROR);
            return;
        }
        subscription_.keepUpdated = keepUpdated_;
        if (keepUpdated_) {
            subscription_.file = std::filesystem::path(path_);
            subscription_.choices = job->choices;
        }
        const std::wstring text =
            TextNamingFile("已导出 " + std::to_string(job->result.events) + " 个事件到：\n", path_,
                           "\n\n导入手机：把这个文件发到手机上（例如作为邮件附件），在手机上打开它，选择添加到日历。\n"
                           "导入邮件程序：在邮件程序的日历中选择「导入」，然后选中这个文件。\n"
                           "再次导出并导入时，已导入的事件会被更新，不会重复。") +
            (keepUpdated_ ? WideFromGbk("\n\n保持更新：以后每次保存节日或备忘，程序都会重写这个文件；"
                                        "订阅了这个文件的日历随之更新。")
                          : std::wstring());
        ShowMessage(hwnd(), text, MB_OK | MB_ICONINFORMATION);
        EndModal(IDOK);
    }

    std::filesystem::path moduleFolder_;
    IcsSubscription& subscription_;
    bool keepUpdated_ = false;    // 保持更新 as it was ticked for the running export
    std::wstring replaceAgreed_;  // the file the save dialog already asked about
    std::wstring path_;           // where the running export goes
    std::unique_ptr<ExportJob> job_;
    ScopedKernelHandle thread_;
};

}  // namespace

bool RunExportDialog(HWND owner, const std::filesystem::path& moduleFolder, IcsSubscription& subscription) {
    ExportDialog dialog(moduleFolder, subscription);
    return dialog.RunModal(IDD_EXPORT_DIALOG, owner) == IDOK;
}
