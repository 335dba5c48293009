#include <windows.h>

#include "base/win/gbk_text.h"
#include "tools/cli/executable_folder.h"

std::string ExecutableFolder() {
    wchar_t wide[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, wide, MAX_PATH * 4);
    if (length == 0 || length >= MAX_PATH * 4) return std::string();
    std::wstring path(wide, length);
    const size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return std::string();
    path.resize(separator);
    return GbkFromWide(path);
}
