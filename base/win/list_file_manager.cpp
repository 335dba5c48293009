#include "base/win/list_file_manager.h"

#include <utility>
#include <vector>

#include "base/list_file_save.h"
#include "base/win/screen_dpi.h"

ListFileManager::ListFileManager(std::filesystem::path file, Layout layout, bool addMode)
    : file_(std::move(file)), layout_(std::move(layout)), addMode_(addMode) {}

ListFileManager::Result ListFileManager::Run(HWND owner) {
    return RunModal(layout_.dialogId, owner) == kSaved ? kSaved : kNotSaved;
}

HWND ListFileManager::List() const { return Item(layout_.list.id); }

void ListFileManager::ShowRow(int row) {
    list_view::SetCells(List(), row, RowCells(row));
    if (layout_.checkBoxes) list_view::SetChecked(List(), row, RowChecked(row));
}

bool ListFileManager::OnInitDialog() {
    resizer().Attach(hwnd());
    resizer().Anchor(layout_.list.id, DialogResizer::kGrowRight | DialogResizer::kGrowDown);
    // Column widths are given for 100 %; the list's text grows with the DPI.
    std::vector<list_view::Column> columns = layout_.columns;
    const int dpi = WindowDpi(hwnd());
    for (list_view::Column& column : columns) column.width = MulDiv(column.width, dpi, 96);
    list_view::Setup(List(), columns, layout_.checkBoxes,
                     icons().Load(layout_.list.icon, GetSystemMetrics(SM_CXSMICON)));
    for (const Shown& button : {layout_.add, layout_.edit, layout_.remove, Shown{IDOK, layout_.saveIcon}})
        icons().SetButtonIcon(hwnd(), button.id, button.icon);
    OnInitExtras();

    fileUnread_ = !Load(file_, loaded_);
    FillList();
    if (const std::optional<RowAction> action = OpeningRowAction()) {
        ActOnOpeningRow(*action);
        return true;
    }
    if (!addMode_) return true;
    // The editor runs before the list is ever shown; the dialog closes again
    // unless a failed save leaves it open with the new entry listed.
    if (!Add()) {
        EndModal(kNotSaved);
    } else if (SaveList()) {
        EndModal(kSaved);
    }
    return true;
}

void ListFileManager::ActOnOpeningRow(const RowAction& action) {
    const int row = action.row;
    if (row < 0 || row >= RowCount()) {
        ShowMessage(hwnd(), EntryGoneText(layout_.words), MB_OK | MB_ICONINFORMATION);
        EndModal(kNotSaved);
        return;
    }
    list_view::Select(List(), row);
    if (action.remove) {
        if (ShowMessage(hwnd(), DeleteEntryQuestion(layout_.words, action.name), MB_YESNO | MB_ICONQUESTION) != IDYES) {
            EndModal(kNotSaved);
            return;
        }
        DeleteRow(row);
        list_view::Delete(List(), row);
    } else {
        if (!EditRow(row)) {
            EndModal(kNotSaved);
            return;
        }
        ShowRow(row);
    }
    // A failed save leaves the dialog open with the change listed.
    if (SaveList()) EndModal(kSaved);
}

void ListFileManager::FillList() {
    ListView_DeleteAllItems(List());
    for (int row = 0; row < RowCount(); ++row) InsertRow(row);
}

void ListFileManager::InsertRow(int row) {
    list_view::Insert(List(), row, RowCells(row), 0);
    if (layout_.checkBoxes) list_view::SetChecked(List(), row, RowChecked(row));
}

bool ListFileManager::OnCommand(int id, int code) {
    if (id == IDCANCEL) {  // the close box and Escape
        Close();
        return true;
    }
    if (code != BN_CLICKED) return false;
    if (id == layout_.add.id) {
        Add();
    } else if (id == layout_.edit.id) {
        Edit(true);
    } else if (id == layout_.remove.id) {
        Delete();
    } else if (id == IDOK) {
        // Enter on a selected row opens it, as a double click does, instead
        // of pressing the default button 保存并关闭.
        if (list_view::EnterOnSelectedRow(List()))
            Edit(false);
        else
            SaveAndClose();
    } else {
        return false;
    }
    return true;
}

bool ListFileManager::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (message != WM_NOTIFY) return false;
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (static_cast<int>(header.idFrom) != layout_.list.id || header.code != NM_DBLCLK) return false;
    // Only a double click on a row edits; one on the empty space does nothing.
    if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) Edit(false);
    return true;
}

std::string ListFileManager::UnsavedChanges() {
    TakeListState();  // a ticked check box is a change log-off must wait for
    const bool rowComing = rowEditor_ && rowEditor_->EndedWith(IDOK);
    return Modified() || rowComing ? UnsavedChangesReason(layout_.words) : std::string();
}

bool ListFileManager::Add() {
    TakeListState();
    const int row = AddRow();
    if (row < 0) return false;
    InsertRow(row);
    list_view::Select(List(), row);
    list_view::FocusList(List());
    return true;
}

void ListFileManager::Edit(bool askForSelection) {
    TakeListState();
    const int row = list_view::Selected(List());
    if (row < 0 || row >= RowCount()) {
        if (askForSelection) ShowMessage(hwnd(), kNothingSelectedText, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (EditRow(row)) ShowRow(row);
}

void ListFileManager::Delete() {
    TakeListState();
    const int row = list_view::Selected(List());
    if (row < 0 || row >= RowCount()) {
        ShowMessage(hwnd(), kNothingSelectedText, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const int next = DeleteRow(row);
    list_view::Delete(List(), row);
    list_view::Select(List(), next);
    list_view::FocusList(List());
}

bool ListFileManager::SaveList() {
    TakeListState();
    if (fileUnread_ && !ReadFileAgain()) return false;
    if (!SettleChangeOnDisk()) return false;
    std::filesystem::path backup;
    if (!Save(file_, loaded_, backup)) {
        // Ending as if saved would drop the user's changes without a word.
        Refuse(CannotSaveText(layout_.words), MB_ICONERROR);
        return false;
    }
    if (!backup.empty()) TellAbout(BackupKeptText(layout_.words, loaded_), backup, MB_ICONINFORMATION);
    return true;
}

bool ListFileManager::ReadFileAgain() {
    if (!IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_SHOW);
    const TextAroundFile ask = ReadAgainText(layout_.words);
    if (ShowMessage(hwnd(), TextNamingFile(ask.before, file_, ask.after), MB_YESNO | MB_ICONWARNING) != IDYES)
        return false;
    FileBaseline loaded;
    if (!TakeFileRowsFirst(file_, loaded)) {
        Refuse(CannotReadText(layout_.words), MB_ICONWARNING);
        return false;
    }
    loaded_ = loaded;
    fileUnread_ = false;
    FillList();
    return true;
}

bool ListFileManager::SettleChangeOnDisk() {
    switch (SaveStepFor(CompareWithBaseline(file_, loaded_), addMode_)) {
        case SaveStep::kWrite:
            return true;
        case SaveStep::kAddToFileAsItIsNow:
            Reload();
            if (AddAgain() < 0) return false;
            FillList();
            if (!fileUnread_) return true;
            // Taken by another program just now: the list shows only the new
            // entry, saved once the file can be read again.
            Refuse(CannotReadText(layout_.words), MB_ICONWARNING);
            return false;
        case SaveStep::kAskAboutChange:
            break;
    }
    const TextAroundFile ask = ChangedSinceReadText(layout_.words);
    switch (ShowMessage(hwnd(), TextNamingFile(ask.before, file_, ask.after), MB_YESNOCANCEL | MB_ICONWARNING)) {
        case IDYES:
            Reload();
            return false;
        case IDNO:
            return true;  // the save keeps the other version as a copy first
        default:
            return false;
    }
}

void ListFileManager::Reload() {
    fileUnread_ = !Load(file_, loaded_);
    FillList();
}

void ListFileManager::TellAbout(const TextAroundFile& text, const std::filesystem::path& file, UINT icon) {
    ShowMessage(hwnd(), TextNamingFile(text.before, file, text.after), MB_OK | icon);
}

// The dialog stays open with every change; opened to add, it shows the list
// with the new entry, to be saved again or dropped by the user.
void ListFileManager::Refuse(const TextAroundFile& text, UINT icon) {
    TellAbout(text, file_, icon);
    if (!IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_SHOW);
}

void ListFileManager::SaveAndClose() {
    if (SaveList()) EndModal(kSaved);
}

void ListFileManager::Close() {
    TakeListState();  // a changed check box is a change to ask about
    if (!Modified()) {
        EndModal(kNotSaved);
        return;
    }
    // 取消 stays in the manager with every change; only 否 drops them.
    const int answer =
        ShowMessage(hwnd(), SavePromptText(layout_.words), kSavePromptCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) {
        SaveAndClose();
    } else if (answer == IDNO) {
        EndModal(kNotSaved);
    }
}
