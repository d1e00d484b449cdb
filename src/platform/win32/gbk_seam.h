#pragma once
// The seam between the program's GBK texts and the UTF-16 of the ...W functions, through code
// page 936 by name (never CP_ACP: the system's language for non-Unicode programs may be any).
// Paths travel as UTF-16 already and are only copied into the WCHAR form.
#include <windows.h>

#include <string>
#include <string_view>

namespace korvane::platform {

std::wstring WideFromGbk(std::string_view gbk);
std::string GbkFromWide(std::wstring_view text);

std::wstring WidePath(std::u16string_view path);
std::u16string PathFromWide(std::wstring_view path);

} // namespace korvane::platform
