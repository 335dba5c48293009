#include "app/win/about_box.h"

#include <optional>

#include "app/about_text.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "base/win/scoped_win.h"
#include "base/win/version_info.h"
#include "calendar/win/system_time.h"
#include "resources/resource_ids.h"

namespace {

std::optional<SystemTime> ExecutableLastWriteLocal() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &attributes)) return std::nullopt;
    FILETIME local{};
    SYSTEMTIME t{};
    if (!FileTimeToLocalFileTime(&attributes.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &t)) {
        return std::nullopt;
    }
    return SystemTimeFrom(t);
}

class AboutBox : public DialogWindow {
protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        switch (message) {
            case WM_INITDIALOG:
                OnInitDialog();
                result = TRUE;
                return true;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                    EndDialog(hwnd(), LOWORD(wParam));
                    return true;
                }
                return false;
            default:
                return false;
        }
    }

private:
    void OnInitDialog() {
        const ProductVersionInfo version = ReadProductVersionInfo();
        SetWindowTextW(hwnd(), (L"关于" + version.productName).c_str());
        SetDlgItemTextW(hwnd(), IDC_ABOUT_PRODUCT, version.productName.c_str());
        SetDlgItemTextW(hwnd(), IDC_ABOUT_VERSION,
                        WideFromGbk(AboutVersionText(GbkFromWide(version.productVersion))).c_str());
        SetDlgItemTextW(hwnd(), IDC_ABOUT_DATE, WideFromGbk(AboutUpdateDateText(ExecutableLastWriteLocal())).c_str());
        // A 32 x 32 picture of the application icon; the dialog keeps it
        // until it closes, the scoped owner frees it after.
        icon_.reset(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, 32, 32, 0)));
        if (icon_) SendDlgItemMessageW(hwnd(), IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
    }

    ScopedIcon icon_;
};

}  // namespace

void ShowAboutBox(HWND owner) {
    AboutBox box;
    box.RunModal(IDD_ABOUT_BOX, owner);
}
