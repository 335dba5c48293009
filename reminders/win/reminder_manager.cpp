#include "reminders/win/reminder_manager.h"

#include <cstring>
#include <optional>
#include <utility>

#include "base/win/list_file_manager.h"
#include "calendar/win/system_time.h"
#include "reminders/reminder_file.h"
#include "reminders/reminder_manager_model.h"
#include "reminders/win/reminder_editor.h"
#include "resources/resource_ids.h"

namespace {

class ReminderManager : public ListFileManager {
public:
    ReminderManager(std::filesystem::path file, ReminderManagerRequest request)
        : ListFileManager(std::move(file), ManagerLayout(), request.addMode), request_(std::move(request)) {}

protected:
    bool Load(const std::filesystem::path& file, FileBaseline& loaded) override {
        ReminderList rows;
        const bool read = LoadReminders(file, rows, &loaded);
        model_ = ReminderManagerModel(std::move(rows));
        return read;
    }
    bool Save(const std::filesystem::path& file, const FileBaseline& loaded, std::filesystem::path& backup) override {
        return SaveReminders(file, model_.rows(), &loaded, &backup);
    }
    bool TakeFileRowsFirst(const std::filesystem::path& file, FileBaseline& loaded) override {
        ReminderList fileRows;
        if (!LoadReminders(file, fileRows, &loaded)) return false;
        model_.PutFileRowsFirst(fileRows);
        return true;
    }
    int RowCount() const override { return model_.size(); }
    std::vector<std::string> RowCells(int row) const override { return ReminderRowTexts(model_.row(row)); }
    bool Modified() const override { return model_.modified(); }

    // At the end of the list.
    int AddRow() override {
        ReminderEditor editor(NewReminder(request_.date, request_.lunar, LocalNow(), request_.leapMonth), "添加");
        const RowEditorOpen open(*this, editor);
        if (!editor.Run(hwnd())) return -1;
        added_ = editor.record();
        return model_.Add(*added_);
    }
    int AddAgain() override { return added_ ? model_.Add(*added_) : -1; }
    bool EditRow(int row) override {
        ReminderEditor editor(model_.row(row), "编辑");
        const RowEditorOpen open(*this, editor);
        if (!editor.Run(hwnd())) return false;
        model_.Replace(row, editor.record());
        return true;
    }
    int DeleteRow(int row) override { return model_.Delete(row); }
    std::optional<RowAction> OpeningRowAction() override {
        if (!request_.reminder) return std::nullopt;
        // The memo as the month had it from the file, byte for byte.
        RowAction action{-1, request_.remove, ReminderHeadline(*request_.reminder, 40)};
        for (int row = 0; row < model_.size(); ++row) {
            if (std::memcmp(&model_.row(row), &*request_.reminder, sizeof(Reminder)) == 0) {
                action.row = row;
                break;
            }
        }
        return action;
    }

private:
    static Layout ManagerLayout() {
        Layout layout{IDD_REMINDER_MANAGER,
                      kReminderFileWords,
                      {IDC_MANAGER_LIST, IDI_REMINDER_NOTE},
                      {IDC_MANAGER_ADD, IDI_BUTTON_ADD},
                      {IDC_MANAGER_EDIT, IDI_BUTTON_EDIT},
                      {IDC_MANAGER_DELETE, IDI_BUTTON_DELETE},
                      IDI_BUTTON_SAVE,
                      {},
                      false};
        for (const ReminderColumn& column : ReminderManagerColumns())
            layout.columns.push_back({column.title, column.width});
        return layout;
    }

    ReminderManagerRequest request_;
    ReminderManagerModel model_;
    std::optional<Reminder> added_;  // the last memo confirmed in the add editor
};

}  // namespace

bool RunReminderManager(HWND owner, const std::filesystem::path& reminderFile, const ReminderManagerRequest& request) {
    ReminderManager manager(reminderFile, request);
    return manager.Run(owner) == ListFileManager::kSaved;
}
