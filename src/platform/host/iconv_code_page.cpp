#include "platform/host/iconv_code_page.h"

#include <cstring>

namespace korvane::platform {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
constexpr char kDefaultCharacter = '?';

bool IsSurrogate(std::uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// The whole input converted, or nothing: false when iconv stops at any byte.
bool ConvertAll(iconv_t converter, const char* input, std::size_t inputSize, char* output,
                std::size_t outputSize, std::size_t& written) {
    if (converter == kNoConverter) return false;
    iconv(converter, nullptr, nullptr, nullptr, nullptr); // a fresh shift state each call
    char* in = const_cast<char*>(input);
    char* to = output;
    std::size_t inLeft = inputSize;
    std::size_t toLeft = outputSize;
    if (iconv(converter, &in, &inLeft, &to, &toLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
        return false;
    written = outputSize - toLeft;
    return true;
}

} // namespace

IconvCodePage::IconvCodePage()
    : toGbk_(iconv_open("GBK", "UTF-16LE")), fromGbk_(iconv_open("UTF-16LE", "GBK")) {}

IconvCodePage::~IconvCodePage() {
    if (toGbk_ != kNoConverter) iconv_close(toGbk_);
    if (fromGbk_ != kNoConverter) iconv_close(fromGbk_);
}

int IconvCodePage::WideToGbk(std::uint16_t unit, char* out, int outSize) {
    if (out == nullptr || outSize <= 0) return 0;

    char converted[8];
    std::size_t length = 0;
    if (unit == 0) {
        converted[length++] = '\0';
    } else if (!IsSurrogate(unit)) {
        const char input[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        if (!ConvertAll(toGbk_, input, sizeof input, converted, sizeof converted, length))
            length = 0;
    }
    if (length == 0) converted[length++] = kDefaultCharacter;

    if (length > static_cast<std::size_t>(outSize)) return 0;
    std::memcpy(out, converted, length);
    return static_cast<int>(length);
}

bool IconvCodePage::ToUtf16(std::string_view character, char16_t& unit) {
    char converted[8];
    std::size_t length = 0;
    if (!ConvertAll(fromGbk_, character.data(), character.size(), converted, sizeof converted,
                    length) ||
        length != 2)
        return false;
    unit = static_cast<char16_t>(static_cast<unsigned char>(converted[0]) |
                                 static_cast<unsigned char>(converted[1]) << 8);
    return true;
}

bool IconvCodePage::ToGbk(std::u16string_view character, std::string& bytes) {
    char input[4];
    if (character.empty() || character.size() > 2) return false;
    for (std::size_t i = 0; i < character.size(); ++i) {
        input[2 * i] = static_cast<char>(character[i] & 0xFF);
        input[2 * i + 1] = static_cast<char>(character[i] >> 8);
    }
    char converted[8];
    std::size_t length = 0;
    if (!ConvertAll(toGbk_, input, character.size() * 2, converted, sizeof converted, length) ||
        length == 0)
        return false;
    bytes.assign(converted, length);
    return true;
}

} // namespace korvane::platform
