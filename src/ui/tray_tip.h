#pragma once
// The tray tip holds at most 62 bytes of GBK text; a cut never splits a double-byte character.
#include "text/gbk.h"

#include <string>
#include <string_view>

namespace korvane::ui {

inline constexpr std::size_t kTrayTipBytes = 62;

inline std::string TrayTipText(std::string_view status) {
    return std::string(text::WholeCharactersWithin(status, kTrayTipBytes));
}

} // namespace korvane::ui
