#pragma once
// The GBK code page on the host, through glibc iconv, behaving as WideCharToMultiByte does on a
// Chinese Windows system for one UTF-16 code unit.
#include "platform/code_page.h"

#include <iconv.h>

namespace korvane::platform {

class IconvCodePage : public CodePage {
  public:
    IconvCodePage();
    ~IconvCodePage() override;
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    // A character GBK lacks, and a lone surrogate, become '?'; U+0000 becomes one zero byte.
    // When the bytes do not fit in outSize, nothing is written and the answer is 0.
    int WideToAnsi(std::uint16_t unit, char* out, int outSize) override;

  private:
    iconv_t converter_;
};

} // namespace korvane::platform
