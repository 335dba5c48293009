#include "notices/notice_board.h"

#include <algorithm>
#include <utility>

namespace {

// Notices begin their text with line breaks that place it in the window.
std::string WithoutLeadingBreaks(const std::string& text) {
    const std::size_t start = text.find_first_not_of("\r\n");
    return start == std::string::npos ? std::string() : text.substr(start);
}

void Put(std::vector<Notice>& parts, const Notice& notice) {
    if (notice.daily) {
        parts.erase(std::remove_if(parts.begin(), parts.end(), [](const Notice& n) { return n.daily; }), parts.end());
    }
    parts.push_back(notice);
}

Notice Joined(const std::vector<Notice>& parts) {
    if (parts.empty()) return Notice{};
    Notice joined = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) joined = JoinNotices(joined, parts[i]);
    joined.daily = false;
    return joined;
}

}  // namespace

Notice JoinNotices(const Notice& earlier, const Notice& later) {
    Notice joined = later;
    const std::string older = WithoutLeadingBreaks(earlier.message);
    if (!older.empty()) {
        if (WithoutLeadingBreaks(joined.message).empty()) joined.message = "\n\n";
        if (joined.message.back() != '\n') joined.message += '\n';
        joined.message += older;
    }
    if (!later.soundFile) joined.soundFile = earlier.soundFile;
    // In the order the lines show: the later ones above.
    joined.alerts.insert(joined.alerts.end(), earlier.alerts.begin(), earlier.alerts.end());
    return joined;
}

NoticeBoard::Step NoticeBoard::Add(const Notice& notice, Window window) {
    switch (window) {
        case Window::kHidden:
            shownParts_ = {notice};
            shown_ = Joined(shownParts_);
            return Step::kShow;
        case Window::kShowing:
            Put(shownParts_, notice);
            shown_ = Joined(shownParts_);
            return Step::kExtend;
        case Window::kLeaving:
            Put(waitingParts_, notice);
            return Step::kNone;
    }
    return Step::kNone;
}

std::optional<Notice> NoticeBoard::Hidden() {
    shownParts_ = std::move(waitingParts_);
    waitingParts_.clear();
    shown_ = Joined(shownParts_);
    if (shownParts_.empty()) return std::nullopt;
    return shown_;
}
