#include "reminders/notice_slide.h"

#include <algorithm>

NoticePosition NoticeStartPosition(const Rect& workArea, std::int32_t screenHeight, std::int32_t width) {
    return NoticePosition{workArea.right - width - kNoticeRightMargin, screenHeight};
}

NoticePosition NoticeRestingPosition(const Rect& workArea, std::int32_t width, std::int32_t height) {
    return NoticePosition{workArea.right - width - kNoticeRightMargin, workArea.bottom - height};
}

std::int32_t NoticeSlideInTop(std::int32_t top, std::int32_t height, std::int32_t workAreaBottom) {
    const std::int32_t bottom = top + height;
    if (bottom <= workAreaBottom) return top;
    return top - std::min(kNoticeSlideStep, bottom - workAreaBottom);
}

std::int32_t NoticeSlideOutTop(std::int32_t top, std::int32_t screenHeight) {
    if (top > screenHeight) return top;
    return top + kNoticeSlideStep;
}
