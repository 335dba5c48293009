#include <windows.h>

#include <string>

#include "menu_hook.h"

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], length, nullptr, nullptr);
    return out;
}

std::string Describe(HMENU menu) {
    std::string out;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.fType & MFT_SEPARATOR)
            out += "separator\n";
        else if (info.hSubMenu)
            out += "popup\t" + Utf8(text) + "\n";
        else
            out += "item\t" + std::to_string(info.wID) + "\t" + Utf8(text) + "\n";
    }
    return out;
}

void Dump(HWND popup) {
    const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
    if (!menu) return;
    const std::string text = Describe(menu);
    const std::wstring path = MenuDumpPath();
    const std::wstring partial = path + L".part";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK SolvaneE2EGetMessageHook(int code, WPARAM wParam,
                                                                           LPARAM lParam) {
    static const UINT dump = RegisterWindowMessageW(kDumpMenuMessageName);
    if (code == HC_ACTION) {
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        if (message->message == dump && message->hwnd) Dump(message->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
