// Log-off and shutdown while a dialog holds changes the user has not saved:
// Windows is asked to wait, with a reason it shows beside the program's name,
// and the dialog comes forward so the user can save or discard them.
#pragma once

#include <windows.h>

#include <string>

class SessionEndGuard {
public:
    SessionEndGuard() = default;
    ~SessionEndGuard();
    SessionEndGuard(const SessionEndGuard&) = delete;
    SessionEndGuard& operator=(const SessionEndGuard&) = delete;

    // The answer to WM_QUERYENDSESSION for `window`: TRUE (the session may
    // end) when `unsavedReason` is empty; otherwise FALSE, with the reason
    // (GBK) registered for the window until WM_ENDSESSION.
    LRESULT OnQueryEndSession(HWND window, const std::string& unsavedReason);
    // WM_ENDSESSION, whether the session ends or not: the reason goes.
    void OnEndSession() { Release(); }

    // A WM_COMMAND that tells of the user changing a control (typing, choosing,
    // ticking), as opposed to the dialog's own buttons.
    static bool IsEdit(WPARAM wParam);

private:
    void Release();

    HWND blocked_ = nullptr;
};
