#pragma once
// The GBK code page on the host, through glibc iconv, behaving as WideCharToMultiByte and
// MultiByteToWideChar do with code page 936.
#include "platform/code_page.h"
#include "text/utf16.h"

#include <iconv.h>

namespace korvane::platform {

class IconvCodePage : public CodePage, public text::GbkCharacters {
  public:
    IconvCodePage();
    ~IconvCodePage() override;
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    // A character GBK lacks, and a lone surrogate, become '?'; U+0000 becomes one zero byte.
    // When the bytes do not fit in outSize, nothing is written and the answer is 0.
    int WideToGbk(std::uint16_t unit, char* out, int outSize) override;

    bool ToUtf16(std::string_view character, char16_t& unit) override;
    bool ToGbk(std::u16string_view character, std::string& bytes) override;

  private:
    iconv_t toGbk_;
    iconv_t fromGbk_;
};

} // namespace korvane::platform
