#pragma once
// Walking GBK text: a byte of 0x80 or more begins a double-byte character and takes the byte after
// it along; every other byte is a character of its own. Every walk of the program steps this way,
// so that no second byte of a character is ever taken for a character of its own.
#include <cstddef>
#include <string_view>

namespace korvane::text {

inline constexpr bool IsLeadByte(char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
}

// A whole double-byte character of GBK: a lead byte of 0x81 to 0xFE and a trail byte of 0x40 or
// more (a converter's single 0x80 for "€" is no GBK character).
inline constexpr bool IsDoubleByteCharacter(std::string_view bytes) {
    return bytes.size() == 2 && IsLeadByte(bytes[0]) && bytes[0] != '\x80' && bytes[0] != '\xFF' &&
           static_cast<unsigned char>(bytes[1]) >= 0x40;
}

// Bytes of the character that begins at `at`: 2 after a lead byte (even when the text ends
// there, half a character), otherwise 1.
inline constexpr std::size_t CharacterWidth(std::string_view text, std::size_t at) {
    return IsLeadByte(text[at]) ? 2 : 1;
}

// The longest beginning of `text` of at most `bytes` bytes that holds whole characters only: a cut
// never splits a double-byte character, and a half character at the end is left out.
inline constexpr std::string_view WholeCharactersWithin(std::string_view text, std::size_t bytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + CharacterWidth(text, end);
        if (next > bytes || next > text.size()) break;
        end = next;
    }
    return text.substr(0, end);
}

// Characters in `text`; a half character at the end counts as one.
inline constexpr std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += CharacterWidth(text, i))
        ++count;
    return count;
}

} // namespace korvane::text
