#include "app/win/autostart.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/win/scoped_win.h"

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kName = L"Tavro日历 autostart test";

// The value exactly as the registry holds it: type and bytes.
bool ReadRunValue(DWORD& type, std::wstring& data, DWORD& bytes) {
    ScopedRegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) return false;
    wchar_t buffer[1024] = {};
    bytes = sizeof buffer;
    const bool ok = RegQueryValueExW(key.get(), kName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                     &bytes) == ERROR_SUCCESS;
    data = buffer;
    return ok;
}

class AutoStartTest : public ::testing::Test {
protected:
    void SetUp() override { ClearAutoStart(kName); }
    void TearDown() override { ClearAutoStart(kName); }
};

TEST_F(AutoStartTest, SettingStoresThePathInQuotesAsAString) {
    const std::wstring path = L"C:\\Program Files\\Tavro 日历\\Solvane.exe";
    ASSERT_TRUE(SetAutoStart(kName, path));
    EXPECT_TRUE(IsAutoStart(kName));
    DWORD type = 0, bytes = 0;
    std::wstring data;
    ASSERT_TRUE(ReadRunValue(type, data, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, L"\"" + path + L"\"");
    EXPECT_EQ(bytes, (path.size() + 3) * sizeof(wchar_t));  // the quotes and the terminating zero are stored
}

TEST_F(AutoStartTest, AnUnquotedValueOfAnOlderVersionCountsAsSet) {
    ScopedRegistryKey key;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr),
        ERROR_SUCCESS);
    const std::wstring old = L"C:\\Tavro\\Solvane.exe";
    ASSERT_EQ(RegSetValueExW(key.get(), kName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(old.c_str()),
                             static_cast<DWORD>((old.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    EXPECT_TRUE(IsAutoStart(kName));
}

TEST_F(AutoStartTest, ClearingRemovesTheValueAndMayBeRepeated) {
    ASSERT_TRUE(SetAutoStart(kName, L"C:\\a.exe"));
    ASSERT_TRUE(SetAutoStart(kName, L"C:\\b.exe"));
    DWORD type = 0, bytes = 0;
    std::wstring data;
    ASSERT_TRUE(ReadRunValue(type, data, bytes));
    EXPECT_EQ(data, L"\"C:\\b.exe\"");
    EXPECT_TRUE(ClearAutoStart(kName));
    EXPECT_FALSE(IsAutoStart(kName));
    EXPECT_TRUE(ClearAutoStart(kName));
}

TEST_F(AutoStartTest, OtherProgramsValuesAreNotTouched) {
    const std::wstring other = kName + L" (other)";
    ASSERT_TRUE(SetAutoStart(other, L"C:\\other.exe"));
    ASSERT_TRUE(SetAutoStart(kName, L"C:\\a.exe"));
    EXPECT_TRUE(ClearAutoStart(kName));
    EXPECT_TRUE(IsAutoStart(other));
    ClearAutoStart(other);
}

}  // namespace
