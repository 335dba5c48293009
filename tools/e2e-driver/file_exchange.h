// The driver and the hook inside the program talk through small files: each
// is written beside its place and moved there whole, so the other side never
// reads half of one, and read shared in every way, since the writer may be
// replacing it meanwhile.
#pragma once

#include <windows.h>

#include <string>

#include "base/win/scoped_win.h"

inline bool ReadFileText(const std::wstring& path, std::string& text) {
    const ScopedFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    text.clear();
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    return true;
}

inline bool WriteFileWhole(const std::wstring& path, const std::string& text) {
    const std::wstring partial = path + L".part";
    DWORD written = 0;
    {
        const ScopedFileHandle file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (!file) return false;
        WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    return written == text.size() && MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}
