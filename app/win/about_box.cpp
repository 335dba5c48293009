#include "app/win/about_box.h"

#include <optional>

#include "app/about_text.h"
#include "base/platform_folders.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "base/win/version_info.h"
#include "calendar/win/system_time.h"
#include "resources/resource_ids.h"

namespace {

std::optional<SystemTime> ExecutableLastWriteLocal() {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(ExecutableFileName().c_str(), GetFileExInfoStandard, &attributes)) return std::nullopt;
    FILETIME local{};
    SYSTEMTIME t{};
    if (!FileTimeToLocalFileTime(&attributes.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &t)) {
        return std::nullopt;
    }
    return SystemTimeFrom(t);
}

class AboutBox : public DialogWindow {
protected:
    bool OnCommand(int id, int) override {
        if (id != IDOK) return false;
        EndModal(IDOK);
        return true;
    }

    bool OnInitDialog() override {
        const ProductVersionInfo version = ReadProductVersionInfo();
        SetWindowTextW(hwnd(), (L"关于" + version.productName).c_str());
        SetDlgItemTextW(hwnd(), IDC_ABOUT_PRODUCT, version.productName.c_str());
        SetDlgItemTextW(hwnd(), IDC_ABOUT_VERSION,
                        WideFromGbk(AboutVersionText(GbkFromWide(version.productVersion))).c_str());
        SetDlgItemTextW(hwnd(), IDC_ABOUT_DATE, WideFromGbk(AboutUpdateDateText(ExecutableLastWriteLocal())).c_str());
        // A 32 x 32 picture of the application icon, kept until the dialog
        // object goes, after the window.
        if (const HICON icon = icons().Load(IDI_APPLICATION_ICON, 32)) {
            SendDlgItemMessageW(hwnd(), IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        }
        return true;
    }
};

}  // namespace

void ShowAboutBox(HWND owner) {
    AboutBox box;
    box.RunModal(IDD_ABOUT_BOX, owner);
}
