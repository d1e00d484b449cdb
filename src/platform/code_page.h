#pragma once
// One UTF-16 code unit to the system's ANSI code page.
#include <cstdint>

namespace korvane::platform {

class CodePage {
  public:
    virtual ~CodePage() = default;
    // As WideCharToMultiByte(CP_ACP, 0, &unit, 1, out, outSize, nullptr, nullptr): the number of
    // bytes written (a character the code page lacks becomes its default character '?'), 0 when
    // nothing was written.
    virtual int WideToAnsi(std::uint16_t unit, char* out, int outSize) = 0;
};

} // namespace korvane::platform
