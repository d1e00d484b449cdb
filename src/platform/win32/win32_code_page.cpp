#include "platform/win32/gbk_seam.h"
#include "platform/win32/runtime_functions.h"
#include "platform/win32/win32_platform.h"
#include "text/utf16.h"

#include <windows.h>

namespace korvane::platform {

namespace {

constexpr UINT kGbkCodePage = 936;

// One character at a time through the system's own tables for code page 936.
class Win32GbkCharacters final : public text::GbkCharacters {
  public:
    bool ToUtf16(std::string_view character, char16_t& unit) override {
        WCHAR wide[2] = {};
        const int length = MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, character.data(),
                                               static_cast<int>(character.size()), wide, 2);
        if (length != 1) return false;
        unit = static_cast<char16_t>(wide[0]);
        return true;
    }
    bool ToGbk(std::u16string_view character, std::string& bytes) override {
        const std::wstring wide(character.begin(), character.end());
        char converted[8] = {};
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                               static_cast<int>(wide.size()), converted,
                                               sizeof converted, nullptr, &usedDefault);
        if (length <= 0 || usedDefault) return false;
        bytes.assign(converted, static_cast<std::size_t>(length));
        return true;
    }
};

Win32GbkCharacters gbkCharacters;

} // namespace

int Win32CodePage::WideToGbk(std::uint16_t unit, char* out, int outSize) {
    if (out == nullptr || outSize <= 0) return 0;
    const WCHAR wide = static_cast<WCHAR>(unit);
    return Declared<RuntimeFunction::WideCharToMultiByte>()(kGbkCodePage, 0, &wide, 1, out, outSize,
                                                            nullptr, nullptr);
}

std::wstring WideFromGbk(std::string_view gbk) {
    const std::u16string wide = text::GbkToUtf16(gbkCharacters, gbk);
    return std::wstring(wide.begin(), wide.end());
}

std::string GbkFromWide(std::wstring_view wide) {
    return text::Utf16ToGbk(gbkCharacters, std::u16string(wide.begin(), wide.end()));
}

std::wstring AsWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string AsUtf16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

} // namespace korvane::platform
