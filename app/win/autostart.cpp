#include "app/win/autostart.h"

#include <windows.h>

#include "base/win/scoped_win.h"

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\";

}  // namespace

std::wstring AutoStartCommand(const std::wstring& executable_path) { return L"\"" + executable_path + L"\""; }

bool SetAutoStart(const std::wstring& name, const std::wstring& executable_path) {
    // In quotes: a path with spaces is otherwise open to "C:\Program.exe".
    const std::wstring command = AutoStartCommand(executable_path);
    // Created when missing: a fresh user profile need not have a Run key yet.
    ScopedRegistryKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    const DWORD bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));  // with the zero
    const bool ok = RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                   bytes) == ERROR_SUCCESS;
    RegFlushKey(key.get());
    return ok;
}

bool ClearAutoStart(const std::wstring& name) {
    ScopedRegistryKey key;
    const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.Receive());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LONG deleted = RegDeleteValueW(key.get(), name.c_str());
    RegFlushKey(key.get());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

bool IsAutoStart(const std::wstring& name) {
    ScopedRegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) return false;
    return RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}
