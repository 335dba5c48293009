#include "base/sound_path.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::filesystem::path kFolder = std::filesystem::u8path(u8"C:/한글 😀 日历");

TEST(SoundPath, NetworkAndDevicePathsAreNeverOpened) {
    for (const char* path :
         {"\\\\host\\share\\a.wav", "\\\\?\\C:\\a.wav", "\\\\.\\pipe\\x", "//host/share/a.wav", "\\/host\\a.wav"}) {
        EXPECT_TRUE(IsNetworkOrDevicePath(path)) << path;
        EXPECT_TRUE(ResolveSoundFile(kFolder, path).empty()) << path;
    }
    EXPECT_FALSE(IsNetworkOrDevicePath("C:\\声音\\提醒.wav"));
    EXPECT_FALSE(IsNetworkOrDevicePath("\\a.wav"));
}

TEST(SoundPath, RelativeNamesResolveUnderTheSoundFolder) {
    EXPECT_EQ(ResolveSoundFile(kFolder, "生日.wav"), kFolder / "Sound" / std::filesystem::u8path(u8"生日.wav"));
    EXPECT_EQ(ResolveSoundFile(kFolder, "D:\\音乐\\a.wav"), std::filesystem::u8path(u8"D:/音乐/a.wav"));
    EXPECT_TRUE(ResolveSoundFile(kFolder, "").empty());
}

}  // namespace
