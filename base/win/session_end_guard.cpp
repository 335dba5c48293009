#include "base/win/session_end_guard.h"

#include "base/win/gbk_text.h"

namespace {

// Looked up at run time: Windows XP has neither.
using BlockReasonCreate = BOOL(WINAPI*)(HWND, LPCWSTR);
using BlockReasonDestroy = BOOL(WINAPI*)(HWND);

template <typename Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

SessionEndGuard::~SessionEndGuard() { Release(); }

LRESULT SessionEndGuard::OnQueryEndSession(HWND window, const std::string& unsavedReason) {
    if (unsavedReason.empty()) return TRUE;
    if (!blocked_) {
        const auto create = User32Function<BlockReasonCreate>("ShutdownBlockReasonCreate");
        if (create && create(window, WideFromGbk(unsavedReason).c_str())) blocked_ = window;
    }
    // The top of the stack of modal windows over it: an editor or a message box.
    HWND front = GetLastActivePopup(window);
    SetForegroundWindow(front ? front : window);
    FlashWindow(window, TRUE);
    return FALSE;
}

bool SessionEndGuard::IsEdit(WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) return false;
    const UINT code = HIWORD(wParam);
    return code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED;
}

void SessionEndGuard::Release() {
    if (!blocked_) return;
    const auto destroy = User32Function<BlockReasonDestroy>("ShutdownBlockReasonDestroy");
    if (destroy) destroy(blocked_);
    blocked_ = nullptr;
}
