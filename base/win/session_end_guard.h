// Log-off and shutdown while a dialog holds changes the user has not saved:
// Windows is asked to wait, with a reason it shows beside the program's name,
// and the dialog comes forward so the user can save or discard them.
#pragma once

#include <windows.h>

class SessionEndGuard {
public:
    SessionEndGuard() = default;
    ~SessionEndGuard();
    SessionEndGuard(const SessionEndGuard&) = delete;
    SessionEndGuard& operator=(const SessionEndGuard&) = delete;

    // Answers WM_QUERYENDSESSION and WM_ENDSESSION for `window`: while
    // `unsaved`, the query is refused with `reason` (GBK) registered for the
    // window; WM_ENDSESSION, whether the session ends or not, takes the reason
    // back. True when the message was one of the two; `result` is its answer.
    bool OnMessage(HWND window, UINT message, bool unsaved, const char* reason, LRESULT& result);

    // A WM_COMMAND that tells of the user changing a control (typing, choosing,
    // ticking), as opposed to the dialog's own buttons.
    static bool IsEdit(WPARAM wParam);

private:
    void Release();

    HWND blocked_ = nullptr;
};
