// The festival manager: all festival rules in a list with check boxes, to
// add, edit, delete, reorder, switch on and off and save. Opened for adding
// one festival ("quick add") it shows only the editor and saves at once.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/file_backup.h"
#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/session_end_guard.h"
#include "festivals/festival_manager_rows.h"

class FestivalManager : public DialogWindow {
public:
    enum Result : INT_PTR { kSaved = 1, kNotSaved = 2 };

    // `festivalFile` (GBK) is read when the dialog opens and written on saving.
    FestivalManager(std::string festivalFile, FestivalManagerPreset preset);

    // kSaved when the festival file was written, so that the caller reloads it.
    INT_PTR Run(HWND owner);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnInitDialog();
    void Finish(INT_PTR result);
    void OnCommand(int id);
    bool OnNotify(const NMHDR& header);

    void FillList();
    bool Add();
    void Edit(bool askForSelection);
    void Delete();
    void Move(bool up);
    void ShowRow(int row);
    // Takes the selection and the check boxes over from the list view.
    void TakeListState();
    bool Save();
    void SaveAndClose();
    void Close();

    HWND List() const;

    std::string festivalFile_;
    FestivalManagerPreset preset_;
    std::unique_ptr<FestivalRows> rows_;
    // The file was there but could not be read: the list lacks its rules.
    bool fileUnread_ = false;
    FileBaseline loaded_;  // what the file held when the list was filled
    DialogIcons icons_;
    DialogResizer resizer_;
    SessionEndGuard sessionEnd_;
};
