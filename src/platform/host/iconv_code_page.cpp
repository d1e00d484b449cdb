#include "platform/host/iconv_code_page.h"

#include <cstring>

namespace korvane::platform {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
constexpr char kDefaultCharacter = '?';

bool IsSurrogate(std::uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

} // namespace

IconvCodePage::IconvCodePage() : converter_(iconv_open("GBK", "UTF-16LE")) {}

IconvCodePage::~IconvCodePage() {
    if (converter_ != kNoConverter) iconv_close(converter_);
}

int IconvCodePage::WideToAnsi(std::uint16_t unit, char* out, int outSize) {
    if (out == nullptr || outSize <= 0) return 0;

    char converted[8];
    std::size_t length = 0;
    if (unit == 0) {
        converted[length++] = '\0';
    } else if (!IsSurrogate(unit) && converter_ != kNoConverter) {
        char input[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        char* in = input;
        std::size_t inLeft = sizeof input;
        char* to = converted;
        std::size_t toLeft = sizeof converted;
        iconv(converter_, nullptr, nullptr, nullptr, nullptr); // fresh shift state each call
        if (iconv(converter_, &in, &inLeft, &to, &toLeft) != static_cast<std::size_t>(-1) &&
            inLeft == 0) {
            length = sizeof converted - toLeft;
        }
    }
    if (length == 0) converted[length++] = kDefaultCharacter;

    if (length > static_cast<std::size_t>(outSize)) return 0;
    std::memcpy(out, converted, length);
    return static_cast<int>(length);
}

} // namespace korvane::platform
