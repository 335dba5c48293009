// Start at logon through the per-user Run key: one string value named after the
// product whose data is the executable's full path in quotes. Any value of
// that name counts as set, so the unquoted form older versions wrote does too.
#pragma once

#include <string>

// The value's data for a path: the path in double quotes.
std::wstring AutoStartCommand(const std::wstring& executable_path);
// Sets or replaces the value; false when the key cannot be opened or written.
bool SetAutoStart(const std::wstring& name, const std::wstring& executable_path);
// Deletes the value; true when it is gone afterwards (also when it never was).
bool ClearAutoStart(const std::wstring& name);
bool IsAutoStart(const std::wstring& name);
