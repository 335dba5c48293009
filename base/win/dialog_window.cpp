#include "base/win/dialog_window.h"

namespace {

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

}  // namespace

DialogWindow::~DialogWindow() { Destroy(); }

bool DialogWindow::CreateModeless(int resourceId, HWND owner, MessageLoop* loop) {
    if (hwnd_) return true;
    loop_ = loop;
    modal_ = false;
    initialised_ = false;
    edited_ = false;
    const HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner,
                                           &DialogWindow::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window) {
        loop_ = nullptr;
        return false;
    }
    if (loop_) loop_->AddFilter(this);
    return true;
}

void DialogWindow::Destroy() {
    if (hwnd_ && !modal_) DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
}

INT_PTR DialogWindow::RunModal(int resourceId, HWND owner) {
    modal_ = true;
    initialised_ = false;
    edited_ = false;
    endedWith_.reset();
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner,
                                           &DialogWindow::DialogProc, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

void DialogWindow::EndModal(INT_PTR result) {
    endedWith_ = result;
    EndDialog(hwnd_, result);
    PostMessageW(hwnd_, WM_NULL, 0, 0);
}

bool DialogWindow::PreTranslateMessage(MSG& message) {
    if (!hwnd_ || !message.hwnd) return false;
    if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    return IsDialogMessageW(hwnd_, &message) != FALSE;
}

// Before the dialog is first shown. A dialog opened from the tray has a hidden
// owner: with a taskbar button of its own it cannot get lost behind other
// windows.
void DialogWindow::OpenOverOwner() {
    CenterOverOwner(hwnd_, GetWindow(hwnd_, GW_OWNER));
    ShowInTaskbarWhenAlone(hwnd_);
    icons_.SetProgramIcons(hwnd_);
}

void DialogWindow::OpenBesideOwner() {
    ownerMove_ = PlaceBesideOwner(hwnd_, GetWindow(hwnd_, GW_OWNER));
    ShowInTaskbarWhenAlone(hwnd_);
    icons_.SetProgramIcons(hwnd_);
}

bool DialogWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (resizer_.OnMessage(message, wParam, lParam, result)) {
        if (message == WM_SIZE) OnResized();
        return true;
    }
    switch (message) {
        case WM_INITDIALOG:
            if (modal_) OpenOverOwner();
            result = OnInitDialog() ? TRUE : FALSE;
            initialised_ = true;
            return true;
        case WM_COMMAND: {
            if (initialised_ && SessionEndGuard::IsEdit(wParam)) edited_ = true;
            const int id = LOWORD(wParam);
            if (OnCommand(id, HIWORD(wParam))) return true;
            if (!modal_ || id != IDCANCEL) return false;
            EndModal(IDCANCEL);
            return true;
        }
        case WM_DESTROY:
            if (ownerMove_) {
                const HWND owner = GetWindow(hwnd_, GW_OWNER);
                RECT now{};
                if (owner && GetWindowRect(owner, &now) && EqualRect(&now, &ownerMove_->to)) {
                    SetWindowPos(owner, nullptr, ownerMove_->from.left, ownerMove_->from.top, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                }
                ownerMove_.reset();
            }
            break;
        case WM_QUERYENDSESSION:
            if (!modal_) break;
            result = sessionEnd_.OnQueryEndSession(hwnd_, UnsavedChanges());
            return true;
        case WM_ENDSESSION:
            if (!modal_) break;
            sessionEnd_.OnEndSession();
            result = 0;
            return true;
        default:
            break;
    }
    return OnMessage(message, wParam, lParam, result);
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogWindow* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = window;
    } else {
        self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self) return FALSE;

    LRESULT result = 0;
    const bool handled = self->Dispatch(message, wParam, lParam, result);

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        if (self->loop_) self->loop_->RemoveFilter(self);
        self->loop_ = nullptr;
        self->hwnd_ = nullptr;
    }
    if (!handled) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}
