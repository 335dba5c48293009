// A window made from a dialog resource, whose messages go to one virtual
// handler (each subclass dispatches to one member per message). Modeless
// windows are owned by the object: destroying the object destroys the window,
// and a window destroyed by the system (with its owner) lets go of the object.
#pragma once

#include <windows.h>

#include "base/win/message_loop.h"

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

    // Modeless: the window lives until Destroy, until its owner goes, or until
    // this object is destroyed. `loop` (may be null) gets the window's
    // keyboard filter while it exists.
    bool CreateModeless(int resourceId, HWND owner, MessageLoop* loop);
    void Destroy();

    // Modal: returns the code given to EndDialog, or -1 when the dialog cannot
    // be created.
    INT_PTR RunModal(int resourceId, HWND owner);

    // Dialog keyboard handling (Tab, Enter, Esc) for the window's controls.
    bool PreTranslateMessage(MSG& message) override;

protected:
    // Return true when the message was handled; `result` is then the message's
    // result (for WM_INITDIALOG: whether the system should set the focus).
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool modal_ = false;
    MessageLoop* loop_ = nullptr;
};
