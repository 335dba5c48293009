#include "notices/win/notice_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

#include "base/win/scoped_win.h"

WaveRead ReadWaveFile(const std::wstring& path, unsigned long limit, std::vector<char>& wave) {
    ScopedKernelHandle file;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open.
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

struct WaveFileSound::Shared {
    std::mutex mutex;
    std::condition_variable settled;
    unsigned generation = 0;  // of the last Play or Stop; an older reading plays nothing
    unsigned settledGeneration = 0;
    std::wstring chosen;
    bool playing = false;
    std::vector<char> wave;  // what an in-memory playback reads; kept until stopped

    // With the mutex held.
    void StopPlayback() {
        if (playing) PlaySoundW(nullptr, nullptr, 0);  // returns once the playback has ended
        playing = false;
        wave.clear();
    }
    void Settle(unsigned reading, std::wstring path) {
        chosen = std::move(path);
        settledGeneration = reading;
        settled.notify_all();
    }
};

WaveFileSound::WaveFileSound(Reader reader) : reader_(std::move(reader)), shared_(std::make_shared<Shared>()) {
    if (!reader_) {
        reader_ = [](const std::wstring& path, std::vector<char>& wave) {
            return ReadWaveFile(path, kInMemoryLimit, wave);
        };
    }
}

void WaveFileSound::Play(std::vector<std::wstring> paths) {
    unsigned reading = 0;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->StopPlayback();
        reading = ++shared_->generation;
    }
    // The thread owns a share of the state, so it may finish after the window
    // and this object are gone; it then plays nothing.
    std::thread([shared = shared_, reader = reader_, paths = std::move(paths), reading] {
        std::wstring chosen;
        std::vector<char> wave;
        bool byName = false;
        for (const std::wstring& path : paths) {
            std::vector<char> bytes;
            const WaveRead read = path.empty() ? WaveRead::kUnplayable : reader(path, bytes);
            if (read == WaveRead::kUnplayable) continue;
            chosen = path;
            byName = read == WaveRead::kTooLarge;
            wave = std::move(bytes);
            break;
        }
        const std::lock_guard<std::mutex> lock(shared->mutex);
        if (shared->generation != reading) return;  // stopped or replaced meanwhile
        if (!chosen.empty()) {
            shared->wave = std::move(wave);
            // SND_NODEFAULT: a file that cannot be played stays silent instead
            // of ringing the system's default sound.
            const LPCWSTR sound = byName ? chosen.c_str() : reinterpret_cast<LPCWSTR>(shared->wave.data());
            shared->playing =
                PlaySoundW(sound, nullptr, (byName ? SND_FILENAME : SND_MEMORY) | SND_ASYNC | SND_NODEFAULT) != FALSE;
            if (!shared->playing) {
                shared->wave.clear();
                chosen.clear();
            }
        }
        shared->Settle(reading, std::move(chosen));
    }).detach();
}

void WaveFileSound::Stop() {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->StopPlayback();
    shared_->Settle(++shared_->generation, std::wstring());
}

std::optional<std::wstring> WaveFileSound::AwaitChoice(int milliseconds) const {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    if (!shared_->settled.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                   [&] { return shared_->settledGeneration == shared_->generation; })) {
        return std::nullopt;
    }
    return shared_->chosen;
}
