#include "base/win/version_info.h"

#include <windows.h>

#include <vector>

#include "base/platform_folders.h"

namespace {

std::wstring QueryString(const std::vector<BYTE>& block, const wchar_t* translation, const wchar_t* name) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\") + translation + L"\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || !value || length == 0) return std::wstring();
    return std::wstring(static_cast<const wchar_t*>(value));
}

}  // namespace

ProductVersionInfo ReadProductVersionInfo() {
    ProductVersionInfo info;
    const std::wstring path = ExecutableFileName().native();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size > 0) {
        std::vector<BYTE> block(size);
        if (GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
            // The first translation the resource declares names its string table.
            struct Translation {
                WORD language;
                WORD codePage;
            }* translations = nullptr;
            UINT length = 0;
            wchar_t table[16] = L"080404b0";
            if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                               &length) &&
                translations && length >= sizeof(Translation)) {
                wsprintfW(table, L"%04x%04x", translations[0].language, translations[0].codePage);
            }
            info.productName = QueryString(block, table, L"ProductName");
            info.productVersion = QueryString(block, table, L"ProductVersion");
        }
    }
    if (info.productName.empty()) {
        const size_t slash = path.find_last_of(L"\\/");
        info.productName = slash == std::wstring::npos ? path : path.substr(slash + 1);
    }
    return info;
}

std::wstring ProductName() { return ReadProductVersionInfo().productName; }
