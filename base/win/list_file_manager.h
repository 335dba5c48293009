// A modal dialog that manages one file of entries as a list (the festivals,
// the memos). It reads the file when it opens, lets the user add, edit and
// delete rows through an editor, and writes the whole list over the file
// when the user saves. Opened to add, it shows only the editor, saves what
// was confirmed and closes again.
//
// Saving never loses what the user keeps: a file that was there but could
// not be read is not saved over (the list lacks its entries), a file changed
// since it was read by another program is not written over unasked (see
// base/list_file_save.h), a file read with losses is copied away first, and
// a save that fails leaves the dialog open with every change; a file that
// could not be read at open is offered to be read again at the save, the new
// rows added to its entries.
// Closing over unsaved changes asks to save, discard or stay, and log-off
// waits for them (a ticked check box included).
//
// A subclass brings the rows: its model, its columns and its editor.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/file_backup.h"
#include "base/list_file_messages.h"
#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"

class ListFileManager : public DialogWindow {
public:
    enum Result : INT_PTR { kSaved = 1, kNotSaved = 2 };

    // kSaved when the file was written, so that the caller reads it again.
    Result Run(HWND owner);

protected:
    // A control and the icon it shows.
    struct Shown {
        int id;
        int icon;
    };
    struct Layout {
        int dialogId;
        ListFileWords words;
        // The list, with the icon before every row, and the buttons that add,
        // edit and delete rows; 保存并关闭 is IDOK.
        Shown list, add, edit, remove;
        int saveIcon;
        std::vector<list_view::Column> columns;
        bool checkBoxes;  // a check box before every row
    };
    // `file` is read when the dialog opens and written on saving.
    ListFileManager(std::filesystem::path file, Layout layout, bool addMode);

    // The rows, in file order. Load fills them from the file, false when the
    // file is there but could not be read; Save writes them over it, with a
    // copy kept first when the file is no longer what `loaded` says (its path
    // into `backup`).
    virtual bool Load(const std::filesystem::path& file, FileBaseline& loaded) = 0;
    virtual bool Save(const std::filesystem::path& file, const FileBaseline& loaded, std::filesystem::path& backup) = 0;
    // After Load failed: reads the file again and puts its entries before the
    // rows (which are then all the user's new ones); false, changing nothing,
    // when it still cannot be read.
    virtual bool TakeFileRowsFirst(const std::filesystem::path& file, FileBaseline& loaded) = 0;
    virtual int RowCount() const = 0;
    virtual std::vector<std::string> RowCells(int row) const = 0;
    virtual bool RowChecked(int /*row*/) const { return true; }
    // Whether a row was added, edited, deleted or moved since the file was read.
    virtual bool Modified() const = 0;

    // The editor, on a new entry or on the row's: the new row's index (-1
    // when the editor was cancelled), or whether the row was changed.
    virtual int AddRow() = 0;
    virtual bool EditRow(int row) = 0;
    // Removes the row; returns the row to select after it, -1 for none.
    virtual int DeleteRow(int row) = 0;
    // Opened to add: the entry the editor confirmed last, added again to
    // rows just read anew; its row, or -1 when there is none.
    virtual int AddAgain() = 0;

    // Opened on one entry (from the month's day menu): the row to edit or
    // delete at once, found once the list is filled (-1: the file no longer
    // holds it), and the entry's name for the question before deleting. The
    // list is never shown: what was confirmed is saved and the dialog closes,
    // as opened to add.
    struct RowAction {
        int row = -1;
        bool remove = false;
        std::string name;
    };
    virtual std::optional<RowAction> OpeningRowAction() { return std::nullopt; }

    // Before every action the rows are brought up to what the list shows
    // (the user ticks check boxes and selects rows in the list itself).
    virtual void TakeListState() {}
    // Anything more the dialog has besides the list and its four buttons.
    virtual void OnInitExtras() {}

    HWND List() const;
    // The row's texts and check box as the rows now have them.
    void ShowRow(int row);

    // Kept by AddRow and EditRow from before their editor opens until the
    // rows hold what it gave. From the editor's OK until the row is in the
    // list, neither the editor (an untouched new memo, or one whose form
    // changed no field, holds nothing it would lose) nor the rows have
    // anything unsaved, yet Windows may ask in that moment, while the
    // editor's window goes, and the program would end with the row unadded.
    // So meanwhile the manager asks a log-off to wait for it.
    class RowEditorOpen {
    public:
        RowEditorOpen(ListFileManager& manager, DialogWindow& editor) : manager_(manager) {
            manager_.rowEditor_ = &editor;
        }
        ~RowEditorOpen() { manager_.rowEditor_ = nullptr; }
        RowEditorOpen(const RowEditorOpen&) = delete;
        RowEditorOpen& operator=(const RowEditorOpen&) = delete;

    private:
        ListFileManager& manager_;
    };

    bool OnCommand(int id, int code) override;

private:
    bool OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    std::string UnsavedChanges() override;

    void FillList();
    void ActOnOpeningRow(const RowAction& action);
    void InsertRow(int row);
    bool Add();
    void Edit(bool askForSelection);
    void Delete();
    // Writes the whole list; false (told, with the dialog left open) when the
    // file was unread or could not be written.
    bool SaveList();
    void SaveAndClose();
    void Close();
    // The file was unread at open: offers to read it now and add the rows to
    // its entries. False when the user declines or it is still unreadable.
    bool ReadFileAgain();
    // The file changed since the list was filled: whether the save may go
    // on over it, after the user's choice or, opened to add, with the new
    // entry put into the file as it is now.
    bool SettleChangeOnDisk();
    // Fills the list from the file as it is now.
    void Reload();
    // A message naming the manager's file or its copy.
    void TellAbout(const TextAroundFile& text, const std::filesystem::path& file, UINT icon);
    void Refuse(const TextAroundFile& text, UINT icon);

    std::filesystem::path file_;
    Layout layout_;
    DialogWindow* rowEditor_ = nullptr;  // while a RowEditorOpen lasts
    bool addMode_;
    FileBaseline loaded_;  // what the file held when the list was filled
    // The file was there but could not be read: the list lacks its entries.
    bool fileUnread_ = false;
};
