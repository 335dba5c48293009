// What the program's editing dialogs share: placement, resizing with a size
// grip and a minimum size, button and row icons, list views whose rows carry
// data, and combo boxes whose items carry numeric codes. Texts cross this
// boundary as GBK, like everywhere else in the program.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/win/scoped_win.h"

// Centres `dialog` over `owner`, or over the work area of the monitor the
// dialog is on when the owner is missing, hidden or minimised. The result is
// kept inside that work area.
void CenterOverOwner(HWND dialog, HWND owner);

// Places `dialog` beside `owner`, a few dialog units away, for a dialog whose
// work shows on its owner; where there is no room beside it, the owner moves
// aside (PlaceSideBySide). Centred as above when the owner is missing, hidden
// or minimised. Where the owner moved: from where, to where.
struct OwnerMove {
    RECT from;
    RECT to;
};
std::optional<OwnerMove> PlaceBesideOwner(HWND dialog, HWND owner);

// Gives the dialog a taskbar button of its own when its owner is missing or
// hidden (a dialog opened from the tray, an editor opened without its list),
// so that it cannot get lost behind other windows. Call before it is shown.
void ShowInTaskbarWhenAlone(HWND dialog);

// A message box with the program's product name as caption unless one is given.
int ShowMessage(HWND owner, const std::string& gbkText, UINT flags);
int ShowMessage(HWND owner, const std::string& gbkText, const std::string& gbkCaption, UINT flags);
int ShowMessage(HWND owner, const std::wstring& text, UINT flags);

// A message that names a file: GBK texts around the path, which keeps its own
// characters (a folder named in Hangul is shown as it is, not as "?").
std::wstring TextNamingFile(std::string_view gbkBefore, const std::filesystem::path& file,
                            std::string_view gbkAfter = {});

// Control texts in GBK. Input to be kept asks whether some typed character
// has no GBK form (it comes out as "?"), so that it can be refused.
std::string DialogItemText(HWND dialog, int id);
std::string DialogItemText(HWND dialog, int id, bool& lostCharacters);
void SetDialogItemText(HWND dialog, int id, const std::string& gbk);
// A control's text as typed, for what is not GBK text: a path.
std::wstring DialogItemWideText(HWND dialog, int id);

// Moves and stretches controls as their dialog is resized. The size the dialog
// has when `Attach` is called is its minimum size; a size grip sits in the
// lower right corner except while the dialog is maximised.
class DialogResizer {
public:
    enum Anchor : unsigned {
        kStay = 0,
        kMoveRight = 1,  // keeps its distance from the right edge
        kMoveDown = 2,   // keeps its distance from the bottom edge
        kGrowRight = 4,  // its right edge follows the dialog's
        kGrowDown = 8,   // its bottom edge follows the dialog's
    };

    void Attach(HWND dialog);
    void Anchor(int controlId, unsigned anchors);
    // Attach, then each control's anchors.
    struct Anchoring {
        int controlId;
        unsigned anchors;
    };
    void Attach(HWND dialog, std::initializer_list<Anchoring> anchorings);
    // WM_SIZE and WM_GETMINMAXINFO; returns true when the message was handled.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    struct Placement {
        HWND control;
        RECT start;  // in client coordinates at attach time
        unsigned anchors;
    };
    void Layout(int width, int height);

    HWND dialog_ = nullptr;
    HWND grip_ = nullptr;
    SIZE minimum_{};  // window size
    SIZE startClient_{};
    std::vector<Placement> placements_;
};

// Icons from the executable's resources at a given pixel size; the holder
// frees them. Missing icons leave the control as it was.
class DialogIcons {
public:
    HICON Load(int iconId, int size);
    // Shows the icon on a push button beside (or instead of) its text.
    void SetButtonIcon(HWND dialog, int buttonId, int iconId, int size = 16);
    // The dialog's caption and taskbar icons.
    void SetWindowIcons(HWND dialog, int iconId);
    // The same from the executable's own icon: the first of its icon
    // resources, the one Explorer shows for the program.
    void SetProgramIcons(HWND dialog);

private:
    std::vector<ScopedIcon> icons_;
};

// Report-style list views whose rows each carry one pointer-sized value.
namespace list_view {

struct Column {
    std::string title;  // GBK
    int width;          // pixels; 0 hides the column
};

// Full-row selection, optional check boxes and one small icon for every row
// (the image list is owned by the control and freed with it).
void Setup(HWND list, const std::vector<Column>& columns, bool checkBoxes, HICON rowIcon);

int Count(HWND list);
int Selected(HWND list);  // -1 when no row is selected
// Selects, focuses and scrolls to the row; -1 or out of range selects nothing.
void Select(HWND list, int row);

// Whether the press of the default button that a dialog made of the Enter
// key was meant for the list: the list has the keyboard focus, a row is
// selected and Enter is down. A manager whose default button saves and closes
// opens the row instead, as a double click does.
bool EnterOnSelectedRow(HWND list);

// Moves the keyboard focus to the list, as the dialog's Tab key would, so
// that the arrows and Enter act on the rows after a button was pressed.
void FocusList(HWND list);

// Inserts at `row` (clamped to the end) and returns the new row's index.
int Insert(HWND list, int row, const std::vector<std::string>& cells, LPARAM data);
void SetCells(HWND list, int row, const std::vector<std::string>& cells);
std::string Cell(HWND list, int row, int column);
LPARAM Data(HWND list, int row);
void SetData(HWND list, int row, LPARAM data);
void Delete(HWND list, int row);

bool Checked(HWND list, int row);
void SetChecked(HWND list, int row, bool checked);

// Widens each column that is narrower than its title or its widest cell, in
// the list's font at this scale (a Chinese fallback face is wider than dialog
// units assume), so that no text ends in "..."; columns are never narrowed.
// Returns the width of all columns together.
int FitColumns(HWND list);

}  // namespace list_view

// Combo boxes (drop-down lists and editable combos) whose items carry codes.
namespace combo {

struct Item {
    std::string text;  // GBK
    int code;
};

void Fill(HWND combo, const std::vector<Item>& items);
// Selects the item with the code; false (and nothing selected) when none has it.
bool SelectCode(HWND combo, int code);
// The code of the selected item, or `fallback` when none is selected.
int SelectedCode(HWND combo, int fallback);
// The code of the item whose text equals the control's current text (what
// the user typed or picked), or nothing when no item has that text.
bool CodeOfText(HWND combo, int& code);
std::string Text(HWND combo);
void SetText(HWND combo, const std::string& gbk);

}  // namespace combo
