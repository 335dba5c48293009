#include "reminders/win/reminder_manager.h"

#include <utility>

#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/session_end_guard.h"
#include "calendar/win/system_time.h"
#include "reminders/reminder_file.h"
#include "reminders/reminder_manager_model.h"
#include "reminders/win/reminder_editor.h"
#include "resources/resource_ids.h"

namespace {

enum Result : INT_PTR { kNotSaved = 0, kSaved = 1 };

const char kUnsavedReason[] = "有尚未保存的备忘修改";

// Saving writes the whole list, so a list that lacks the memos of a file that
// is there but could not be read must never be saved over it.
std::string CannotReadMessage(const std::string& file) {
    return "无法读取备忘文件，修改不能保存：\n" + file +
           "\n\n打开备忘管理时没能读出这个文件，保存会用下面的列表替换整个文件，其中其余的备忘将会丢失。"
           "\n你的修改仍在列表中。请确认该文件没有被其他程序占用并且可以读取，然后关闭并重新打开备忘管理。"
           "\n超过 64 MB 的备忘文件被视为已损坏，不会读取；请把它移走或改名后再打开备忘管理。";
}

std::string BackupMessage(const std::string& copy) {
    return "备忘已保存。\n\n备忘文件在打开备忘管理后被其他程序改动过，或含有无法读取的记录，保存前已将原来的文件备份为：\n" +
           copy + "\n\n如需找回其中的内容，可以用记事本打开该备份。";
}

class ReminderManager : public DialogWindow {
public:
    ReminderManager(HWND owner, std::string file, ReminderManagerRequest request)
        : owner_(owner), file_(std::move(file)), request_(std::move(request)) {}

    bool Run() { return RunModal(IDD_REMINDER_MANAGER, owner_) == kSaved; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (resizer_.OnMessage(message, wParam, lParam, result)) return true;
        if (sessionEnd_.OnMessage(hwnd(), message, model_.modified(), kUnsavedReason, result)) return true;
        switch (message) {
            case WM_INITDIALOG:
                OnInitDialog();
                result = TRUE;
                return true;
            case WM_COMMAND:
                return OnCommand(LOWORD(wParam));
            case WM_NOTIFY: {
                const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                if (header->idFrom == IDC_REMINDER_LIST && header->code == NM_DBLCLK) {
                    if (list_view::Selected(List()) >= 0) Edit();
                    return true;
                }
                return false;
            }
            default:
                return false;
        }
    }

private:
    HWND List() const { return Item(IDC_REMINDER_LIST); }

    void OnInitDialog() {
        CenterOverOwner(hwnd(), owner_);
        icons_.SetWindowIcons(hwnd(), IDI_APPLICATION_ICON);
        icons_.SetButtonIcon(hwnd(), IDC_REMINDER_ADD, IDI_BUTTON_ADD);
        icons_.SetButtonIcon(hwnd(), IDC_REMINDER_EDIT, IDI_BUTTON_EDIT);
        icons_.SetButtonIcon(hwnd(), IDC_REMINDER_DELETE, IDI_BUTTON_DELETE);
        icons_.SetButtonIcon(hwnd(), IDOK, IDI_BUTTON_SAVE);
        resizer_.Attach(hwnd());
        resizer_.Anchor(IDC_REMINDER_LIST, DialogResizer::kGrowRight | DialogResizer::kGrowDown);

        std::vector<list_view::Column> columns;
        for (const ReminderColumn& column : ReminderManagerColumns()) columns.push_back({column.title, column.width});
        list_view::Setup(List(), columns, false, icons_.Load(IDI_MEMO_NOTE, 16));

        ReminderList rows;
        fileUnread_ = !LoadReminders(file_, rows, &loaded_);
        model_ = ReminderManagerModel(std::move(rows));
        for (int i = 0; i < model_.size(); ++i) list_view::Insert(List(), i, ReminderRowTexts(model_.row(i)), 0);

        // The editor runs before the list is ever shown; the dialog closes
        // again unless a failed save leaves it open with the new memo listed.
        if (request_.addMode) {
            if (!Add()) {
                EndDialog(hwnd(), kNotSaved);
            } else if (Save()) {
                EndDialog(hwnd(), kSaved);
            }
        }
    }

    bool OnCommand(int id) {
        switch (id) {
            case IDC_REMINDER_ADD:
                Add();
                return true;
            case IDC_REMINDER_EDIT:
                if (list_view::Selected(List()) < 0)
                    AskForSelection();
                else
                    Edit();
                return true;
            case IDC_REMINDER_DELETE:
                Delete();
                return true;
            case IDOK:
                if (list_view::EnterOnSelectedRow(List())) {
                    Edit();
                } else if (Save()) {
                    EndDialog(hwnd(), kSaved);
                }
                return true;
            case IDCANCEL:
                Close();
                return true;
            default:
                return false;
        }
    }

    void AskForSelection() { ShowMessage(hwnd(), "请先在下面的列表中选择一个项。", MB_OK | MB_ICONINFORMATION); }

    bool Add() {
        ReminderEditor editor(NewReminder(request_.date, request_.lunar, LocalNow()), "添加");
        if (!editor.Run(hwnd())) return false;
        const int row = model_.Add(editor.record());
        list_view::Insert(List(), row, ReminderRowTexts(model_.row(row)), 0);
        list_view::Select(List(), row);
        list_view::FocusList(List());
        return true;
    }

    void Edit() {
        const int row = list_view::Selected(List());
        if (row < 0 || row >= model_.size()) return;
        ReminderEditor editor(model_.row(row), "编辑");
        if (!editor.Run(hwnd())) return;
        model_.Replace(row, editor.record());
        list_view::SetCells(List(), row, ReminderRowTexts(model_.row(row)));
    }

    void Delete() {
        const int row = list_view::Selected(List());
        if (row < 0 || row >= model_.size()) {
            AskForSelection();
            return;
        }
        const int next = model_.Delete(row);
        list_view::Delete(List(), row);
        list_view::Select(List(), next);
        list_view::FocusList(List());
    }

    // Writes the whole list. A file that cannot be written is reported and
    // the dialog stays open with every change, so nothing typed is lost.
    bool Save() {
        if (fileUnread_) {
            ShowMessage(hwnd(), CannotReadMessage(file_), MB_OK | MB_ICONWARNING);
            if (!IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_SHOW);
            return false;
        }
        std::string copy;
        if (SaveReminders(file_, model_.rows(), &loaded_, &copy)) {
            model_.MarkSaved();
            if (!copy.empty()) ShowMessage(hwnd(), BackupMessage(copy), MB_OK | MB_ICONINFORMATION);
            return true;
        }
        ShowMessage(hwnd(),
                    "无法保存备忘文件：\n" + file_ +
                        "\n\n你的修改还没有保存。请确认该文件夹存在、文件没有被其他程序占用、磁盘没有写满，然后再点"
                        "“保存并关闭”。",
                    MB_OK | MB_ICONERROR);
        if (!IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_SHOW);
        return false;
    }

    void Close() {
        if (!model_.modified()) {
            EndDialog(hwnd(), kNotSaved);
            return;
        }
        const int answer = ShowMessage(hwnd(), "已经修改了备忘，是否保存？", "请确认", MB_OKCANCEL | MB_ICONQUESTION);
        if (answer != IDOK) {
            EndDialog(hwnd(), kNotSaved);
        } else if (Save()) {
            EndDialog(hwnd(), kSaved);
        }
    }

    HWND owner_;
    std::string file_;
    bool fileUnread_ = false;
    FileBaseline loaded_;  // what the file held when the list was loaded
    ReminderManagerRequest request_;
    ReminderManagerModel model_;
    DialogResizer resizer_;
    DialogIcons icons_;
    SessionEndGuard sessionEnd_;
};

}  // namespace

bool RunReminderManager(HWND owner, const std::string& reminderFile, const ReminderManagerRequest& request) {
    ReminderManager manager(owner, reminderFile, request);
    return manager.Run();
}
