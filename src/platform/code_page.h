#pragma once
// One UTF-16 code unit to GBK (code page 936), for the decoding of the weather service's answer.
#include <cstdint>

namespace korvane::platform {

class CodePage {
  public:
    virtual ~CodePage() = default;
    // As WideCharToMultiByte(936, 0, &unit, 1, out, outSize, nullptr, nullptr): the number of
    // bytes written (a character GBK lacks becomes its default character '?'), 0 when nothing was
    // written. Code page 936 is named, never the system's own: on a Windows whose language for
    // non-Unicode programs is not Chinese the texts would otherwise turn into question marks.
    virtual int WideToGbk(std::uint16_t unit, char* out, int outSize) = 0;
};

} // namespace korvane::platform
