#include "reminders/notice_board.h"

#include <utility>

namespace {

// Notices begin their text with line breaks that place it in the window.
std::string WithoutLeadingBreaks(const std::string& text) {
    const std::size_t start = text.find_first_not_of("\r\n");
    return start == std::string::npos ? std::string() : text.substr(start);
}

}  // namespace

Notice JoinNotices(const Notice& earlier, const Notice& later) {
    Notice joined = earlier;
    const std::string added = WithoutLeadingBreaks(later.message);
    if (!added.empty()) {
        if (!joined.message.empty() && joined.message.back() != '\n') joined.message += '\n';
        joined.message += added;
    }
    if (later.soundFile) joined.soundFile = later.soundFile;
    return joined;
}

NoticeBoard::Step NoticeBoard::Add(const Notice& notice, Window window) {
    switch (window) {
        case Window::kHidden:
            shown_ = notice;
            return Step::kShow;
        case Window::kShowing:
            shown_ = JoinNotices(shown_, notice);
            return Step::kExtend;
        case Window::kLeaving:
            waiting_ = waiting_ ? JoinNotices(*waiting_, notice) : notice;
            return Step::kNone;
    }
    return Step::kNone;
}

std::optional<Notice> NoticeBoard::Hidden() {
    shown_ = Notice{};
    if (!waiting_) return std::nullopt;
    shown_ = std::move(*waiting_);
    waiting_.reset();
    return shown_;
}
