#include "notices/notice_slide.h"

#include <algorithm>

NoticePosition NoticeStartPosition(const Rect& workArea, std::int32_t screenHeight, std::int32_t width,
                                   std::int32_t margin) {
    return NoticePosition{workArea.right - width - margin, screenHeight};
}

NoticePosition NoticeRestingPosition(const Rect& workArea, std::int32_t width, std::int32_t height,
                                     std::int32_t margin) {
    return NoticePosition{workArea.right - width - margin, workArea.bottom - height};
}

std::int32_t NoticeSlideInTop(std::int32_t top, std::int32_t height, std::int32_t workAreaBottom, std::int32_t step) {
    const std::int32_t bottom = top + height;
    if (bottom <= workAreaBottom) return top;
    return top - std::min(std::max(step, 1), bottom - workAreaBottom);
}

std::int32_t NoticeSlideOutTop(std::int32_t top, std::int32_t screenHeight, std::int32_t step) {
    if (top > screenHeight) return top;
    return top + std::max(step, 1);
}
