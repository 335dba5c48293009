#include "base/sound_path.h"

#include <gtest/gtest.h>

#include "base/data_paths.h"

namespace {

TEST(SoundPath, NetworkAndDevicePathsAreNeverOpened) {
    for (const char* path : {"\\\\host\\share\\a.wav", "\\\\?\\C:\\a.wav", "\\\\.\\pipe\\x", "//host/share/a.wav",
                             "\\/host\\a.wav"}) {
        EXPECT_TRUE(IsNetworkOrDevicePath(path)) << path;
        EXPECT_EQ(ResolveSoundFile("C:\\Tavro", path), "") << path;
    }
    EXPECT_FALSE(IsNetworkOrDevicePath("C:\\声音\\提醒.wav"));
    EXPECT_FALSE(IsNetworkOrDevicePath("\\a.wav"));
}

TEST(SoundPath, RelativeNamesResolveUnderTheSoundFolder) {
    EXPECT_EQ(ResolveSoundFile("C:\\Tavro", "生日.wav"), SoundFilePath("C:\\Tavro", "生日.wav"));
    EXPECT_EQ(ResolveSoundFile("C:\\Tavro", "D:\\Music\\a.wav"), "D:\\Music\\a.wav");
    EXPECT_EQ(ResolveSoundFile("C:\\Tavro", ""), "");
}

}  // namespace
