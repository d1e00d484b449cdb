#pragma once
// The seam between the program's GBK texts and the UTF-16 of the ...W functions, through code
// page 936 by name (never CP_ACP: the system's language for non-Unicode programs may be any).
// Paths, registry names and values travel as UTF-16 already and are only copied between the
// portable char16_t and Windows' WCHAR.
#include <windows.h>

#include <string>
#include <string_view>

namespace korvane::platform {

std::wstring WideFromGbk(std::string_view gbk);
std::string GbkFromWide(std::wstring_view text);

std::wstring AsWide(std::u16string_view text);
std::u16string AsUtf16(std::wstring_view text);

} // namespace korvane::platform
