#include "reminders/win/notice_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "base/win/scoped_win.h"

namespace {

enum class WaveRead { kRead, kTooLarge, kUnplayable };

// The whole file when it is a RIFF wave of at most `limit` bytes.
WaveRead ReadWaveFile(const std::wstring& path, unsigned long limit, std::vector<char>& wave) {
    ScopedKernelHandle file;
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return WaveRead::kUnplayable;
    file.reset(opened);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 12) return WaveRead::kUnplayable;
    if (size.QuadPart > static_cast<LONGLONG>(limit)) return WaveRead::kTooLarge;
    wave.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), wave.data(), static_cast<DWORD>(wave.size()), &read, nullptr) || read != wave.size() ||
        std::memcmp(wave.data(), "RIFF", 4) != 0 || std::memcmp(wave.data() + 8, "WAVE", 4) != 0) {
        wave.clear();
        return WaveRead::kUnplayable;
    }
    return WaveRead::kRead;
}

}  // namespace

bool WaveFileSound::Play(const std::wstring& path) {
    Stop();
    // SND_NODEFAULT: a file that cannot be played stays silent instead of
    // ringing the system's default sound.
    switch (ReadWaveFile(path, kInMemoryLimit, wave_)) {
        case WaveRead::kRead:
            playing_ = PlaySoundW(reinterpret_cast<LPCWSTR>(wave_.data()), nullptr,
                                  SND_MEMORY | SND_ASYNC | SND_NODEFAULT) != FALSE;
            break;
        case WaveRead::kTooLarge:
            playing_ = PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT) != FALSE;
            break;
        case WaveRead::kUnplayable:
            playing_ = false;
            break;
    }
    if (!playing_) wave_.clear();
    return playing_;
}

void WaveFileSound::Stop() {
    if (!playing_) return;
    // Returns once the playback has ended, so the buffer may go.
    PlaySoundW(nullptr, nullptr, 0);
    playing_ = false;
    wave_.clear();
}
