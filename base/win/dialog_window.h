// A window made from a dialog resource. Its messages reach the subclass
// through one member each: OnInitDialog, OnCommand, and OnMessage for the
// rest. Modeless windows are owned by the object: destroying the object
// destroys the window, and a window destroyed by the system (with its owner)
// lets go of the object.
//
// A modal dialog opens the same way every time (centred over its owner, with
// a taskbar button of its own when that owner is hidden, with the program's
// icons), ends through EndModal, and holds up log-off while it has changes
// the user has not saved.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "base/win/dialog_kit.h"
#include "base/win/message_loop.h"
#include "base/win/session_end_guard.h"

class DialogWindow : public MessageFilter {
public:
    DialogWindow() = default;
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The control with this identifier; null before creation or when absent.
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    bool IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    // Whether the modal dialog running, or the one that ran last, was ended
    // with `result` (EndModal): from then on, while its window goes away.
    bool EndedWith(INT_PTR result) const { return endedWith_ == result; }

    // Modeless: the window lives until Destroy, until its owner goes, or until
    // this object is destroyed. `loop` (may be null) gets the window's
    // keyboard filter while it exists.
    bool CreateModeless(int resourceId, HWND owner, MessageLoop* loop);
    void Destroy();

    // Modal: returns the code given to EndModal, or -1 when the dialog cannot
    // be created.
    INT_PTR RunModal(int resourceId, HWND owner);

    // Dialog keyboard handling (Tab, Enter, Esc) for the window's controls.
    bool PreTranslateMessage(MSG& message) override;

protected:
    // WM_INITDIALOG, after a modal dialog has been placed and given its icons.
    // Returns whether the system should put the focus on the first control.
    virtual bool OnInitDialog() { return true; }
    // WM_COMMAND from control `id` with notification `code`; true when
    // handled. An IDCANCEL left unhandled (Esc, the close box) ends a modal
    // dialog with IDCANCEL.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    // Every other message. Return true when it was handled; `result` is then
    // the message's result.
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }
    // After the resizer has laid out the controls for a new size: for a
    // dialog whose controls' contents depend on their width.
    virtual void OnResized() {}
    // While a modal dialog holds changes that closing would lose: the reason
    // (GBK) that Windows shows when log-off waits for it. Empty otherwise;
    // by default, the reason given to HoldLogOffWhileEdited once the user
    // has changed anything.
    virtual std::string UnsavedChanges() { return edited_ ? editedReason_ : std::string(); }

    // What a modal dialog gets before OnInitDialog: centred over its owner, a
    // taskbar button of its own when the owner is hidden, the program's icons.
    // A modeless dialog that opens like one calls it from OnInitDialog.
    void OpenOverOwner();
    // The same with the dialog beside its owner rather than over it: for a
    // modeless dialog whose work shows on the owner (days it marks there).
    // An owner moved aside to make room goes back when the dialog closes,
    // unless the user has moved it since.
    void OpenBesideOwner();

    // Ends a modal dialog with `result`. EndDialog only marks the dialog as
    // ended and the modal loop notices at its next message, which Wine does
    // not always send at once: one is posted.
    void EndModal(INT_PTR result);

    // Whether the user has typed, chosen or ticked anything since the dialog
    // opened (the dialog's own buttons do not count).
    bool edited() const { return edited_; }
    // An editor whose every change would be lost by closing it.
    void HoldLogOffWhileEdited(std::string reason) { editedReason_ = std::move(reason); }

    // Icons the dialog shows, freed with it.
    DialogIcons& icons() { return icons_; }
    // Attached in OnInitDialog, it makes the dialog resizable from its first
    // size up; until then it does nothing.
    DialogResizer& resizer() { return resizer_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool initialised_ = false;
    bool edited_ = false;
    std::optional<INT_PTR> endedWith_;  // by EndModal, in the modal run under way or the last
    std::string editedReason_;
    MessageLoop* loop_ = nullptr;
    DialogIcons icons_;
    DialogResizer resizer_;
    std::optional<OwnerMove> ownerMove_;
    SessionEndGuard sessionEnd_;
};
