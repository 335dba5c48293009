#include "view/dpi_scale.h"

#include <cstdint>
#include <type_traits>
#include <variant>

int ScaleForDpi(int value, int dpi) {
    const std::int64_t scaled = std::int64_t{value} * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kBaseDpi / 2) / kBaseDpi : -((-scaled + kBaseDpi / 2) / kBaseDpi));
}

Rect ScaleForDpi(const Rect& rect, int dpi) {
    return Rect{ScaleForDpi(rect.left, dpi), ScaleForDpi(rect.top, dpi), ScaleForDpi(rect.right, dpi),
                ScaleForDpi(rect.bottom, dpi)};
}

int UnscaleForDpi(int value, int dpi) {
    if (dpi <= 0) return value;
    const std::int64_t base = std::int64_t{value} * kBaseDpi;
    return static_cast<int>(base >= 0 ? base / dpi : -((-base + dpi - 1) / dpi));
}

bool IsUsableDpiChange(int dpi, const Rect* suggested) {
    // Windows places windows within ±32 767 pixels; a window wider than a
    // few screens is no suggestion.
    constexpr std::int32_t kFarthest = 32767;
    if (dpi < kLowestDpi || dpi > kHighestDpi || !suggested || suggested->IsEmpty()) return false;
    return suggested->left >= -kFarthest && suggested->top >= -kFarthest && suggested->right <= kFarthest &&
           suggested->bottom <= kFarthest;
}

namespace {

void ScaleStyle(TextStyle& style, int dpi) {
    style.size = ScaleForDpi(style.size, dpi);
    // A halo of strength N is drawn with strokes 1 … N - 1 pixels wide.
    if (style.shadowHeight > 1) style.shadowHeight = ScaleForDpi(style.shadowHeight - 1, dpi) + 1;
}

}  // namespace

void ScaleMonthLayout(MonthLayout& layout, int dpi) {
    if (dpi == kBaseDpi || dpi <= 0) return;
    for (DisplayItem& item : layout.display.items) {
        std::visit(
            [dpi](auto& shape) {
                using T = std::decay_t<decltype(shape)>;
                shape.box = ScaleForDpi(shape.box, dpi);
                if constexpr (std::is_same_v<T, DisplayText>) ScaleStyle(shape.style, dpi);
                if constexpr (std::is_same_v<T, DisplayEllipse>) shape.penWidth = ScaleForDpi(shape.penWidth, dpi);
            },
            item);
    }
    for (auto& [day, cell] : layout.cells) cell = ScaleForDpi(cell, dpi);
    layout.display.dpi = dpi;
}

std::filesystem::path DoubleSizePicturePath(const std::filesystem::path& picturePath) {
    std::filesystem::path name = picturePath.stem();
    name += "@2x";
    name += picturePath.extension();
    return std::filesystem::path(picturePath).replace_filename(name);
}
