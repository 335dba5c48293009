#include "festivals/win/festival_manager.h"

#include <utility>

#include "festivals/festival_file.h"
#include "festivals/win/festival_editor.h"
#include "resources/resource_ids.h"

namespace {

const char kNothingSelected[] = "请先在下面的列表中选择一个项。";
const char kNothingToMove[] = "请先选择一个项。";
const char kSavePrompt[] = "已经修改了节日，是否保存？";
const char kSavePromptCaption[] = "请确认";
std::string CannotSaveMessage(const std::string& file) {
    return "无法写入节日文件，修改尚未保存：\n" + file +
           "\n\n请确认该文件所在的文件夹存在、文件没有被其他程序占用、磁盘没有写满，然后再保存一次。";
}

// Saving writes the whole list, so a list that lacks the rules of a file that
// is there but could not be read must never be saved over it.
std::string CannotReadMessage(const std::string& file) {
    return "无法读取节日文件，修改不能保存：\n" + file +
           "\n\n打开节日管理时没能读出这个文件，保存会用下面的列表替换整个文件，其中其余的节日将会丢失。"
           "\n请确认该文件没有被其他程序占用并且可以读取，然后重新打开节日管理。"
           "\n超过 16 MB 的节日文件被视为已损坏，不会读取；请把它移走或改名后再打开节日管理。";
}

// A file changed since the manager read it, or with lines it could not read,
// is kept before the save replaces it; the user learns where.
std::string BackupMessage(const std::string& copy) {
    return "节日已保存。\n\n节日文件在打开节日管理后被其他程序改动过，或含有无法读取的行，保存前已将原来的文件备份为：\n" +
           copy + "\n\n如需找回其中的内容，可以用记事本打开该备份。";
}

const std::vector<list_view::Column>& Columns() {
    static const std::vector<list_view::Column> columns = {
        {"类型", 80}, {"日期类型", 80}, {"名称", 120}, {"日期", 150}, {"开始年份", 80}, {"结束日期", 100}, {"音乐", 90},
    };
    return columns;
}

}  // namespace

FestivalManager::FestivalManager(std::string festivalFile, FestivalManagerPreset preset)
    : festivalFile_(std::move(festivalFile)), preset_(std::move(preset)) {}

HWND FestivalManager::List() const { return Item(IDC_FESTIVAL_LIST); }

// EndDialog only marks the dialog as ended; the modal loop notices at its next
// message, which Wine does not always send at once.
void FestivalManager::Finish(INT_PTR result) {
    EndDialog(hwnd(), result);
    PostMessageW(hwnd(), WM_NULL, 0, 0);
}

INT_PTR FestivalManager::Run(HWND owner) { return RunModal(IDD_FESTIVAL_MANAGER, owner); }

bool FestivalManager::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (resizer_.OnMessage(message, wParam, lParam, result)) return true;
    if (sessionEnd_.OnMessage(hwnd(), message, rows_ && rows_->modified(), "有尚未保存的节日修改", result)) return true;
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            result = TRUE;
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) return false;
            OnCommand(LOWORD(wParam));
            return true;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        default:
            return false;
    }
}

void FestivalManager::OnInitDialog() {
    CenterOverOwner(hwnd(), GetWindow(hwnd(), GW_OWNER));
    icons_.SetWindowIcons(hwnd(), IDI_APPLICATION_ICON);
    resizer_.Attach(hwnd());
    resizer_.Anchor(IDC_FESTIVAL_LIST, DialogResizer::kGrowRight | DialogResizer::kGrowDown);
    resizer_.Anchor(IDC_FESTIVAL_UP, DialogResizer::kMoveRight);
    resizer_.Anchor(IDC_FESTIVAL_DOWN, DialogResizer::kMoveRight);

    list_view::Setup(List(), Columns(), true, icons_.Load(IDI_FESTIVAL_ROW, GetSystemMetrics(SM_CXSMICON)));
    icons_.SetButtonIcon(hwnd(), IDC_FESTIVAL_ADD, IDI_BUTTON_ADD);
    icons_.SetButtonIcon(hwnd(), IDC_FESTIVAL_EDIT, IDI_BUTTON_EDIT);
    icons_.SetButtonIcon(hwnd(), IDC_FESTIVAL_DELETE, IDI_BUTTON_DELETE);
    icons_.SetButtonIcon(hwnd(), IDOK, IDI_BUTTON_SAVE);
    icons_.SetButtonIcon(hwnd(), IDC_FESTIVAL_UP, IDI_BUTTON_UP);
    icons_.SetButtonIcon(hwnd(), IDC_FESTIVAL_DOWN, IDI_BUTTON_DOWN);

    FillList();
    if (!preset_.quickAdd) return;
    // Quick add: only the editor is seen; the manager closes with it. A new
    // festival that cannot be saved is not thrown away: the manager then
    // opens with it, to be saved again or dropped by the user.
    if (!Add()) {
        Finish(kNotSaved);
    } else if (Save()) {
        Finish(kSaved);
    }
}

void FestivalManager::FillList() {
    FestivalList rules;
    fileUnread_ = !LoadFestivals(rules, festivalFile_, &loaded_);
    rows_ = std::make_unique<FestivalRows>(rules);
    ListView_DeleteAllItems(List());
    for (int row = 0; row < rows_->size(); ++row) {
        list_view::Insert(List(), row, FestivalRowCells(rows_->rule(row)), 0);
        list_view::SetChecked(List(), row, rows_->checked(row));
    }
}

void FestivalManager::OnCommand(int id) {
    switch (id) {
        case IDC_FESTIVAL_ADD:
            Add();
            break;
        case IDC_FESTIVAL_EDIT:
            Edit(true);
            break;
        case IDC_FESTIVAL_DELETE:
            Delete();
            break;
        case IDC_FESTIVAL_UP:
            Move(true);
            break;
        case IDC_FESTIVAL_DOWN:
            Move(false);
            break;
        case IDOK:
            if (list_view::EnterOnSelectedRow(List()))
                Edit(false);
            else
                SaveAndClose();
            break;
        case IDCANCEL:  // the close box and Escape
            Close();
            break;
        default:
            break;
    }
}

bool FestivalManager::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_FESTIVAL_LIST || header.code != NM_DBLCLK) return false;
    // Only a double click on a row edits; one on the empty space does nothing.
    if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) Edit(false);
    return true;
}

void FestivalManager::TakeListState() {
    for (int row = 0; row < rows_->size(); ++row) rows_->SetChecked(row, list_view::Checked(List(), row));
    rows_->Select(list_view::Selected(List()));
}

void FestivalManager::ShowRow(int row) {
    list_view::SetCells(List(), row, FestivalRowCells(rows_->rule(row)));
    list_view::SetChecked(List(), row, rows_->checked(row));
}

bool FestivalManager::Add() {
    TakeListState();
    FestivalEditor editor(NewFestivalRule(preset_), "添加");
    if (editor.Run(hwnd()) != IDOK) return false;
    const int row = rows_->Add(editor.rule());
    list_view::Insert(List(), row, FestivalRowCells(rows_->rule(row)), 0);
    list_view::SetChecked(List(), row, true);
    list_view::Select(List(), row);
    list_view::FocusList(List());
    return true;
}

void FestivalManager::Edit(bool askForSelection) {
    TakeListState();
    const int row = rows_->selected();
    if (row < 0) {
        if (askForSelection) ShowMessage(hwnd(), kNothingSelected, MB_OK | MB_ICONINFORMATION);
        return;
    }
    FestivalEditor editor(rows_->rule(row), "编辑");
    if (editor.Run(hwnd()) != IDOK) return;
    rows_->EditSelected(editor.rule());
    list_view::SetCells(List(), row, FestivalRowCells(rows_->rule(row)));
}

void FestivalManager::Delete() {
    TakeListState();
    const int row = rows_->selected();
    if (!rows_->DeleteSelected()) {
        ShowMessage(hwnd(), kNothingSelected, MB_OK | MB_ICONINFORMATION);
        return;
    }
    list_view::Delete(List(), row);
    list_view::Select(List(), rows_->selected());
    list_view::FocusList(List());
}

void FestivalManager::Move(bool up) {
    TakeListState();
    const int from = rows_->selected();
    switch (up ? rows_->MoveSelectedUp() : rows_->MoveSelectedDown()) {
        case RowMove::kNoSelection:
            ShowMessage(hwnd(), kNothingToMove, MB_OK | MB_ICONWARNING);
            return;
        case RowMove::kAtEdge:
            list_view::FocusList(List());
            return;
        case RowMove::kMoved:
            break;
    }
    ShowRow(from);
    ShowRow(rows_->selected());
    list_view::Select(List(), rows_->selected());
    list_view::FocusList(List());
}

bool FestivalManager::Save() {
    TakeListState();
    if (fileUnread_) {
        ShowMessage(hwnd(), CannotReadMessage(festivalFile_), MB_OK | MB_ICONWARNING);
        return false;
    }
    std::string copy;
    if (SaveFestivals(rows_->ForSaving(), festivalFile_, &loaded_, &copy)) {
        if (!copy.empty()) ShowMessage(hwnd(), BackupMessage(copy), MB_OK | MB_ICONINFORMATION);
        return true;
    }
    // Ending as if saved would drop the user's changes without a word; the
    // dialog stays open with them instead.
    ShowMessage(hwnd(), CannotSaveMessage(festivalFile_), MB_OK | MB_ICONWARNING);
    return false;
}

void FestivalManager::SaveAndClose() {
    if (Save()) Finish(kSaved);
}

void FestivalManager::Close() {
    TakeListState();  // a changed check box is a change to ask about
    if (!rows_->modified()) {
        Finish(kNotSaved);
        return;
    }
    if (ShowMessage(hwnd(), kSavePrompt, kSavePromptCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        Finish(kNotSaved);
        return;
    }
    if (Save()) Finish(kSaved);
}
