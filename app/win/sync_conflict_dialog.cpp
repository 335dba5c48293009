#include "app/win/sync_conflict_dialog.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "resources/resource_ids.h"

namespace {

// "标题：…", "时间：…", "备注：…" (only when there is one), "提醒：…".
std::string VersionText(const std::string& objectText, int localOffsetMinutes, const char* gone) {
    if (objectText.empty()) return gone;
    const EventVersionText version = DescribeEventVersion(objectText, localOffsetMinutes);
    std::string text = "标题：" + version.title + "\r\n时间：" + version.when;
    if (!version.note.empty()) text += "\r\n备注：" + version.note;
    return text + "\r\n提醒：" + version.alerts;
}

class SyncConflictDialog : public DialogWindow {
public:
    SyncConflictDialog(std::vector<SyncChange> conflicts, const SyncConflictLink& link)
        : conflicts_(std::move(conflicts)), link_(link) {}

    bool applied() const { return applied_; }

protected:
    bool OnInitDialog() override {
        for (const SyncChange& conflict : conflicts_) {
            SendDlgItemMessageW(hwnd(), IDC_CONFLICT_LIST, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(WideFromGbk(conflict.label).c_str()));
        }
        SendDlgItemMessageW(hwnd(), IDC_CONFLICT_LIST, LB_SETCURSEL, 0, 0);
        ShowSelected();
        return true;
    }

    bool OnCommand(int id, int code) override {
        switch (id) {
            case IDC_CONFLICT_LIST:
                if (code == LBN_SELCHANGE) ShowSelected();
                return true;
            case IDC_CONFLICT_KEEP_PHONE:
                Choose(ConflictChoice::kKeepPhones);
                return true;
            case IDC_CONFLICT_PUT_BACK:
                Choose(ConflictChoice::kPutOursBack);
                return true;
            default:
                return false;
        }
    }

private:
    int Selected() const {
        const LRESULT row = SendDlgItemMessageW(hwnd(), IDC_CONFLICT_LIST, LB_GETCURSEL, 0, 0);
        return row == LB_ERR || row >= static_cast<LRESULT>(conflicts_.size()) ? -1 : static_cast<int>(row);
    }

    void ShowSelected() {
        const int row = Selected();
        const SyncChange* conflict = row < 0 ? nullptr : &conflicts_[static_cast<std::size_t>(row)];
        const int offset = link_.localOffsetMinutes;
        SetDialogItemText(hwnd(), IDC_CONFLICT_OURS,
                          conflict ? VersionText(conflict->ours, offset, "电脑上已删除") : std::string());
        SetDialogItemText(hwnd(), IDC_CONFLICT_THEIRS,
                          conflict ? VersionText(conflict->theirs, offset, "手机上已删除") : std::string());
        const bool keep = conflict && (!link_.canKeepPhone || link_.canKeepPhone(*conflict));
        EnableWindow(Item(IDC_CONFLICT_KEEP_PHONE), keep);
        EnableWindow(Item(IDC_CONFLICT_PUT_BACK), conflict != nullptr);
        SetDialogItemText(hwnd(), IDC_CONFLICT_STATUS,
                          conflict && !keep ? "手机上删除的是节日的一天：只能放回，或以后再说。" : std::string());
    }

    void Choose(ConflictChoice choice) {
        const int row = Selected();
        if (row < 0 || !link_.apply) return;
        const ConflictApplied done = link_.apply(conflicts_[static_cast<std::size_t>(row)], choice);
        if (!done.done) {
            SetDialogItemText(hwnd(), IDC_CONFLICT_STATUS, done.message);
            return;
        }
        applied_ = true;
        conflicts_.erase(conflicts_.begin() + row);
        SendDlgItemMessageW(hwnd(), IDC_CONFLICT_LIST, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
        if (conflicts_.empty()) {
            EndModal(IDOK);
            return;
        }
        SendDlgItemMessageW(hwnd(), IDC_CONFLICT_LIST, LB_SETCURSEL,
                            static_cast<WPARAM>(std::min<int>(row, static_cast<int>(conflicts_.size()) - 1)), 0);
        ShowSelected();
    }

    std::vector<SyncChange> conflicts_;
    const SyncConflictLink& link_;
    bool applied_ = false;
};

}  // namespace

bool RunSyncConflictDialog(HWND owner, std::vector<SyncChange> conflicts, const SyncConflictLink& link) {
    SyncConflictDialog dialog(std::move(conflicts), link);
    dialog.RunModal(IDD_SYNC_CONFLICT_DIALOG, owner);
    return dialog.applied();
}
