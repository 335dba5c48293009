// The notification window's sound: one wave file played asynchronously, once,
// until it ends or is stopped. The path goes to the system as an argument, so
// no character of a file name can change what is played.
#pragma once

#include <string>
#include <vector>

class NoticeSound {
public:
    virtual ~NoticeSound() = default;
    // Stops what is playing and starts `path` (UTF-16); false when the file
    // cannot be played.
    virtual bool Play(const std::wstring& path) = 0;
    virtual void Stop() = 0;
};

// Through the system's wave playback; stops on destruction. The file is read
// into memory and played from there: the file API takes any Unicode name,
// whereas some wave players narrow the name to the ANSI code page first, and a
// file that is no wave is refused at once (so the caller can fall back).
// Files above kInMemoryLimit are handed over by name instead.
class WaveFileSound : public NoticeSound {
public:
    static constexpr unsigned long kInMemoryLimit = 32ul << 20;

    WaveFileSound() = default;
    ~WaveFileSound() override { Stop(); }
    WaveFileSound(const WaveFileSound&) = delete;
    WaveFileSound& operator=(const WaveFileSound&) = delete;

    bool Play(const std::wstring& path) override;
    void Stop() override;

private:
    bool playing_ = false;
    std::vector<char> wave_;  // what an in-memory playback reads; kept until stopped
};
