#pragma once
// Window geometry is kept in 96-DPI units; on a display with another DPI every position and size
// is carried over by dpi / 96, rounded as MulDiv rounds.
#include <cstdint>
#include <limits>

namespace korvane::ui {

inline constexpr int kTemplateDpi = 96;

// value × dpi ÷ 96, rounded half away from zero. A DPI that is no DPI (0 or below, as from a
// failed query) leaves the value as it is; results beyond int are clamped.
constexpr int ScaleToDpi(int value, int dpi) {
    if (dpi <= 0) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t magnitude =
        ((product < 0 ? -product : product) + kTemplateDpi / 2) / kTemplateDpi;
    const std::int64_t scaled = product < 0 ? -magnitude : magnitude;
    constexpr std::int64_t lowest = std::numeric_limits<int>::min();
    constexpr std::int64_t highest = std::numeric_limits<int>::max();
    return static_cast<int>(scaled < lowest ? lowest : scaled > highest ? highest : scaled);
}

struct PixelRect {
    int left, top, width, height;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Each edge offset and extent is scaled on its own, as a dialog's units are.
constexpr PixelRect ScaleToDpi(PixelRect rect, int dpi) {
    return {ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi), ScaleToDpi(rect.width, dpi),
            ScaleToDpi(rect.height, dpi)};
}

} // namespace korvane::ui
