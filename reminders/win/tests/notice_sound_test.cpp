#include "reminders/win/notice_sound.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
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
    EXPECT_TRUE(sound.Play(Write(L"节日's 音乐.wav", ShortWave()).wstring()));
    sound.Stop();
    sound.Stop();  // stopping twice is harmless
}

TEST_F(WaveFileSoundTest, RefusesWhatIsNoWaveSoTheCallerCanFallBack) {
    WaveFileSound sound;
    EXPECT_FALSE(sound.Play(Write(L"song.mp3", "ID3\x03 not a wave at all").wstring()));
    EXPECT_FALSE(sound.Play(Write(L"empty.wav", "").wstring()));
    EXPECT_FALSE(sound.Play((folder_ / L"missing.wav").wstring()));
}

}  // namespace
