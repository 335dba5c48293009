// What the notification window shows when notices come faster than the user
// reads them: nothing is replaced unread. A notice arriving while the window
// is up is added below what it shows (newest last); one arriving while it
// slides away waits and is shown once the window has gone. Dismissing the
// window acknowledges everything it showed.
#pragma once

#include <optional>

#include "reminders/notices.h"

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
    Notice shown_;
    std::optional<Notice> waiting_;
};

// The lines of `later` below those of `earlier` in one notice; its sound is
// the later one's when it has one.
Notice JoinNotices(const Notice& earlier, const Notice& later);
