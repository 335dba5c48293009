#include "notices/win/notice_sound.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

void Put32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

// A tenth of a second of silence, 8 kHz mono 8-bit.
std::string ShortWave() {
    const std::uint32_t samples = 800;
    std::string wave = "RIFF";
    Put32(wave, 36 + samples);
    wave += "WAVEfmt ";
    Put32(wave, 16);
    Put16(wave, 1);  // PCM
    Put16(wave, 1);
    Put32(wave, 8000);
    Put32(wave, 8000);
    Put16(wave, 1);
    Put16(wave, 8);
    wave += "data";
    Put32(wave, samples);
    wave.append(samples, static_cast<char>(0x80));
    return wave;
}

class WaveFileSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("notice-sound-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path Write(const std::wstring& name, const std::string& bytes) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    fs::path folder_;
};

TEST_F(WaveFileSoundTest, PlaysAWaveWhoseNameHoldsChineseAndAQuote) {
    WaveFileSound sound;
    const std::wstring wave = Write(L"节日's 音乐.wav", ShortWave()).wstring();
    sound.Play({wave});
    EXPECT_EQ(sound.AwaitChoice(10000), wave);
    sound.Stop();
    sound.Stop();  // stopping twice is harmless
    EXPECT_EQ(sound.AwaitChoice(0), L"");
}

TEST_F(WaveFileSoundTest, PassesOverWhatIsNoWaveToTheNextFile) {
    WaveFileSound sound;
    const std::wstring chime = Write(L"提醒.wav", ShortWave()).wstring();
    sound.Play({L"", Write(L"song.mp3", "ID3\x03 not a wave at all").wstring(), Write(L"empty.wav", "").wstring(),
                (folder_ / L"missing.wav").wstring(), folder_.wstring(), chime});
    EXPECT_EQ(sound.AwaitChoice(10000), chime);
    sound.Play({(folder_ / L"missing.wav").wstring()});
    EXPECT_EQ(sound.AwaitChoice(10000), L"") << "nothing to play: silence, not the system's default sound";
}

// A reader that holds on to its first file until the test lets it go, as a
// file held by a scanner or still being downloaded would.
// The reading thread shares the reader, which may outlive the test.
class HeldReader : public std::enable_shared_from_this<HeldReader> {
public:
    WaveFileSound::Reader reader() {
        return [self = shared_from_this()](const std::wstring& path, std::vector<char>& wave) {
            if (path == L"held") {
                std::unique_lock<std::mutex> lock(self->mutex_);
                self->reading_ = true;
                self->changed_.notify_all();
                self->changed_.wait(lock, [&] { return self->released_; });
                return WaveRead::kUnplayable;
            }
            return ReadWaveFile(path, WaveFileSound::kInMemoryLimit, wave);
        };
    }
    bool WaitReading() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return reading_; });
    }
    void Release() {
        const std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool reading_ = false;
    bool released_ = false;
};

TEST_F(WaveFileSoundTest, ASlowFileNeverHoldsUpTheCallerAndTheNextFilePlaysOnceItGivesUp) {
    auto held = std::make_shared<HeldReader>();
    WaveFileSound sound(held->reader());
    const std::wstring chime = Write(L"提醒.wav", ShortWave()).wstring();
    sound.Play({L"held", chime});  // returns while the first file is still being read
    ASSERT_TRUE(held->WaitReading());
    EXPECT_EQ(sound.AwaitChoice(0), std::nullopt) << "still reading";
    held->Release();
    EXPECT_EQ(sound.AwaitChoice(10000), chime);
    sound.Stop();
}

TEST_F(WaveFileSoundTest, AStopWhileAFileIsStillBeingReadMeansSilence) {
    auto held = std::make_shared<HeldReader>();
    WaveFileSound sound(held->reader());
    sound.Play({L"held", Write(L"提醒.wav", ShortWave()).wstring()});
    ASSERT_TRUE(held->WaitReading());
    sound.Stop();  // the window slid away meanwhile
    held->Release();
    Sleep(200);
    EXPECT_EQ(sound.AwaitChoice(0), L"");
}

}  // namespace
