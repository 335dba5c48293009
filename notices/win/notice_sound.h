// The notification window's sound: one wave file played asynchronously, once,
// until it ends or is stopped. The path goes to the system as an argument, so
// no character of a file name can change what is played.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class NoticeSound {
public:
    virtual ~NoticeSound() = default;
    // Stops what is playing and starts the first of `paths` (UTF-16) that can
    // be played; silent when none can. Returns at once: the files are looked
    // at and read elsewhere, so a slow disk, a file held by a scanner or one
    // still being downloaded by a sync client never stalls the window.
    virtual void Play(std::vector<std::wstring> paths) = 0;
    virtual void Stop() = 0;
};

enum class WaveRead { kRead, kTooLarge, kUnplayable };
// The whole file when it is a RIFF wave of at most `limit` bytes. A folder,
// a missing file or anything but a wave is unplayable.
WaveRead ReadWaveFile(const std::wstring& path, unsigned long limit, std::vector<char>& wave);

// Through the system's wave playback; stops on destruction. Each Play reads
// its files on a thread of its own and starts the playback from there; a
// later Play or a Stop makes an unfinished one play nothing. The file is read
// into memory and played from there: the file API takes any Unicode name,
// whereas some wave players narrow the name to the ANSI code page first, and
// a file that is no wave is passed over at once. Files above kInMemoryLimit
// are handed over by name instead.
class WaveFileSound : public NoticeSound {
public:
    static constexpr unsigned long kInMemoryLimit = 32ul << 20;
    // How a file is read; tests put in one that takes its time.
    using Reader = std::function<WaveRead(const std::wstring& path, std::vector<char>& wave)>;

    explicit WaveFileSound(Reader reader = nullptr);
    ~WaveFileSound() override { Stop(); }
    WaveFileSound(const WaveFileSound&) = delete;
    WaveFileSound& operator=(const WaveFileSound&) = delete;

    void Play(std::vector<std::wstring> paths) override;
    void Stop() override;

    // The file the last Play started, "" when it played nothing (none could
    // be played, or it was stopped); nothing while it is still reading after
    // `milliseconds`. For tests.
    std::optional<std::wstring> AwaitChoice(int milliseconds) const;

private:
    struct Shared;  // what the reading threads and the window share
    Reader reader_;
    std::shared_ptr<Shared> shared_;
};
