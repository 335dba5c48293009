// The notification window's sound: one wave file played asynchronously, once,
// until it ends or is stopped. The path goes to the system as an argument, so
// no character of a file name can change what is played.
#pragma once

#include <string>

class NoticeSound {
public:
    virtual ~NoticeSound() = default;
    // Stops what is playing and starts `path` (UTF-16); false when the file
    // cannot be played.
    virtual bool Play(const std::wstring& path) = 0;
    virtual void Stop() = 0;
};

// Through the system's wave playback; stops on destruction.
class WaveFileSound : public NoticeSound {
public:
    WaveFileSound() = default;
    ~WaveFileSound() override { Stop(); }
    WaveFileSound(const WaveFileSound&) = delete;
    WaveFileSound& operator=(const WaveFileSound&) = delete;

    bool Play(const std::wstring& path) override;
    void Stop() override;

private:
    bool playing_ = false;
};
