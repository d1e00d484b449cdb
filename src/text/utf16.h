#pragma once
// The program's texts are GBK bytes; Windows' windows, controls, boxes and shell speak UTF-16.
// Both directions are converted here, one character at a time through code page 936, so that
// every malformed or foreign piece has one fixed outcome whatever the system's own code page.
#include <string>
#include <string_view>

namespace korvane::text {

// Where a GBK text's bytes form no character (a lead byte at the end, a pair that code page 936
// does not define), the UTF-16 text shows the replacement character.
inline constexpr char16_t kUnreadableCharacter = u'\xFFFD';

// Where a UTF-16 text holds a character GBK cannot hold (☀, ë, a lone surrogate), the GBK text
// reads this byte pair instead. It is no GBK character (0xFF leads none), so it begins no city
// name, and a temperature bound that holds it is refused.
inline constexpr std::string_view kNoGbkCharacter = "\xFF\xFF";

// One character of code page 936 at a time; the system's converter behind it.
class GbkCharacters {
  public:
    virtual ~GbkCharacters() = default;
    // A byte below 0x80, or a lead byte and its trail byte, to its one UTF-16 unit; false when
    // code page 936 defines no such character.
    virtual bool ToUtf16(std::string_view character, char16_t& unit) = 0;
    // One UTF-16 unit, or a surrogate pair, to its GBK bytes; false when GBK cannot hold it (no
    // best-fit look-alikes: "ë" is not "e").
    virtual bool ToGbk(std::u16string_view character, std::string& bytes) = 0;
};

// ASCII stays as it is; a byte of 0x80 or more leads a two-byte character, as everywhere in the
// program. The empty text gives the empty text.
std::u16string GbkToUtf16(GbkCharacters& characters, std::string_view gbk);
// The inverse for every text GbkToUtf16 makes of well-formed GBK. Beyond ASCII only a lead byte of
// 0x81 to 0xFE with its trail byte is taken from the converter (code page 936's single 0x80 for
// "€" is not GBK); anything else becomes kNoGbkCharacter.
std::string Utf16ToGbk(GbkCharacters& characters, std::u16string_view text);

} // namespace korvane::text
