#pragma once
// UTF-8 response bytes to GBK text: three-byte groups through the code page, every
// slash to a backslash, other bytes unchanged, a plain run cut at its first NUL.
#include "platform/code_page.h"

#include <string>
#include <string_view>

namespace korvane {

std::string DecodeResponse(platform::CodePage& codePage, std::string_view bytes);
// One group: a lead byte of 0xE0 or more and up to two bytes after it.
std::string DecodeGroup(platform::CodePage& codePage, std::string_view group);

} // namespace korvane
