#pragma once
// The tray tip holds at most 62 bytes of GBK text; a cut never splits a double-byte character.
#include <string>
#include <string_view>

namespace korvane::ui {

inline constexpr std::size_t kTrayTipBytes = 62;

inline std::string TrayTipText(std::string_view status) {
    std::size_t end = 0;
    while (end < status.size()) {
        const std::size_t width = static_cast<unsigned char>(status[end]) >= 0x80 ? 2 : 1;
        if (end + width > kTrayTipBytes || end + width > status.size()) break;
        end += width;
    }
    return std::string(status.substr(0, end));
}

} // namespace korvane::ui
