#pragma once
// How the city box matches a typed prefix, shared by both window systems: bytes compared with
// ASCII letter case ignored; a double-byte character is compared exactly, so that its trail
// byte is never taken for a letter.
#include <string_view>

namespace korvane::ui {

inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool BeginsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size();) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            const std::size_t width = i + 1 < prefix.size() ? 2 : 1;
            if (text.substr(i, width) != prefix.substr(i, width)) return false;
            i += width;
            continue;
        }
        if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
        ++i;
    }
    return true;
}

} // namespace korvane::ui
