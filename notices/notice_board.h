// What the notification window shows when notices come faster than the user
// reads them: nothing is replaced unread, except that a new day's festival
// notice takes the place of the old day's (yesterday's "今天" is no longer
// true). A notice arriving while the window is up is added above what it
// shows (newest first, so that a window too small for all of them cuts the
// oldest); one arriving while it slides away waits and is shown once the
// window has gone. Dismissing the window acknowledges everything it showed.
#pragma once

#include <optional>
#include <vector>

#include "notices/notices.h"

class NoticeBoard {
public:
    enum class Window { kHidden, kShowing, kLeaving };  // kShowing: sliding in or resting

    enum class Step { kNone, kShow, kExtend };
    // A new notice, with the window in `window`: kShow starts the window with
    // shown(), kExtend puts shown() into the window that is up, kNone keeps it
    // for later.
    Step Add(const Notice& notice, Window window);
    // The window has slid away: what it showed is acknowledged; a notice that
    // waited meanwhile is returned, to be shown now (it is then shown()).
    std::optional<Notice> Hidden();

    const Notice& shown() const { return shown_; }

private:
    std::vector<Notice> shownParts_;    // oldest first
    std::vector<Notice> waitingParts_;  // oldest first
    Notice shown_;
};

// The lines of `later` above those of `earlier` in one notice; its sound is
// the later one's when it has one.
Notice JoinNotices(const Notice& earlier, const Notice& later);
