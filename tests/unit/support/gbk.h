#pragma once
// Test helper: writes expected GBK texts readably as UTF-8 in the tests.
#include <string>
#include <string_view>

namespace korvane::testing {

// The GBK bytes of a UTF-8 text (glibc iconv). A text that cannot be converted fails the calling
// test through a thrown std::runtime_error, so a typo in an expectation never passes silently.
std::string Gbk(std::string_view utf8);

} // namespace korvane::testing
