#pragma once
// The box shown when a library function the program binds at run time cannot be found.
#include "text/texts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::platform {

inline constexpr std::string_view kFatalErrorCaption = texts::kErrorCaption;
inline constexpr std::uint32_t kFatalErrorStyle = 0x10; // MB_OK | MB_ICONERROR

// The box text naming the library file and the entry ("#n" for an ordinal). Each name counts
// up to its first zero byte, as the C text it is.
std::string FatalErrorText(std::string_view library, std::string_view entry);

} // namespace korvane::platform
