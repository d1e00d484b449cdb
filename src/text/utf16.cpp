#include "text/utf16.h"

#include "text/gbk.h"

namespace korvane::text {
namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::u16string GbkToUtf16(GbkCharacters& characters, std::string_view gbk) {
    std::u16string text;
    text.reserve(gbk.size());
    for (std::size_t i = 0; i < gbk.size();) {
        if (!IsLeadByte(gbk[i])) {
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(gbk[i])));
            ++i;
            continue;
        }
        // A lead byte takes the byte after it along, whatever it is, as the program's byte walkers
        // (the tip cut, the completion, the half-character rule) do.
        char16_t unit = kUnreadableCharacter;
        if (i + 1 >= gbk.size() || !characters.ToUtf16(gbk.substr(i, 2), unit))
            unit = kUnreadableCharacter;
        text.push_back(unit);
        i += 2;
    }
    return text;
}

std::string Utf16ToGbk(GbkCharacters& characters, std::u16string_view text) {
    std::string gbk;
    gbk.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            gbk.push_back(static_cast<char>(unit));
            ++i;
            continue;
        }
        const std::size_t length =
            IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
        std::string bytes;
        const bool held = !IsHighSurrogate(unit) && !IsLowSurrogate(unit) &&
                          characters.ToGbk(text.substr(i, length), bytes) &&
                          IsDoubleByteCharacter(bytes);
        gbk.append(held ? std::string_view(bytes) : kNoGbkCharacter);
        i += length;
    }
    return gbk;
}

} // namespace korvane::text
