#include "reminders/win/notice_sound.h"

#include <windows.h>
#include <mmsystem.h>

bool WaveFileSound::Play(const std::wstring& path) {
    Stop();
    // SND_NODEFAULT: a file that cannot be played stays silent instead of
    // ringing the system's default sound.
    playing_ = PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT) != FALSE;
    return playing_;
}

void WaveFileSound::Stop() {
    if (!playing_) return;
    PlaySoundW(nullptr, nullptr, 0);
    playing_ = false;
}
